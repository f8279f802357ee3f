#include "SpeechHelper.h"

#include <QDebug>

SpeechHelper *SpeechHelper::instance()
{
    static SpeechHelper helper;
    return &helper;
}

SpeechHelper::SpeechHelper() = default;

SpeechHelper::~SpeechHelper() = default;

void SpeechHelper::addSpeech(const QString &text)
{
    // Queued as given: callers compose sentences with their own spacing.
    if (text.trimmed().isEmpty()) {
        qDebug() << "SpeechHelper::addSpeech ignored an empty text";
        return;
    }
    qDebug() << "SpeechHelper::addSpeech" << text;
    m_listQueue.append(text);
    emit speechQueued(text);
    while (m_listQueue.size() > MaxQueued) {
        const QString dropped = m_listQueue.takeFirst();
        qDebug() << "SpeechHelper::addSpeech queue full, dropped" << dropped;
        emit speechDropped(dropped);
    }
}

void SpeechHelper::clearList()
{
    qDebug() << "SpeechHelper::clearList" << m_listQueue.size() << "text(s)";
    const QStringList dropped = m_listQueue;
    m_listQueue.clear();
    for (const QString &text : dropped)
        emit speechDropped(text);
    emit listCleared();
}

QStringList SpeechHelper::pendingSpeech() const
{
    return m_listQueue;
}

int SpeechHelper::pendingCount() const
{
    return m_listQueue.size();
}

QString SpeechHelper::takeNext()
{
    return m_listQueue.isEmpty() ? QString() : m_listQueue.takeFirst();
}
