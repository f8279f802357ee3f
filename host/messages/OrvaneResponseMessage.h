#pragma once

#include "OrvaneMessage.h"

// The platform's reply to a request.
class OrvaneResponseMessage : public OrvaneMessage
{
public:
    QString getClassName() const override;
};
