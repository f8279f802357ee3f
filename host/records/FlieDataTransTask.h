#pragma once

#include "TransFilePath.h"

#include <QList>
#include <QObject>
#include <QPointer>

// A request to move pictures between the platform's picture store and the local cache, handed
// to FlieDataTransfer::addTransTask. Copyable; the transfer keeps its own copy.
class FlieDataTransTask
{
public:
    // Transfer type 0 is the only kind the platform knows: pictures of the snapshot service.
    static constexpr int TransTypePicture = 0;
    // Position 1: the remote side is the platform's picture store.
    static constexpr int PositionPlatform = 1;

    // p_bDownload: true copies remote pictures to the local paths, false stores the local
    // files in the platform's picture store under the remote names.
    explicit FlieDataTransTask(bool p_bDownload = true);

    void setTaskInfo(long handle, QList<TransFilePath> &files, int transType, QObject *receiver,
                     void *userData, int transFileToPosition);

    bool isDownload() const { return m_bDownload; }
    long handle() const { return m_lHandle; }
    const QList<TransFilePath> &files() const { return m_files; }
    int transType() const { return m_nTransType; }
    QObject *receiver() const { return m_receiver.data(); }
    void *userData() const { return m_pUserData; }
    int transFileToPosition() const { return m_nPosition; }

private:
    bool m_bDownload;
    long m_lHandle = 0;
    QList<TransFilePath> m_files;
    int m_nTransType = TransTypePicture;
    QPointer<QObject> m_receiver;
    void *m_pUserData = nullptr;
    int m_nPosition = PositionPlatform;
};
