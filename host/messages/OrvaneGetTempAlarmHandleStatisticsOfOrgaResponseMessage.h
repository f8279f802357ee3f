#pragma once

#include "OrvaneResponseMessage.h"
#include "TempAlarmHandleStatistics.h"

// Handled over-temperature alarms, one row per hour and handling type that has any.
class OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;

    void setRecords(const TempAlarmHandleStatisticsList &records);
    TempAlarmHandleStatisticsList getRecords() const;

private:
    TempAlarmHandleStatisticsList m_vecRecords;
};
