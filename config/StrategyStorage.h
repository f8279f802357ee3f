#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QString>

// The platform calls that store and delete one strategy.
namespace StrategyStorage {

// A strategy never stored (id -99999) is added and takes the id the platform gives it; any
// other replaces the stored one. False when the platform refused.
bool store(ST_MSGVoiceBroadcastStrategy &p_objStrategy);
bool remove(int p_nId);
// The platform's reason for the last refusal.
QString lastError();

} // namespace StrategyStorage
