#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

// One registered person (archive) of the face library.
class OrvaneArchive
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, name, QString())
    ORVANE_FIELD(int, group_id, orvane::NoValue)
    ORVANE_FIELD(int, gender, 0)
    ORVANE_FIELD(QString, image_url, QString())
};

Q_DECLARE_METATYPE(OrvaneArchive)
