#pragma once

#include "OrvaneArchive.h"
#include "OrvaneArchiveImageInfo.h"

#include <QMetaType>

// One face-library match of a snapshot.
struct CompareInfo
{
    OrvaneArchiveImageInfo archiveImage;
    OrvaneArchive archive;
    int matchFlag = 0; // 0: no registered face was matched
    float score = 0.0f;
    int libraryId = -99999;
};

Q_DECLARE_METATYPE(CompareInfo)
