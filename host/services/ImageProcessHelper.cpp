#include "ImageProcessHelper.h"

#include <algorithm>

QImage ImageProcessHelper::tryFullImageMosaic(QImage &image, int blockSize)
{
    if (image.isNull() || blockSize < 2)
        return image;

    // Averaging premultiplied values keeps transparent pixels from darkening their block.
    const QImage::Format work =
            image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != work)
        image = image.convertToFormat(work);

    const int width = image.width();
    const int height = image.height();
    for (int top = 0; top < height; top += std::min(blockSize, height - top)) {
        const int rows = std::min(blockSize, height - top);
        for (int left = 0; left < width; left += std::min(blockSize, width - left)) {
            const int columns = std::min(blockSize, width - left);
            quint64 sum[4] = {0, 0, 0, 0};
            for (int y = top; y < top + rows; ++y) {
                const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = left; x < left + columns; ++x) {
                    sum[0] += quint64(qAlpha(line[x]));
                    sum[1] += quint64(qRed(line[x]));
                    sum[2] += quint64(qGreen(line[x]));
                    sum[3] += quint64(qBlue(line[x]));
                }
            }
            const quint64 n = quint64(rows) * quint64(columns);
            const QRgb average =
                    qRgba(int(sum[1] / n), int(sum[2] / n), int(sum[3] / n), int(sum[0] / n));
            for (int y = top; y < top + rows; ++y) {
                QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                std::fill(line + left, line + left + columns, average);
            }
        }
    }
    return image;
}
