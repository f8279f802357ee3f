#include "FileDataCacheHelper.h"

#include "FileDataCacheGroup.h"

bool FileDataCacheHelper::tryLoadImageData(const QString &path, QImage &image)
{
    return FileDataCacheGroup::findImageData(path, image);
}

bool FileDataCacheHelper::tryLoadPixmapData(const QString &path, QPixmap &pixmap)
{
    QImage image;
    if (!FileDataCacheGroup::findImageData(path, image))
        return false;
    pixmap = QPixmap::fromImage(image);
    return !pixmap.isNull();
}
