#pragma once

#include "SpeechEngine.h"

#include <QStringList>

class QTimer;

// A voice without sound: it keeps the sentences it was given and ends each after a set time.
// Tests use it to watch the queue; headless runs use it with a speaking pace so that the queue
// behaves as it would with a real voice.
class RecordingSpeechEngine : public SpeechEngine
{
    Q_OBJECT

public:
    // The oldest records are forgotten beyond this, so a long headless run stays small.
    static constexpr int MaxRecorded = 1000;

    explicit RecordingSpeechEngine(QObject *parent = nullptr);
    ~RecordingSpeechEngine() override;

    QString name() const override;
    void speak(const QString &text) override;
    void stop() override;

    // A sentence lasts fixedMs + perCharMs for each character; a negative fixedMs makes the
    // engine hang (it never ends a sentence by itself), like a voice stuck without audio.
    void setDuration(int fixedMs, int perCharMs = 0);
    // While failing, every sentence fails right away with the reason.
    void setFailing(bool failing, const QString &reason = QStringLiteral("no audio device"));
    int durationFor(const QString &text) const;

    QStringList spokenSentences() const { return m_listSpoken; }
    QStringList stoppedSentences() const { return m_listStopped; }
    QString currentSentence() const { return m_strCurrent; }
    bool isSpeaking() const { return !m_strCurrent.isNull(); }

private:
    void onTimeout();
    static void remember(QStringList &list, const QString &text);

    QTimer *m_pTimer = nullptr;
    int m_nFixedMs = 0;
    int m_nPerCharMs = 0;
    bool m_bFailing = false;
    QString m_strFailure;
    QString m_strCurrent;
    QStringList m_listSpoken;
    QStringList m_listStopped;
};
