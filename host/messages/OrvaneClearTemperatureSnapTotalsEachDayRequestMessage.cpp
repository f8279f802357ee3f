#include "OrvaneClearTemperatureSnapTotalsEachDayRequestMessage.h"

QString OrvaneClearTemperatureSnapTotalsEachDayRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneClearTemperatureSnapTotalsEachDayRequestMessage");
}
