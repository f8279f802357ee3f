#pragma once

#include "OrvaneRequestMessage.h"

// Asks the platform to start today's snapshot totals again from zero. Has no fields.
class OrvaneClearTemperatureSnapTotalsEachDayRequestMessage : public OrvaneRequestMessage
{
public:
    QString getClassName() const override;
};
