#pragma once

#include "OrvaneMessage.h"

// A request sent to the platform.
class OrvaneRequestMessage : public OrvaneMessage
{
public:
    QString getClassName() const override;
};
