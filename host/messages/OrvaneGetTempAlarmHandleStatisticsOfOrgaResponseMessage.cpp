#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage.h"

QString OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage");
}

void OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage::setRecords(
        const TempAlarmHandleStatisticsList &records)
{
    m_vecRecords = records;
}

TempAlarmHandleStatisticsList
OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage::getRecords() const
{
    return m_vecRecords;
}
