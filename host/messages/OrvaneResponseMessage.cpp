#include "OrvaneResponseMessage.h"

QString OrvaneResponseMessage::getClassName() const
{
    return QStringLiteral("OrvaneResponseMessage");
}
