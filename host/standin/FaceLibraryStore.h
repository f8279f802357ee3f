#pragma once

#include "OrvaneArchive.h"
#include "OrvanePersonGroup.h"

#include <QString>

#include <vector>

// The operator's changes to the platform's face library: persons added from snapshots and
// persons whose picture was replaced, kept in the platform store (table "face_library") and
// applied over the scenario's archives whenever a scenario loads, so they survive a restart.
// Pictures are decoded through the host's guarded decoder and stored anew in the platform's
// picture store ("library/persons/..."); a replaced picture of ours is removed, so the store
// holds one picture per person.
class FaceLibraryStore
{
public:
    // Operator additions are bounded; beyond it an addition is refused.
    static constexpr int MaxAddedPersons = 10000;

    // Adds a person with the picture of a local cached snapshot; *archive receives the new
    // record. False with a reason in *error (English, for logs) when the picture is refused
    // (outside the cache folder, not a picture), the group is unknown or the store fails.
    static bool addPerson(const QString &name, int groupId, const QString &localPicture,
                          OrvaneArchive *archive, QString *error);
    // Replaces the picture of a stored person; same failures, or an unknown person.
    static bool updatePerson(int archiveId, const QString &localPicture, QString *error);

    // Applies the stored changes to a freshly loaded list; persons of groups that no longer
    // exist are left out.
    static void applyTo(std::vector<OrvaneArchive> &archives,
                        const std::vector<OrvanePersonGroup> &groups);

private:
    static bool ensureTable();
    static QString storePicture(int archiveId, const QString &localPicture, QString *error);
    static bool writeRow(const OrvaneArchive &archive, bool added, QString *error);
};
