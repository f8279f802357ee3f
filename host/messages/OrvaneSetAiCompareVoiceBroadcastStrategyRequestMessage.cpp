#include "OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage.h"

QString OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage");
}
