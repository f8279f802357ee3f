#pragma once

#include "OrvaneRequestMessage.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

// Stores a new voice broadcast strategy; the platform gives it its id.
class OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage : public OrvaneRequestMessage
{
public:
    QString getClassName() const override;

    void setVoiceBroadcastStrategy(const ST_MSGVoiceBroadcastStrategy &strategy)
    {
        m_strategy = strategy;
    }
    const ST_MSGVoiceBroadcastStrategy &getVoiceBroadcastStrategy() const { return m_strategy; }

private:
    ST_MSGVoiceBroadcastStrategy m_strategy;
};
