#pragma once

#include <QObject>
#include <QString>

class QTextToSpeech;

// Lives on the speech thread and owns the Qt TextToSpeech object there. Opening the speech
// service and every call into it may block for as long as the service takes (a service whose
// audio output is broken answers never), which is why none of it runs on the user-interface
// thread. Each sentence carries a serial so that the engine can tell its reports apart.
class QtSpeechWorker : public QObject
{
    Q_OBJECT

public:
    QtSpeechWorker();
    ~QtSpeechWorker() override;

public slots:
    void open();
    void say(quint64 serial, const QString &text);
    void stop();

signals:
    void opened(const QString &engineName);
    void broken(const QString &reason);
    void done(quint64 serial);
    void failed(quint64 serial, const QString &reason);

private:
    void onStateChanged(int state);

    QTextToSpeech *m_pSpeech = nullptr;
    QString m_strBroken;
    quint64 m_nSerial = 0;
    // A sentence is done when the voice returns to ready after it began speaking; the ready
    // that follows a stop() arrives before that and must not end the next sentence.
    bool m_bSawSpeaking = false;
};
