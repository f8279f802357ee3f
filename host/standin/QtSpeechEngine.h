#pragma once

#include "SpeechEngine.h"

#include <QElapsedTimer>

class QThread;
class QtSpeechWorker;

// The machine's voice through Qt TextToSpeech (on Linux the speech-dispatcher service). The
// TextToSpeech object lives on a thread of its own, so a service that hangs (as one without an
// audio device does) never blocks the caller: speak() and stop() only post requests.
//
// Failures it knows of are reported at once: no engine installed or a backend error. A sentence
// the queue gave up on (a service stuck without audio never ends one) makes later sentences fail
// at once for a while instead of each waiting for the queue's timeout; then one is tried again,
// and a sentence spoken to its end clears the trouble.
class QtSpeechEngine : public SpeechEngine
{
    Q_OBJECT

public:
    // After a sentence was given up, sentences fail at once for this long before one is tried.
    static constexpr int RetryAfterMs = 30000;
    // How long the destructor waits for the speech thread before leaving it behind.
    static constexpr int ShutdownWaitMs = 1500;

    explicit QtSpeechEngine(QObject *parent = nullptr);
    ~QtSpeechEngine() override;

    QString name() const override;
    void speak(const QString &text) override;
    void stop() override;
    void giveUp() override;

private:
    enum class Health { Unknown, Ready, Broken, Unresponsive };

    void onOpened(const QString &engineName);
    void onBroken(const QString &reason);
    void onDone(quint64 serial);
    void onFailed(quint64 serial, const QString &reason);
    void failLater(const QString &reason);

    QThread *m_pThread = nullptr;
    QtSpeechWorker *m_pWorker = nullptr;
    Health m_eHealth = Health::Unknown;
    QString m_strEngineName;
    QString m_strBroken;
    quint64 m_nLastSerial = 0;
    quint64 m_nCurrent = 0; // 0: nothing is being spoken
    QElapsedTimer m_timerUnresponsive;
};
