#pragma once

#include "OrvaneRequestMessage.h"
#include "StatisticsQueryOfOrga.h"

// Asks for today's handled over-temperature alarms per hour and handling type.
class OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage : public OrvaneRequestMessage
{
public:
    QString getClassName() const override;

    void setQueryStatisticsOfOrga(const StatisticsQueryOfOrga &query);
    StatisticsQueryOfOrga getQueryStatisticsOfOrga() const;

private:
    StatisticsQueryOfOrga m_objQuery;
};
