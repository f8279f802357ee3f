#include "QtSpeechWorker.h"

#include <QDebug>
#include <QTextToSpeech>

QtSpeechWorker::QtSpeechWorker() = default;

QtSpeechWorker::~QtSpeechWorker() = default;

void QtSpeechWorker::open()
{
    if (m_pSpeech || !m_strBroken.isEmpty())
        return;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        m_strBroken = QStringLiteral("no text-to-speech engine is installed");
        emit broken(m_strBroken);
        return;
    }
    m_pSpeech = new QTextToSpeech(this);
    if (m_pSpeech->state() == QTextToSpeech::BackendError) {
        m_strBroken = QStringLiteral("the %1 engine reports a backend error").arg(engines.first());
        delete m_pSpeech;
        m_pSpeech = nullptr;
        emit broken(m_strBroken);
        return;
    }
    connect(m_pSpeech, &QTextToSpeech::stateChanged, this,
            [this](QTextToSpeech::State state) { onStateChanged(state); });
    emit opened(engines.first());
}

void QtSpeechWorker::say(quint64 serial, const QString &text)
{
    open();
    if (!m_pSpeech || !m_strBroken.isEmpty()) {
        emit failed(serial, m_strBroken);
        return;
    }
    m_nSerial = serial;
    m_bSawSpeaking = false;
    m_pSpeech->say(text);
}

void QtSpeechWorker::stop()
{
    m_nSerial = 0;
    m_bSawSpeaking = false;
    if (m_pSpeech)
        m_pSpeech->stop();
}

void QtSpeechWorker::onStateChanged(int state)
{
    switch (state) {
    case QTextToSpeech::Speaking:
        m_bSawSpeaking = true;
        break;
    case QTextToSpeech::Ready:
        if (m_nSerial != 0 && m_bSawSpeaking) {
            const quint64 serial = m_nSerial;
            m_nSerial = 0;
            emit done(serial);
        }
        break;
    case QTextToSpeech::BackendError: {
        m_strBroken = QStringLiteral("the speech backend failed");
        const quint64 serial = m_nSerial;
        m_nSerial = 0;
        if (serial != 0)
            emit failed(serial, m_strBroken);
        emit broken(m_strBroken);
        break;
    }
    default:
        break;
    }
}
