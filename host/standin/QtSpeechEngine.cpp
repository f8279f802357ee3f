#include "QtSpeechEngine.h"

#include "QtSpeechWorker.h"

#include <QDebug>
#include <QMutex>
#include <QThread>
#include <QTimer>

#include <vector>

namespace {

// Threads stuck inside the speech service cannot be joined, and destroying a running QThread
// aborts the program; they are kept here until the process ends.
QMutex g_abandonedMutex;
std::vector<QThread *> g_abandonedThreads;

} // namespace

QtSpeechEngine::QtSpeechEngine(QObject *parent)
    : SpeechEngine(parent)
    , m_pThread(new QThread)
    , m_pWorker(new QtSpeechWorker)
{
    m_pThread->setObjectName(QStringLiteral("speech"));
    m_pWorker->moveToThread(m_pThread);
    // The worker and its TextToSpeech object are deleted on their own thread as it ends.
    connect(m_pThread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    connect(m_pWorker, &QtSpeechWorker::opened, this, &QtSpeechEngine::onOpened);
    connect(m_pWorker, &QtSpeechWorker::broken, this, &QtSpeechEngine::onBroken);
    connect(m_pWorker, &QtSpeechWorker::done, this, &QtSpeechEngine::onDone);
    connect(m_pWorker, &QtSpeechWorker::failed, this, &QtSpeechEngine::onFailed);
    m_pThread->start();
    QMetaObject::invokeMethod(m_pWorker, &QtSpeechWorker::open, Qt::QueuedConnection);
}

QtSpeechEngine::~QtSpeechEngine()
{
    disconnect(m_pWorker, nullptr, this, nullptr);
    m_pThread->quit();
    if (m_pThread->wait(ShutdownWaitMs)) {
        delete m_pThread;
        return;
    }
    qDebug() << "QtSpeechEngine::~QtSpeechEngine the speech service does not answer; its thread "
                "is left to end with the process";
    QMutexLocker lock(&g_abandonedMutex);
    g_abandonedThreads.push_back(m_pThread);
}

QString QtSpeechEngine::name() const
{
    return m_strEngineName.isEmpty() ? QStringLiteral("qt")
                                     : QStringLiteral("qt/") + m_strEngineName;
}

void QtSpeechEngine::speak(const QString &text)
{
    if (m_eHealth == Health::Broken) {
        failLater(m_strBroken);
        return;
    }
    if (m_eHealth == Health::Unresponsive && m_timerUnresponsive.elapsed() < RetryAfterMs) {
        failLater(QStringLiteral("the speech service does not respond"));
        return;
    }
    m_nCurrent = ++m_nLastSerial;
    const quint64 serial = m_nCurrent;
    QMetaObject::invokeMethod(
            m_pWorker, [worker = m_pWorker, serial, text]() { worker->say(serial, text); },
            Qt::QueuedConnection);
}

void QtSpeechEngine::stop()
{
    if (m_nCurrent == 0)
        return;
    m_nCurrent = 0;
    QMetaObject::invokeMethod(m_pWorker, &QtSpeechWorker::stop, Qt::QueuedConnection);
}

void QtSpeechEngine::giveUp()
{
    stop();
    if (m_eHealth == Health::Broken)
        return;
    if (m_eHealth != Health::Unresponsive)
        qDebug() << "QtSpeechEngine::giveUp the speech service does not end sentences; trying "
                    "again in"
                 << RetryAfterMs << "ms";
    m_eHealth = Health::Unresponsive;
    m_timerUnresponsive.start();
}

void QtSpeechEngine::onOpened(const QString &engineName)
{
    m_strEngineName = engineName;
    if (m_eHealth != Health::Broken)
        m_eHealth = Health::Ready;
    qDebug() << "QtSpeechEngine::onOpened" << engineName;
}

void QtSpeechEngine::onBroken(const QString &reason)
{
    m_eHealth = Health::Broken;
    m_strBroken = reason;
}

void QtSpeechEngine::onDone(quint64 serial)
{
    if (m_eHealth == Health::Unresponsive)
        m_eHealth = Health::Ready;
    if (serial != m_nCurrent)
        return;
    m_nCurrent = 0;
    emit finished();
}

void QtSpeechEngine::onFailed(quint64 serial, const QString &reason)
{
    if (serial != m_nCurrent)
        return;
    m_nCurrent = 0;
    emit failed(reason);
}

void QtSpeechEngine::failLater(const QString &reason)
{
    // Reported from the event loop, never inside speak().
    m_nCurrent = ++m_nLastSerial;
    const quint64 serial = m_nCurrent;
    QTimer::singleShot(0, this, [this, serial, reason]() { onFailed(serial, reason); });
}
