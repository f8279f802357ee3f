#pragma once

#include "OrvaneDelRequestMessage.h"

// Deletes stored voice broadcast strategies by id.
class OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage : public OrvaneDelRequestMessage
{
public:
    QString getClassName() const override;
};
