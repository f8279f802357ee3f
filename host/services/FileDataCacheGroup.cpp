#include "FileDataCacheGroup.h"

#include "ImageDataCache.h"

bool FileDataCacheGroup::findImageData(const QString &path, QImage &image)
{
    return ImageDataCache::shared().find(path, image);
}

void FileDataCacheGroup::setCacheByteLimit(qint64 bytes)
{
    ImageDataCache::shared().setByteLimit(bytes);
}

qint64 FileDataCacheGroup::cacheByteLimit()
{
    return ImageDataCache::shared().byteLimit();
}

qint64 FileDataCacheGroup::cachedBytes()
{
    return ImageDataCache::shared().cachedBytes();
}

int FileDataCacheGroup::cachedCount()
{
    return ImageDataCache::shared().count();
}

bool FileDataCacheGroup::isCached(const QString &path)
{
    return ImageDataCache::shared().contains(path);
}

void FileDataCacheGroup::clearCache()
{
    ImageDataCache::shared().clear();
}
