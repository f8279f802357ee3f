#include "VORNClientStatisticsManager.h"

#include "AlarmHandleStatistics.h"
#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage.h"
#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage.h"
#include "VornClient.h"

VORNClientStatisticsManager *VORNClientStatisticsManager::instance()
{
    static VORNClientStatisticsManager manager;
    return &manager;
}

VORNClientStatisticsManager::VORNClientStatisticsManager()
{
    VornClient::instance();
}

VORNClientStatisticsManager::~VORNClientStatisticsManager() = default;

bool VORNClientStatisticsManager::getTempAlarmHandleStatistics(
        OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage &request,
        OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage &response)
{
    const StatisticsQueryOfOrga query = request.getQueryStatisticsOfOrga();
    m_objLastAlarmHandleQuery = query;
    ++m_nAlarmHandleQueries;
    response.setRecords({});

    switch (m_eAlarmHandleAnswer) {
    case Answer::Fail:
        setLastErrorString(QStringLiteral("platform unreachable"));
        return false;
    case Answer::Empty:
        setLastErrorString(QString());
        return true;
    case Answer::Stored:
        break;
    }
    TempAlarmHandleStatisticsList rows;
    QString error;
    if (!AlarmHandleStatistics::answer(query, rows, &error)) {
        setLastErrorString(error);
        return false;
    }
    setLastErrorString(QString());
    response.setRecords(rows);
    return true;
}

void VORNClientStatisticsManager::setAlarmHandleAnswer(Answer answer)
{
    m_eAlarmHandleAnswer = answer;
}

StatisticsQueryOfOrga VORNClientStatisticsManager::lastAlarmHandleQuery() const
{
    return m_objLastAlarmHandleQuery;
}

int VORNClientStatisticsManager::alarmHandleQueryCount() const
{
    return m_nAlarmHandleQueries;
}
