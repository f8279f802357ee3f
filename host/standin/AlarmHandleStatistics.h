#pragma once

#include "AlarmHandlingStore.h"
#include "StatisticsQueryOfOrga.h"
#include "TempAlarmHandleStatistics.h"

#include <QString>

#include <functional>
#include <vector>

// The platform's side of the over-temperature handling statistics: the stored handlings of the
// queried hours, of alarms raised on devices of the queried organisations or below, counted per
// hour and handling type.
class AlarmHandleStatistics
{
public:
    static constexpr const char *HourFormat = "yyyy-MM-dd hh";

    // False with the reason in *error for a query the platform does not serve or a store it
    // cannot read.
    static bool answer(const StatisticsQueryOfOrga &query, TempAlarmHandleStatisticsList &rows,
                       QString *error);

    // One row per (hour, handling type) among the handlings that inScope accepts, by hour and
    // then type. At most 24 x types rows a day, whatever the traffic.
    static TempAlarmHandleStatisticsList
    countByHour(const std::vector<AlarmHandlingStore::Record> &handlings,
                const std::function<bool(const AlarmHandlingStore::Record &)> &inScope);

    // Whether the organisation code lies at or below one of the codes.
    static bool isWithin(const QString &orgaCode, const QStringList &scopeCodes);
};
