#pragma once

#include <QString>

// Where the custom screen picture lives: the platform names it "cmu_pic/voice/<file>", and it is
// cached inside the local voice-picture folder under that whole name, so the prefix appears
// twice in the local path.
namespace ScreenPicturePath {

// Absolute path of <configuration folder>/cmu_pic/voice, created when missing.
QString folder();

// Local cache path of a platform picture name: folder() + "/" + name. Empty for an empty name,
// and for a name that could leave the voice folder (".." segments, a leading "/" or "\",
// a drive letter): such a name counts as no picture.
QString localPath(const QString &name);

// True when the name stays inside the voice folder once appended to it.
bool isSafeName(const QString &name);

// Platform name of a picture file name: "cmu_pic/voice/" + name.
QString relativePath(const QString &fileName);

// Platform name of a local picture file: "cmu_pic/voice/" + its file name, without folders.
QString platformName(const QString &localFile);

} // namespace ScreenPicturePath
