#pragma once

#include "OrvaneSnapTargetSource.h"

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// The snapshot half of a comparison notification: everything about the captured face that does
// not depend on which library entry it matched.
struct OrvaneSnapFaceInfo
{
    qint64 snapId = 0;
    qint64 faceId = 0;
    qint64 snapTimestampMs = 0;
    int maskStatus = 0; // 2: no mask is worn
    int age = -99999;
    int gender = 0;
    int glasses = 0;
    QString faceRect; // "x,y,w,h" within the full scene picture
    OrvaneSnapTargetSource snapTargetSource;
};

Q_DECLARE_METATYPE(OrvaneSnapFaceInfo)
