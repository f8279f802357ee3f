#include "StrategyLoader.h"

#include "StrategyDefaults.h"
#include "WindowKey.h"

#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "VORNClientAIManager.h"

#include <QDebug>

namespace StrategyLoader {

namespace {

bool listOf(int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    VORNClientAIManager *manager = VORNClientAIManager::instance();
    if (manager->getVoiceBroadcastStrategyListByWinID(windowId, strategies))
        return true;
    qDebug().noquote() << QStringLiteral("StrategyLoader::listOf window %1 failed: %2")
                                  .arg(windowId)
                                  .arg(manager->getLastErrorString());
    strategies.clear();
    return false;
}

// Stores the strategy; on success it takes the id the platform gave it.
bool addStrategy(ST_MSGVoiceBroadcastStrategy &strategy)
{
    OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.setVoiceBroadcastStrategy(strategy);
    VORNClientAIManager *manager = VORNClientAIManager::instance();
    if (!manager->addAiCompareVoiceBroadcastStrategy(request, response)) {
        qDebug().noquote() << QStringLiteral("StrategyLoader::addStrategy window %1 failed: %2")
                                      .arg(strategy.get_window_id())
                                      .arg(manager->getLastErrorString());
        return false;
    }
    strategy.set_id(response.getID());
    return true;
}

} // namespace

int strategyWindowId(const QObject *screen)
{
    return screenWindowKey(screen);
}

bool loadWindowStrategies(int strategyWindowId,
                          std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    strategies.clear();
    if (!listOf(strategyWindowId, strategies))
        return false;
    if (!strategies.empty())
        return true;

    // Window 3 falls back on window 2 first; every window ends with window 1.
    int source = strategyWindowId;
    if (strategyWindowId == 3) {
        source = 2;
        if (!listOf(source, strategies))
            return false;
    }
    if (strategies.empty() && strategyWindowId != 1) {
        source = 1;
        if (!listOf(source, strategies))
            return false;
    }

    if (!strategies.empty()) {
        qDebug().noquote() << QStringLiteral("StrategyLoader::loadWindowStrategies window %1 "
                                             "copies %2 strategies of window %3")
                                      .arg(strategyWindowId)
                                      .arg(strategies.size())
                                      .arg(source);
        for (ST_MSGVoiceBroadcastStrategy &strategy : strategies) {
            strategy.set_window_id(strategyWindowId);
            addStrategy(strategy);
        }
    } else {
        qDebug().noquote() << QStringLiteral("StrategyLoader::loadWindowStrategies window %1 "
                                             "creates the default strategies")
                                      .arg(strategyWindowId);
        const std::vector<int> personGroupIds = StrategyDefaults::allPersonGroupIds();
        ST_MSGVoiceBroadcastStrategy stranger =
                StrategyDefaults::strangerStrategy(strategyWindowId, personGroupIds);
        addStrategy(stranger);
        ST_MSGVoiceBroadcastStrategy registry =
                StrategyDefaults::registryStrategy(strategyWindowId, personGroupIds);
        addStrategy(registry);
    }
    // Should this read fail, what was stored is found by the next attempt's first read.
    return listOf(strategyWindowId, strategies);
}

std::vector<ST_MSGVoiceBroadcastStrategy> loadWindowStrategies(int strategyWindowId)
{
    std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
    loadWindowStrategies(strategyWindowId, strategies);
    return strategies;
}

} // namespace StrategyLoader
