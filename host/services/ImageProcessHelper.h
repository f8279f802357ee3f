#pragma once

#include <QImage>

// Picture treatments used for privacy.
class ImageProcessHelper
{
public:
    // Pixelates the whole picture in place with square blocks of blockSize pixels, each block
    // filled with its average colour (edge blocks are cut to the picture), and returns the
    // result. A null picture or a block size below 2 leaves the picture as it is; a block
    // larger than the picture turns it into one colour.
    static QImage tryFullImageMosaic(QImage &image, int blockSize);
};
