#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// Loads a picture through the host's shared cache (FileDataCacheGroup). The pixmap variant
// must be called on the UI thread, like every QPixmap use.
class FileDataCacheHelper
{
public:
    static bool tryLoadImageData(const QString &path, QImage &image);
    static bool tryLoadPixmapData(const QString &path, QPixmap &pixmap);
};
