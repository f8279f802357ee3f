#include "FileTransStateEvent.h"

FileTransStateEvent::FileTransStateEvent(int transType, void *userData, int taskId, int status,
                                         bool finished, int index)
    : QEvent(EventType)
    , m_nTransType(transType)
    , m_pUserData(userData)
    , m_nTaskId(taskId)
    , m_nStatus(status)
    , m_bFinished(finished)
    , m_nIndex(index)
{
}
