#include "StrategyStorage.h"

#include "FeverValues.h"

#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "VORNClientAIManager.h"

#include <QDebug>

namespace StrategyStorage {

bool store(ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    VORNClientAIManager *manager = VORNClientAIManager::instance();
    if (p_objStrategy.get_id() == FeverValues::NoValue) {
        OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
        OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
        request.setVoiceBroadcastStrategy(p_objStrategy);
        if (!manager->addAiCompareVoiceBroadcastStrategy(request, response)) {
            qDebug() << "StrategyStorage::store add failed:" << manager->getLastErrorString();
            return false;
        }
        p_objStrategy.set_id(response.getID());
        return true;
    }
    OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.setVoiceBroadcastStrategy(p_objStrategy);
    if (!manager->setAiCompareVoiceBroadcastStrategy(request, response)) {
        qDebug() << "StrategyStorage::store set of" << p_objStrategy.get_id()
                 << "failed:" << manager->getLastErrorString();
        return false;
    }
    return true;
}

bool remove(int p_nId)
{
    VORNClientAIManager *manager = VORNClientAIManager::instance();
    OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.addID(p_nId);
    if (!manager->delAiCompareVoiceBroadcastStrategy(request, response)) {
        qDebug() << "StrategyStorage::remove of" << p_nId
                 << "failed:" << manager->getLastErrorString();
        return false;
    }
    return true;
}

QString lastError()
{
    return VORNClientAIManager::instance()->getLastErrorString();
}

} // namespace StrategyStorage
