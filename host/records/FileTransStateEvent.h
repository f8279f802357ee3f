#pragma once

#include <QEvent>

// Progress or end of a file transfer task, posted by the host's file transfer to the task's
// receiver. The user data is the pointer handed to the task; the transfer never touches it.
class FileTransStateEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(2013);
    static constexpr int StatusSuccess = 0;
    static constexpr int StatusFailed = -1;

    FileTransStateEvent(int transType, void *userData, int taskId, int status, bool finished,
                        int index);

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

private:
    int m_nTransType;
    void *m_pUserData;
    int m_nTaskId;
    int m_nStatus;
    bool m_bFinished;
    int m_nIndex;
};
