#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage.h"

QString OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage");
}
