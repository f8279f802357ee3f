#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <vector>

// How a screen finds its strategy list on the platform at its first show.
namespace StrategyLoader {

// The list stored under the window key (screenWindowKey). A key without one copies the list of
// key 2 (key 3 only) or of key 1 under its own key; when no list exists anywhere the stranger
// and the registry default strategies are stored. Failed adds are logged and left out; the list
// returned is always what the platform holds afterwards.
std::vector<ST_MSGVoiceBroadcastStrategy> loadWindowStrategies(int windowKey);

} // namespace StrategyLoader
