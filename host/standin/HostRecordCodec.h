#pragma once

#include "AppConfigOEM.h"
#include "AppConfigTemperatureUnit.h"
#include "IntelligentSnapConfigParam.h"
#include "PREVIEWCONFIGPARAM.h"

#include <QByteArray>

// Stored form of the host's configuration records: compact JSON, one object per record.
// Decoding is forgiving: a missing or mistyped field keeps the record's default, and a payload
// that is not a JSON object decodes to the default record (with *ok set to false).
class HostRecordCodec
{
public:
    static QByteArray encode(const AppConfigOEM &record);
    static QByteArray encode(const AppConfigTemperatureUnit &record);
    static QByteArray encode(const IntelligentSnapConfigParam &record);
    static QByteArray encode(const PREVIEWCONFIGPARAM &record);

    static AppConfigOEM decodeOEM(const QByteArray &payload, bool *ok = nullptr);
    static AppConfigTemperatureUnit decodeTemperatureUnit(const QByteArray &payload,
                                                          bool *ok = nullptr);
    static IntelligentSnapConfigParam decodeSnapConfig(const QByteArray &payload,
                                                       bool *ok = nullptr);
    static PREVIEWCONFIGPARAM decodePreviewConfig(const QByteArray &payload, bool *ok = nullptr);
};
