#pragma once

#include "CompareInfo.h"
#include "OrvaneSnapFaceInfo.h"

#include <QMetaType>

// One accepted face-library match of a snapshot: the snapshot fields of the notification, the
// match, and whether the snapshot is announced (live) or not (history). The intake creates one
// per match on the heap and releases it once its pictures are handled; everyone else keeps
// copies.
class SnapComparesMessage
{
public:
    SnapComparesMessage();
    SnapComparesMessage(const OrvaneSnapFaceInfo &p_objSnapFaceInfo,
                        const CompareInfo &p_objCompareInfo, bool p_bAnnounce);
    SnapComparesMessage(const SnapComparesMessage &other);
    SnapComparesMessage(SnapComparesMessage &&other) noexcept;
    SnapComparesMessage &operator=(const SnapComparesMessage &other) = default;
    SnapComparesMessage &operator=(SnapComparesMessage &&other) = default;
    ~SnapComparesMessage();

    // Instances alive right now, copies included (each card keeps one). Leak and double-release
    // checks compare it before and after a run.
    static int liveCount();
    // Makes the record usable in QVariant and queued connections; safe to call repeatedly.
    static void registerMetaType();

    OrvaneSnapFaceInfo snapFaceInfo;
    CompareInfo compareInfo;
    bool bAnnounce = false;
};

Q_DECLARE_METATYPE(SnapComparesMessage)
