#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"

QString OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage");
}
