#pragma once

#include <QString>

// Maps platform picture names to files of the stand-in host and keeps every such file inside
// the folder it belongs to. Picture names come from notifications, so they are untrusted: the
// functions here never produce a path outside the given root, whatever the name holds.
class SnapPathResolver
{
public:
    // <configuration folder>/cache: where downloaded pictures are kept.
    static QString cacheFolder();
    // <configuration folder>/platform/pictures: the platform's picture store.
    static QString pictureStoreFolder();

    // ":/..." names a Qt resource; resources are always available and never copied.
    static bool isResourcePath(const QString &path);

    // True for a relative name made only of plain segments: no "." or "..", no empty segment,
    // no leading slash, no backslash, colon (drive letters, schemes) or other characters that
    // some file system treats specially, no reserved device names, bounded length.
    static bool isSafeRelativeName(const QString &name);

    // root + "/" + name when the name is safe and the result stays inside root (also after
    // following symbolic links that already exist); otherwise an empty string.
    static QString resolveInside(const QString &root, const QString &relativeName);

    // True when the absolute path lies strictly below root, lexically and, for the part that
    // exists, after resolving symbolic links.
    static bool isInside(const QString &root, const QString &absolutePath);

    // Local cache path of a remote picture below cacheRoot: "snapshot/<name>" or
    // "archive/<name>" for a safe name, "hashed/snapshot/<sha1>.<ext>" (or archive) for any
    // other, so that two different names never share a file. Resource paths are returned as
    // they are.
    static QString localSnapPath(const QString &cacheRoot, const QString &url, bool isSnapshot);
    static QString convertToLocalSnapAbsPath(const QString &url, bool isSnapshot);

private:
    static QString safeSuffix(const QString &url);
};
