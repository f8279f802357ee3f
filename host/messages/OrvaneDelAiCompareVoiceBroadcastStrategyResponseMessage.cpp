#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"

QString OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage");
}
