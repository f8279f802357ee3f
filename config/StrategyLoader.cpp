#include "StrategyLoader.h"

#include "StrategyDefaults.h"

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

bool loadWindowStrategies(int windowKey, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    strategies.clear();
    if (!listOf(windowKey, strategies))
        return false;
    if (!strategies.empty())
        return true;

    // Window 3 falls back on window 2 first; every window ends with window 1.
    int source = windowKey;
    if (windowKey == 3) {
        source = 2;
        if (!listOf(source, strategies))
            return false;
    }
    if (strategies.empty() && windowKey != 1) {
        source = 1;
        if (!listOf(source, strategies))
            return false;
    }

    if (!strategies.empty()) {
        qDebug().noquote() << QStringLiteral("StrategyLoader::loadWindowStrategies window %1 "
                                             "copies %2 strategies of window %3")
                                      .arg(windowKey)
                                      .arg(strategies.size())
                                      .arg(source);
        for (ST_MSGVoiceBroadcastStrategy &strategy : strategies) {
            strategy.set_window_id(windowKey);
            addStrategy(strategy);
        }
    } else {
        qDebug().noquote() << QStringLiteral("StrategyLoader::loadWindowStrategies window %1 "
                                             "creates the default strategies")
                                      .arg(windowKey);
        const std::vector<int> personGroupIds = StrategyDefaults::allPersonGroupIds();
        ST_MSGVoiceBroadcastStrategy stranger =
                StrategyDefaults::strangerStrategy(windowKey, personGroupIds);
        addStrategy(stranger);
        ST_MSGVoiceBroadcastStrategy registry =
                StrategyDefaults::registryStrategy(windowKey, personGroupIds);
        addStrategy(registry);
    }
    // Should this read fail, what was stored is found by the next attempt's first read.
    return listOf(windowKey, strategies);
}

std::vector<ST_MSGVoiceBroadcastStrategy> loadWindowStrategies(int windowKey)
{
    std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
    loadWindowStrategies(windowKey, strategies);
    return strategies;
}

} // namespace StrategyLoader
