#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage.h"

QString OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage");
}

void OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage::setQueryStatisticsOfOrga(
        const StatisticsQueryOfOrga &query)
{
    m_objQuery = query;
}

StatisticsQueryOfOrga
OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage::getQueryStatisticsOfOrga() const
{
    return m_objQuery;
}
