#pragma once

#include "OrvaneResponseMessage.h"

// Reply to the daily-totals reset; carries nothing beyond the call's result.
class OrvaneClearTemperatureSnapTotalsEachDayResponseMessage : public OrvaneResponseMessage
{
public:
    QString getClassName() const override;
};
