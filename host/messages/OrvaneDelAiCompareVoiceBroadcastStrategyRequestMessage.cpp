#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"

QString OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage");
}
