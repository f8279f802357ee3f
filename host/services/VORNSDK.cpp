#include "VORNSDK.h"

#include "OrvaneClearTemperatureSnapTotalsEachDayRequestMessage.h"
#include "OrvaneResponseMessage.h"
#include "PlatformStore.h"
#include "VORNClientAIManager.h"

#include <QDebug>

int VORN_SendReqAndRecvResp(long p_lClientHandle, OrvaneRequestMessage &p_objRequest,
                            OrvaneResponseMessage &p_objResponse)
{
    Q_UNUSED(p_objResponse)
    VORNClientAIManager *client = VORNClientAIManager::instance();
    if (p_lClientHandle < 1 || p_lClientHandle != client->getCurClientHandle()) {
        client->setLastErrorString(QStringLiteral("Not connected to the platform."));
        return VORNSDK::ErrorNotConnected;
    }
    if (dynamic_cast<OrvaneClearTemperatureSnapTotalsEachDayRequestMessage *>(&p_objRequest)) {
        // The requesting dialog announces the reset itself (sendSnapZero), so the store stays
        // silent and every screen re-queries once.
        if (!PlatformStore::instance()->recordDailyReset(PlatformStore::ResetNotice::Silent)) {
            client->setLastErrorString(
                    QStringLiteral("The platform could not reset today's totals: %1")
                            .arg(PlatformStore::instance()->lastError()));
            return VORNSDK::ErrorStoreFailed;
        }
        client->setLastErrorString(QString());
        return 0;
    }
    qDebug() << "VORN_SendReqAndRecvResp unknown request" << p_objRequest.getClassName();
    client->setLastErrorString(
            QStringLiteral("The platform does not serve %1.").arg(p_objRequest.getClassName()));
    return VORNSDK::ErrorUnknownRequest;
}
