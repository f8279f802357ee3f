#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

// One group of the face library; groups nest through parent_id (NoValue for a root group).
class OrvanePersonGroup
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, group_name, QString())
    ORVANE_FIELD(int, parent_id, orvane::NoValue)
};

Q_DECLARE_METATYPE(OrvanePersonGroup)
