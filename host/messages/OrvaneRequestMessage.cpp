#include "OrvaneRequestMessage.h"

QString OrvaneRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneRequestMessage");
}
