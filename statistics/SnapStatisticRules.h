#pragma once

#include "SnapStatisticTypes.h"

// The decisions of the daily totals, apart from their widgets.
namespace SnapStatisticRules {

constexpr int QueryIntervalMs = 30000;          // with recorder snapshots in the totals
constexpr int PlatformQueryIntervalMs = 600000; // platform snapshots only

// Interval the query timer restarts with when the source type changes from p_eStored to
// p_eNew; 0 leaves the timer as it is (same type, or a type that is not queried).
int restartIntervalMs(ENUM_MSGQueryTimeTempSnapStatisticsType p_eStored,
                      ENUM_MSGQueryTimeTempSnapStatisticsType p_eNew);

// Whether a live snapshot of the source kind (1 another server, 3 the login server) counts
// into totals of the source type.
bool countsSourceKind(ENUM_MSGQueryTimeTempSnapStatisticsType p_eType, int p_nSourceKind);

// The share a ring shows, in whole percent: rounded up to 50 % and down above it, computed in
// single precision, so that 0 % and 100 % stand only for exact values.
int ringPercentage(int p_nTotal, int p_nPart);

// Source type of the filter's two boxes.
ENUM_MSGQueryTimeTempSnapStatisticsType typeFromSources(bool p_bPlatform, bool p_bNVR);

} // namespace SnapStatisticRules
