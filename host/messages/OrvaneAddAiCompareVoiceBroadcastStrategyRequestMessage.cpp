#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"

QString OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage");
}
