#pragma once

#include "TransFilePath.h"

#include <QList>
#include <QObject>
#include <QPointer>

// One file of a TransFileTask: the local path first, the platform's picture name second.
using TransFile = TransFilePath;

// A request to move files between the local configuration folder and the platform's picture
// store, handed to FileTransThread::addTransTask. Copyable; the thread keeps its own copy.
class TransFileTask
{
public:
    // Type 0 fetches the platform's pictures into the local paths; type 1 stores the local
    // files in the platform's picture store under their platform names.
    static constexpr int TransTypeDownload = 0;
    static constexpr int TransTypeUpload = 1;

    void setTaskInfo(long handle, const QList<TransFile> &files, int transType, QObject *receiver,
                     void *userData, int position);

    long handle() const { return m_lHandle; }
    const QList<TransFile> &files() const { return m_files; }
    int transType() const { return m_nTransType; }
    QObject *receiver() const { return m_receiver.data(); }
    void *userData() const { return m_pUserData; }
    int position() const { return m_nPosition; }

private:
    long m_lHandle = 0;
    QList<TransFile> m_files;
    int m_nTransType = TransTypeDownload;
    QPointer<QObject> m_receiver;
    void *m_pUserData = nullptr;
    int m_nPosition = 0;
};
