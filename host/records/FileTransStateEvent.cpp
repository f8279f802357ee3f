#include "FileTransStateEvent.h"

#include "ImageDataCache.h"

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

// Posted events are deleted once delivered, or with their receiver: either way the receiver
// is done with the pictures.
FileTransStateEvent::~FileTransStateEvent()
{
    for (const QString &path : qAsConst(m_lstHeld))
        ImageDataCache::shared().release(path);
}

void FileTransStateEvent::setError(int error, const QString &text)
{
    m_nError = error;
    m_strErrorText = text;
}

void FileTransStateEvent::holdPictures(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (ImageDataCache::shared().hold(path))
            m_lstHeld.append(path);
    }
}
