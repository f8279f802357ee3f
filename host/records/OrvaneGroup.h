#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

// One organisation of the platform's organisation tree. The group code spells the path from the
// root, three digits per level ("001", "001002"), so a sub-organisation's code starts with its
// parent's.
class OrvaneGroup
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, group_name, QString())
    ORVANE_FIELD(QString, group_code, QString())
    ORVANE_FIELD(int, parent_id, orvane::NoValue)
};

using OrvaneOrga = OrvaneGroup;

Q_DECLARE_METATYPE(OrvaneGroup)
