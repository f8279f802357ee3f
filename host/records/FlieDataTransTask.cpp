#include "FlieDataTransTask.h"

FlieDataTransTask::FlieDataTransTask(bool p_bDownload)
    : m_bDownload(p_bDownload)
{
}

void FlieDataTransTask::setTaskInfo(long handle, QList<TransFilePath> &files, int transType,
                                    QObject *receiver, void *userData, int transFileToPosition)
{
    m_lHandle = handle;
    m_files = files;
    m_nTransType = transType;
    m_receiver = receiver;
    m_pUserData = userData;
    m_nPosition = transFileToPosition;
}
