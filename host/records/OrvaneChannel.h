#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

// One video channel of a device. Its UID is "<device UID>_<channel number>".
class OrvaneChannel
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, channel_uid, QString())
    ORVANE_FIELD(QString, channel_name, QString())
    ORVANE_FIELD(int, channel_no, 0)
    ORVANE_FIELD(int, device_id, orvane::NoValue)
    ORVANE_FIELD(int, channel_type_id, 0)
};

Q_DECLARE_METATYPE(OrvaneChannel)
