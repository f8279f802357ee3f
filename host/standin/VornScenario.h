#pragma once

#include "OrvaneArchive.h"
#include "OrvaneChannel.h"
#include "OrvaneDevice.h"
#include "OrvaneGroup.h"
#include "OrvanePersonGroup.h"
#include "OrvaneUser.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Everything the stand-in platform knows about one logged-in client, read from a scenario file:
//
//   { "version": 1,
//     "loginServer": { "uid": "...", "handle": 1 },
//     "pictureServers": [ { "uid": "...", "handle": 2, "connected": true } ],
//     "user": { "id": 7, "name": "...", "kind": 0, "orgaId": 1,
//               "passwordDigest": "pbkdf2-sha256$<iterations>$<salt>$<digest>" },
//     "customizations": [ "Func_PasswordAgainAuth" ],
//     "deviceTypes": { "thermal": [20, 21], "recorder": [2, 3] },
//     "organisations": [ { "id": 1, "name": "...", "code": "001", "parentId": -99999 } ],
//     "devices": [ { "id": 101, "uid": "...", "name": "...", "typeId": 20, "groupId": 1,
//                    "aiDetect": -99999, "ip": "...",
//                    "channels": [ { "id": 1001, "no": 1, "name": "...", "typeId": 20,
//                                    "stream": "gate-a.ogg" } ] } ],
//     "personGroups": [ { "id": 1, "name": "...", "parentId": -99999 } ],
//     "archives": [ { "id": 501, "name": "...", "groupId": 1 } ] }
//
// A channel's optional "stream" is what the player opens: a file path or a file://, rtsp://,
// http:// or https:// URL; a relative path names a clip in the player's clip folder.
//
// Records are held behind unique_ptr so look-up pointers stay valid while the lists change.
struct VornScenario
{
    QString loginServerUid;
    int loginServerHandle = 1;
    QHash<QString, long> pictureServerHandles; // connected servers only
    OrvaneUser user;
    int userKind = 0;
    // The user's salted password digest (see PasswordVault); empty: no password to check.
    QString userPasswordDigest;
    // Customisations on until the platform store says otherwise.
    QStringList customizations;
    QSet<int> thermalTypeIds;
    QSet<int> recorderTypeIds;
    std::vector<std::unique_ptr<OrvaneGroup>> orgas;
    std::vector<std::unique_ptr<OrvaneDevice>> devices;
    std::vector<std::unique_ptr<OrvaneChannel>> channels;
    QHash<int, QString> channelStreams; // channel id -> stream, for channels that name one
    std::vector<OrvanePersonGroup> personGroups;
    std::vector<OrvaneArchive> archives;

    static QSet<int> defaultThermalTypeIds();
    static QSet<int> defaultRecorderTypeIds();

    // Fills out from the JSON text; returns false with a reason and leaves out unspecified on
    // any structural error (missing or mistyped field, duplicate id, dangling reference).
    static bool parse(const QByteArray &json, VornScenario &out, QString &error);
};
