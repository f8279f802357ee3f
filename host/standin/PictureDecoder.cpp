#include "PictureDecoder.h"

#include <QFile>
#include <QImageReader>

QByteArray PictureDecoder::detectFormat(const QByteArray &head)
{
    if (head.startsWith("\xff\xd8\xff"))
        return QByteArrayLiteral("jpeg");
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return QByteArrayLiteral("png");
    if (head.startsWith("BM"))
        return QByteArrayLiteral("bmp");
    return QByteArray();
}

bool PictureDecoder::decode(const QString &path, QImage *image, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot open: ") + file.errorString();
        return false;
    }
    const QByteArray format = detectFormat(file.peek(8));
    if (format.isEmpty()) {
        *reason = QStringLiteral("not a JPEG, PNG or BMP picture");
        return false;
    }

    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        *reason = QStringLiteral("no readable picture size");
        return false;
    }
    if (qint64(size.width()) * size.height() > MaxPixels) {
        *reason = QStringLiteral("%1 x %2 pixels, more than the %3 allowed")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(MaxPixels);
        return false;
    }
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        *reason = QStringLiteral("cannot decode: ") + reader.errorString();
        return false;
    }
    *image = std::move(decoded);
    return true;
}
