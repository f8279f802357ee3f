#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <vector>

class QObject;

// How a screen finds its strategy list on the platform at its first show.
namespace StrategyLoader {

// The screen's "priviewWinId" property plus 1; 0 when the property is missing or not a number.
int strategyWindowId(const QObject *screen);

// The window's stored list. A window without one copies the list of window 2 (window 3 only)
// or of window 1 under its own id; when no list exists anywhere the stranger and the registry
// default strategies are stored. Failed adds are logged and left out; the list returned is
// always what the platform holds afterwards.
//
// False, with an empty list, when a list call failed: a failed call says nothing about what is
// stored, so nothing is copied or created on its account (that would store the defaults again
// on every failed start). The caller tries again later.
bool loadWindowStrategies(int strategyWindowId,
                          std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);

// As above; empty when the list could not be read.
std::vector<ST_MSGVoiceBroadcastStrategy> loadWindowStrategies(int strategyWindowId);

} // namespace StrategyLoader
