#pragma once

#include "CompareInfo.h"
#include "OrvaneSnapFaceInfo.h"

#include <QMetaType>

#include <vector>

// A face snapshot with its face-library matches, as the platform notifies it.
struct OrvaneCompareNotifyMessage
{
    std::vector<CompareInfo> compareInfoVec; // may be empty
    OrvaneSnapFaceInfo snapFaceInfo;
};

using OrvaneCompareNotifyMessageList = std::vector<OrvaneCompareNotifyMessage>;

Q_DECLARE_METATYPE(OrvaneCompareNotifyMessage)
Q_DECLARE_METATYPE(OrvaneCompareNotifyMessageList)
