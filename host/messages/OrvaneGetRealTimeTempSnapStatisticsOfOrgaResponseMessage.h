#pragma once

#include "OrvaneResponseMessage.h"

// Today's snapshot totals: all snapshots, over-temperature ones and those without a mask.
class OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;

    void setTotal(int p_nTotal) { m_nTotal = p_nTotal; }
    void setOverTemp(int p_nOverTemp) { m_nOverTemp = p_nOverTemp; }
    void setNoMask(int p_nNoMask) { m_nNoMask = p_nNoMask; }
    int getTotal() const { return m_nTotal; }
    int getOverTemp() const { return m_nOverTemp; }
    int getNoMask() const { return m_nNoMask; }

private:
    int m_nTotal = 0;
    int m_nOverTemp = 0;
    int m_nNoMask = 0;
};
