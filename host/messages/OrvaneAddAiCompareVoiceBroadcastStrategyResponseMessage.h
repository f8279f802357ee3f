#pragma once

#include "OrvaneResponseMessage.h"

// Reply to an add request: the id the platform gave the new strategy.
class OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;

    void setID(int id) { m_id = id; }
    int getID() const { return m_id; }

private:
    int m_id = -99999;
};
