#pragma once

#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"

// Replaces the stored strategy that has the same id.
class OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage
    : public OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage
{
public:
    QString getClassName() const override;
};
