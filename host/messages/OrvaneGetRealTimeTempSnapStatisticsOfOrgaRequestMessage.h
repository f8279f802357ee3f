#pragma once

#include "OrvaneRequestMessage.h"

#include <QString>

// Asks for today's snapshot totals of an organisation and every organisation below it.
class OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage : public OrvaneRequestMessage
{
public:
    QString getClassName() const override;

    // Days as "yyyy-MM-dd"; both ends are included.
    void setStartTime(const QString &p_strTime) { m_strStartTime = p_strTime; }
    void setEndTime(const QString &p_strTime) { m_strEndTime = p_strTime; }
    QString getStartTime() const { return m_strStartTime; }
    QString getEndTime() const { return m_strEndTime; }

    // Snapshot sources counted: 1 platform, 2 recorders, 3 both.
    int m_nType = 3;
    int m_nUserId = -99999;
    int m_nOrgaId = -99999;

private:
    QString m_strStartTime;
    QString m_strEndTime;
};
