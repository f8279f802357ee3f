#pragma once

#include <QMetaType>
#include <QString>

// Registered picture of the archive a snapshot was matched against.
struct OrvaneArchiveImageInfo
{
    int archiveId = -99999; // -99999: no archive, the person is a stranger
    int archiveGroupId = -99999;
    QString url;
    QString imageName;
};

Q_DECLARE_METATYPE(OrvaneArchiveImageInfo)
