#include "OrvaneDelRequestMessage.h"

QString OrvaneDelRequestMessage::getClassName() const
{
    return QStringLiteral("OrvaneDelRequestMessage");
}
