#pragma once

#include <QMetaType>

// Which snapshot sources the daily totals count; sent to the platform with the query.
enum ENUM_MSGQueryTimeTempSnapStatisticsType {
    QueryByPlatform = 1,
    QueryByNVR = 2,
    QueryByPlatformAndNVR = 3,
    QueryByNone = 999, // neither source chosen: nothing is queried, the totals show 0
};

// Which share of the totals an alternate-style ring paints.
enum StatisticsType {
    Healthy = 0,
    Warm = 1,
};

Q_DECLARE_METATYPE(ENUM_MSGQueryTimeTempSnapStatisticsType)
Q_DECLARE_METATYPE(StatisticsType)
