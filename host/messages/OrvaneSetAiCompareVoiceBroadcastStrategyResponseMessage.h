#pragma once

#include "OrvaneResponseMessage.h"

// Reply to a set request.
class OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;
};
