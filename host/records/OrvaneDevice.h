#pragma once

#include "OrvaneRecord.h"

#include <QMetaType>
#include <QString>

#include <vector>

// One device registered on the platform (camera, thermal camera, recorder).
class OrvaneDevice
{
    ORVANE_FIELD(int, id, orvane::NoValue)
    ORVANE_FIELD(QString, device_uid, QString())
    ORVANE_FIELD(QString, device_name, QString())
    ORVANE_FIELD(int, group_id, orvane::NoValue)
    ORVANE_FIELD(int, device_type_id, 0)
    // Bit set of AI detection types the device runs; NoValue when the device never reported it.
    ORVANE_FIELD(int, ai_detect, orvane::NoValue)
    ORVANE_FIELD(QString, ip, QString())
    ORVANE_FIELD(int, online, 1)
};

using OrvaneDeviceList = std::vector<OrvaneDevice>;

Q_DECLARE_METATYPE(OrvaneDevice)
Q_DECLARE_METATYPE(OrvaneDeviceList)
