#include "CuVORNClientManager.h"

#include "AsyncPlatformService.h"
#include "VornClient.h"

#include <QDebug>

CuVORNClientManager::CuVORNClientManager(QObject *parent)
    : QObject(parent)
{
}

CuVORNClientManager::~CuVORNClientManager() = default;

long CuVORNClientManager::getCurClientHandle() const
{
    return VornClient::instance()->m_nLoginServerHandle;
}

int CuVORNClientManager::getCurUserId() const
{
    return VornClient::instance()->getCurUserId();
}

QString CuVORNClientManager::getLastErrorString() const
{
    return m_strLastError;
}

void CuVORNClientManager::setLastErrorString(const QString &text)
{
    if (!text.isEmpty())
        qDebug() << "CuVORNClientManager::setLastErrorString" << text;
    m_strLastError = text;
}

int CuVORNClientManager::sendAsyncMessage(const OrvaneRequestMessage &request, QObject *receiver,
                                          int p_nServer, int p_nTimeoutSec)
{
    Q_UNUSED(p_nServer)
    return AsyncPlatformService::instance()->send(request, receiver, p_nTimeoutSec);
}
