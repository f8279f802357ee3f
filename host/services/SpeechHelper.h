#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QTimer;
class SpeechEngine;

// The client's speech queue: texts are spoken one after another in the order queued, through
// the installed SpeechEngine. Speaking starts from the event loop, so what addSpeech() queued is
// still waiting when the call returns.
//
// A voice that fails or hangs must not hold the queue: a failed sentence, or one that has not
// ended within timeoutFor() of its start, is given up and the next one follows. The failure is
// logged once, until a sentence is spoken again. After UnavailableAfterGiveUps sentences in a
// row were given up the voice counts as unavailable, until one is spoken to its end.
//
// Several screens share the queue; a text may be queued with its owner (any pointer, only
// compared) so that one screen can take back its own texts without silencing the others.
class SpeechHelper : public QObject
{
    Q_OBJECT
public:
    // Project rule: a burst of snapshots must not leave the entrance hearing about people who
    // passed minutes ago, so at most this many texts wait behind the one being spoken; a new
    // text arriving at a full queue drops the oldest waiting one.
    static constexpr int MaxQueued = 5;
    static constexpr int DefaultTimeoutMs = 3000;
    static constexpr int DefaultTimeoutPerCharMs = 150;
    static constexpr int UnavailableAfterGiveUps = 3;

    static SpeechHelper *instance();

    void addSpeech(const QString &text);
    void addSpeech(const QString &text, const void *owner);
    // Drops every waiting text and stops the one being spoken.
    void clearList();
    // Drops the texts queued with this owner, and stops the one being spoken if it is one of
    // them; the other texts go on. A null owner means the texts queued without one.
    void clearList(const void *owner);

    // False while the voice gives up every sentence (see above).
    bool isEngineAvailable() const { return m_nGiveUpsInRow < UnavailableAfterGiveUps; }

    QStringList pendingSpeech() const;
    int pendingCount() const;
    // The text being spoken; null when the voice is idle.
    QString currentSpeech() const { return m_strCurrent; }
    bool isSpeaking() const { return !m_strCurrent.isNull(); }

    // How long the text may be spoken before it is given up (HostTesting sets the time-outs).
    int timeoutFor(const QString &text) const;

signals:
    void speechQueued(const QString &text);
    // Emitted once per text that leaves the queue without being spoken (cleared or overflowed).
    void speechDropped(const QString &text);
    void listCleared();
    void speechStarted(const QString &text);
    void speechFinished(const QString &text);
    // The voice failed on the text or did not end it in time; the queue goes on.
    void speechFailed(const QString &text, const QString &reason);
    // isEngineAvailable() changed.
    void engineAvailabilityChanged(bool available);

private:
    // The voice, the time-outs and the transcript are stand-in switches: see HostTesting
    // (host/testing). Without an engine installed, the first text to speak installs
    // createDefaultEngine().
    friend class HostTesting;
    void setEngine(std::unique_ptr<SpeechEngine> engine);
    // $FEVER_SPEECH_ENGINE "qt" or "silent" chooses; otherwise the machine's voice, except on
    // the offscreen and minimal platforms (nobody listens there), which get a silent voice that
    // keeps a speaking pace.
    static std::unique_ptr<SpeechEngine> createDefaultEngine();
    void setTranscriptFile(const QString &path);
    void setTimeout(int baseMs, int perCharMs);

    SpeechHelper();
    ~SpeechHelper() override;
    Q_DISABLE_COPY(SpeechHelper)

    void scheduleNext();
    void speakNext();
    void onEngineFinished();
    void onEngineFailed(const QString &reason);
    void onTimeout();
    void giveUpCurrent(const QString &reason);
    void writeTranscript(const QString &text);
    void releaseEngine();
    void setGiveUpsInRow(int count);
    static void releaseAtExit();

    struct Queued
    {
        QString text;
        const void *owner;
    };

    QList<Queued> m_listQueue;
    QString m_strCurrent;
    const void *m_pCurrentOwner = nullptr;
    int m_nGiveUpsInRow = 0;
    std::unique_ptr<SpeechEngine> m_pEngine;
    QTimer *m_pTimeout = nullptr;
    bool m_bScheduled = false;
    bool m_bFailureLogged = false;
    bool m_bExitRoutine = false;
    int m_nTimeoutMs = DefaultTimeoutMs;
    int m_nTimeoutPerCharMs = DefaultTimeoutPerCharMs;
    QString m_strTranscriptFile;
    bool m_bTranscriptErrorLogged = false;
};
