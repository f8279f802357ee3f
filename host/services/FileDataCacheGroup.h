#pragma once

#include <QImage>
#include <QString>

// The host's picture cache as seen by widgets. Every group shares the one bounded cache of
// decoded pictures; the functions are static so they can be called through a member or the
// class alike.
class FileDataCacheGroup
{
public:
    // Finds a downloaded picture by its local path, or a resource picture by ":/..." path.
    static bool findImageData(const QString &path, QImage &image);

private:
    // The cache's bound and content are stand-in internals: see HostTesting (host/testing).
    friend class HostTesting;
    static void setCacheByteLimit(qint64 bytes);
    static qint64 cacheByteLimit();
    static qint64 cachedBytes();
    static int cachedCount();
    static bool isCached(const QString &path);
    static void clearCache();
};
