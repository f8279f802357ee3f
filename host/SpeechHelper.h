#pragma once

#include <QObject>
#include <QStringList>

// The client's speech queue: texts are spoken one after another in the order queued. The speech
// engine attaches through the signals and takeNext()/speechFinished(); the queue itself knows
// nothing about voices.
class SpeechHelper : public QObject
{
    Q_OBJECT
public:
    // Oldest texts are dropped beyond this, so a stalled engine cannot grow the queue forever.
    static constexpr int MaxQueued = 50;

    static SpeechHelper *instance();

    void addSpeech(const QString &text);
    void clearList();

    QStringList pendingSpeech() const;
    int pendingCount() const;
    // Removes and returns the oldest text; empty when the queue is empty.
    QString takeNext();

signals:
    void speechQueued(const QString &text);
    // Emitted once per text that leaves the queue without being spoken (cleared or overflowed).
    void speechDropped(const QString &text);
    void listCleared();

private:
    SpeechHelper();
    ~SpeechHelper() override;
    Q_DISABLE_COPY(SpeechHelper)

    QStringList m_listQueue;
};
