#include "OrvaneClearTemperatureSnapTotalsEachDayResponseMessage.h"

QString OrvaneClearTemperatureSnapTotalsEachDayResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneClearTemperatureSnapTotalsEachDayResponseMessage");
}
