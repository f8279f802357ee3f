#include "OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage.h"

QString OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage");
}
