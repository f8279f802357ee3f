#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <vector>

// How a screen finds its strategy list on the platform at its first show.
namespace StrategyLoader {

// The list stored under the window key (screenWindowKey). A key without one copies the list of
// key 2 (key 3 only) or of key 1 under its own key; when no list exists anywhere the stranger
// and the registry default strategies are stored. Failed adds are logged and left out; the list
// returned is always what the platform holds afterwards.
//
// False, with an empty list, when a list call failed: a failed call says nothing about what is
// stored, so nothing is copied or created on its account (that would store the defaults again
// on every failed start). The caller tries again later.
bool loadWindowStrategies(int windowKey, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);

// As above; empty when the list could not be read.
std::vector<ST_MSGVoiceBroadcastStrategy> loadWindowStrategies(int windowKey);

} // namespace StrategyLoader
