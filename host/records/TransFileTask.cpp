#include "TransFileTask.h"

void TransFileTask::setTaskInfo(long handle, const QList<TransFile> &files, int transType,
                                QObject *receiver, void *userData, int position)
{
    m_lHandle = handle;
    m_files = files;
    m_nTransType = transType;
    m_receiver = receiver;
    m_pUserData = userData;
    m_nPosition = position;
}
