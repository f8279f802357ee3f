#pragma once

#include <QString>

// Base of every platform message; receivers check the class name before reading a reply.
class OrvaneMessage
{
public:
    OrvaneMessage() = default;
    OrvaneMessage(const OrvaneMessage &) = default;
    OrvaneMessage &operator=(const OrvaneMessage &) = default;
    virtual ~OrvaneMessage();

    virtual QString getClassName() const;
};
