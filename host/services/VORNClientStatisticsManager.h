#pragma once

#include "CuVORNClientManager.h"
#include "StatisticsQueryOfOrga.h"

class OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage;
class OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage;

// Statistics services of the client.
class VORNClientStatisticsManager : public CuVORNClientManager
{
    Q_OBJECT
public:
    static VORNClientStatisticsManager *instance();

    // Handled over-temperature alarms per hour and handling type for the query's organisations
    // and everything below them. Blocks until the platform answers; false with the reason in
    // getLastErrorString(), the response then left empty.
    bool
    getTempAlarmHandleStatistics(OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage &request,
                                 OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage &response);

private:
    // Fault switches and what the stand-in received: see HostTesting (host/testing).
    friend class HostTesting;
    enum class Answer { Stored, Fail, Empty };
    void setAlarmHandleAnswer(Answer answer);
    StatisticsQueryOfOrga lastAlarmHandleQuery() const;
    int alarmHandleQueryCount() const;

    VORNClientStatisticsManager();
    ~VORNClientStatisticsManager() override;
    Q_DISABLE_COPY(VORNClientStatisticsManager)

    Answer m_eAlarmHandleAnswer = Answer::Stored;
    StatisticsQueryOfOrga m_objLastAlarmHandleQuery;
    int m_nAlarmHandleQueries = 0;
};
