#pragma once

#include <QString>

#include <vector>

// A statistics query over organisations: who asks, what is counted, over which hours and for
// which organisations (each with everything below it).
struct StatisticsQueryOfOrga
{
    // Time unit of the answer's buckets; 1: hours.
    static constexpr int TimeUnitHour = 1;
    // What is counted; 3: handled over-temperature alarms.
    static constexpr int KindTempAlarmHandling = 3;

    int nTimeUnit = TimeUnitHour;
    int nUserId = -99999;
    int nStatisticsKind = KindTempAlarmHandling;
    int nDeviceId = -99999;  // -99999: every device
    int nChannelId = -99999; // -99999: every channel
    QString strStartTime;    // "yyyy-MM-dd hh", first hour included
    QString strEndTime;      // "yyyy-MM-dd hh", last hour included
    std::vector<int> vecOrgaIds;
};
