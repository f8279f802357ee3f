#include "SnapStatisticRules.h"

#include <cmath>

namespace SnapStatisticRules {

int restartIntervalMs(ENUM_MSGQueryTimeTempSnapStatisticsType p_eStored,
                      ENUM_MSGQueryTimeTempSnapStatisticsType p_eNew)
{
    if (p_eNew == p_eStored)
        return 0;
    if (p_eNew == QueryByNVR || p_eNew == QueryByPlatformAndNVR)
        return QueryIntervalMs;
    if (p_eNew == QueryByPlatform)
        return PlatformQueryIntervalMs;
    return 0;
}

bool countsSourceKind(ENUM_MSGQueryTimeTempSnapStatisticsType p_eType, int p_nSourceKind)
{
    return (p_eType == QueryByPlatform && p_nSourceKind == 1)
           || (p_eType == QueryByNVR && p_nSourceKind == 3) || p_eType == QueryByPlatformAndNVR;
}

int ringPercentage(int p_nTotal, int p_nPart)
{
    if (p_nTotal <= 0 || p_nPart <= 0)
        return 0;
    if (p_nPart == p_nTotal)
        return 100;
    // Single precision on purpose: 3 of 10 gives 30.000002 and shows as 31 %.
    const float percent = float(p_nPart) / float(p_nTotal) * 100.0f;
    return int(percent <= 50.0f ? std::ceil(percent) : std::floor(percent));
}

ENUM_MSGQueryTimeTempSnapStatisticsType typeFromSources(bool p_bPlatform, bool p_bNVR)
{
    if (p_bPlatform && p_bNVR)
        return QueryByPlatformAndNVR;
    if (p_bNVR)
        return QueryByNVR;
    if (p_bPlatform)
        return QueryByPlatform;
    return QueryByNone;
}

} // namespace SnapStatisticRules
