#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage.h"

QString OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage");
}
