#include "RecordingSpeechEngine.h"

#include <QTimer>

RecordingSpeechEngine::RecordingSpeechEngine(QObject *parent)
    : SpeechEngine(parent)
    , m_pTimer(new QTimer(this))
{
    m_pTimer->setSingleShot(true);
    connect(m_pTimer, &QTimer::timeout, this, &RecordingSpeechEngine::onTimeout);
}

RecordingSpeechEngine::~RecordingSpeechEngine() = default;

QString RecordingSpeechEngine::name() const
{
    return QStringLiteral("recording");
}

void RecordingSpeechEngine::setDuration(int fixedMs, int perCharMs)
{
    m_nFixedMs = fixedMs;
    m_nPerCharMs = qMax(0, perCharMs);
}

void RecordingSpeechEngine::setFailing(bool failing, const QString &reason)
{
    m_bFailing = failing;
    m_strFailure = reason;
}

int RecordingSpeechEngine::durationFor(const QString &text) const
{
    return m_nFixedMs < 0 ? -1 : m_nFixedMs + m_nPerCharMs * text.size();
}

void RecordingSpeechEngine::speak(const QString &text)
{
    m_pTimer->stop();
    m_strCurrent = text.isNull() ? QStringLiteral("") : text;
    remember(m_listSpoken, m_strCurrent);
    // Both outcomes go through the timer so that they never arrive inside speak().
    const int duration = m_bFailing ? 0 : durationFor(text);
    if (duration >= 0)
        m_pTimer->start(duration);
}

void RecordingSpeechEngine::stop()
{
    if (!isSpeaking())
        return;
    m_pTimer->stop();
    remember(m_listStopped, m_strCurrent);
    m_strCurrent = QString();
}

void RecordingSpeechEngine::onTimeout()
{
    if (!isSpeaking())
        return;
    m_strCurrent = QString();
    if (m_bFailing)
        emit failed(m_strFailure);
    else
        emit finished();
}

void RecordingSpeechEngine::remember(QStringList &list, const QString &text)
{
    list.append(text);
    while (list.size() > MaxRecorded)
        list.removeFirst();
}
