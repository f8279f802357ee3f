#pragma once

#include "OrvaneCompareNotifyMessage.h"

#include <QByteArray>

// Stored form of a comparison notification: compact JSON carrying every field of the
// notification and of its matches. 8-byte values are kept as decimal text, which JSON numbers
// cannot hold exactly. Decoding is forgiving field by field: a missing or mistyped field keeps
// the record's default; a payload that is not a JSON object gives false.
class CompareNotifyCodec
{
public:
    static QByteArray encode(const OrvaneCompareNotifyMessage &message);
    static bool decode(const QByteArray &payload, OrvaneCompareNotifyMessage &message);
};
