#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

// The user logged in to the platform.
class OrvaneUser
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, user_name, QString())
    ORVANE_FIELD(int, user_type, 0)
    ORVANE_FIELD(int, orga_id, orvane::NoValue)
};

Q_DECLARE_METATYPE(OrvaneUser)
