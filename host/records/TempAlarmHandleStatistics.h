#pragma once

#include <QString>

#include <vector>

// One row of the over-temperature handling statistics: how many alarms were handled with one
// handling type within one hour.
struct TempAlarmHandleStatistics
{
    int nHandleType = 0;
    int nCount = 0;
    QString strTime; // "yyyy-MM-dd hh"
};

using TempAlarmHandleStatisticsList = std::vector<TempAlarmHandleStatistics>;
