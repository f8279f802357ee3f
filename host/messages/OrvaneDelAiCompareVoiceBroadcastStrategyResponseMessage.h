#pragma once

#include "OrvaneResponseMessage.h"

// Reply to a delete request.
class OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;
};
