#pragma once

#include <QObject>
#include <QString>

// What the speech queue needs of a voice: speak one sentence at a time and say when it ended.
// finished() or failed() follows a speak() later, never from within the call; a sentence ended
// with stop() reports neither, so a late report can never be taken for the next sentence's.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~SpeechEngine() override;

    virtual QString name() const = 0;
    virtual void speak(const QString &text) = 0;
    virtual void stop() = 0;
    // The queue stopped waiting for the sentence: it did not end in time. A voice may take this
    // as a sign of trouble; it must stop the sentence as stop() does.
    virtual void giveUp();

signals:
    void finished();
    void failed(const QString &reason);
};
