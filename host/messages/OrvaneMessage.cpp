#include "OrvaneMessage.h"

OrvaneMessage::~OrvaneMessage() = default;

QString OrvaneMessage::getClassName() const
{
    return QStringLiteral("OrvaneMessage");
}
