#pragma once

#include <QEvent>
#include <QString>
#include <QStringList>

// Progress or end of a file transfer task, posted by the host's file transfer to the task's
// receiver. The user data is the pointer handed to the task; the transfer never touches it.
class FileTransStateEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(2013);
    static constexpr int StatusSuccess = 0;
    static constexpr int StatusFailed = -1;

    // Why a task failed (status -1).
    enum Error {
        NoError = 0,
        ErrorRemoteMissing = 1,  // the platform has no such picture
        ErrorNameRefused = 2,    // a remote name or local path outside its folder
        ErrorPictureRefused = 3, // not JPEG, PNG or BMP, larger than allowed, or undecodable
        ErrorDiskFull = 4,       // no room on the local disk; later tasks succeed once there is
        ErrorWriteFailed = 5,    // any other local file error
        ErrorInjected = 6,       // the transfer's test switch
    };

    FileTransStateEvent(int transType, void *userData, int taskId, int status, bool finished,
                        int index);
    ~FileTransStateEvent() override;

    int transType() const { return m_nTransType; }
    void *userData() const { return m_pUserData; }
    int taskId() const { return m_nTaskId; }
    // 0 while going well and on success, -1 once a file failed.
    int status() const { return m_nStatus; }
    // True on the task's last event.
    bool isFinished() const { return m_bFinished; }
    // Index in the task's file list of the file this event reports (the last file for a
    // successful end, the failing file for a failure); -1 when no file was reached.
    int index() const { return m_nIndex; }
    // Error and a readable reason (English, for logs and tips) of a failed task.
    int error() const { return m_nError; }
    QString errorText() const { return m_strErrorText; }

    void setError(int error, const QString &text);
    // Keeps the task's decoded pictures in the host's image cache while the event lives, so
    // the receiver finds them without decoding.
    void holdPictures(const QStringList &paths);

private:
    Q_DISABLE_COPY(FileTransStateEvent)

    int m_nTransType;
    void *m_pUserData;
    int m_nTaskId;
    int m_nStatus;
    bool m_bFinished;
    int m_nIndex;
    int m_nError = NoError;
    QString m_strErrorText;
    QStringList m_lstHeld;
};
