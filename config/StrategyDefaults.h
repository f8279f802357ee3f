#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <vector>

// The strategies a window starts with, and the one the configuration dialog adds.
namespace StrategyDefaults {

// Ids of every person group of the face-library tree, in tree order.
std::vector<int> allPersonGroupIds();

// Seven ranges, weekdays 0 to 6, each "00-00" to "24-00".
std::vector<VoiceTimeRange> wholeWeek();

// Normal, over-temperature and abnormal texts, in that order.
std::vector<ScreenTextItem> screenTexts();

// Stranger strategy of a window that has none yet; serves the given person groups.
ST_MSGVoiceBroadcastStrategy strangerStrategy(int windowId, const std::vector<int> &personGroupIds);
ST_MSGVoiceBroadcastStrategy strangerStrategy(int windowId);

// Registry strategy of a window that has none yet; serves the given person groups.
ST_MSGVoiceBroadcastStrategy registryStrategy(int windowId, const std::vector<int> &personGroupIds);
ST_MSGVoiceBroadcastStrategy registryStrategy(int windowId);

// Registry strategy added in the dialog: it serves the groups of `allGroupIds` that no registry
// strategy of `windowStrategies` holds, in the order of `allGroupIds`.
ST_MSGVoiceBroadcastStrategy
dialogRegistryStrategy(int windowId,
                       const std::vector<ST_MSGVoiceBroadcastStrategy> &windowStrategies,
                       const std::vector<int> &allGroupIds);
ST_MSGVoiceBroadcastStrategy
dialogRegistryStrategy(int windowId,
                       const std::vector<ST_MSGVoiceBroadcastStrategy> &windowStrategies);

} // namespace StrategyDefaults
