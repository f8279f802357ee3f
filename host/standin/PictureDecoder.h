#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes picture files that come from the platform. Only the formats cameras send are read
// (JPEG, PNG, BMP), recognised by their first bytes and decoded with that format's reader
// alone: a file's name or Qt's content sniffing never picks another decoder, so an SVG or any
// other format that can pull in further files or expand without limit is refused. The size is
// read from the header first and a picture above MaxPixels is refused before any pixel is
// decoded.
class PictureDecoder
{
public:
    // 4096 x 4096: 64 MiB decoded, far above any camera snapshot, and the largest picture that
    // fits the default image cache.
    static constexpr qint64 MaxPixels = 4096LL * 4096;

    // "jpeg", "png" or "bmp" from the first bytes of a file; empty for anything else.
    static QByteArray detectFormat(const QByteArray &head);

    // False, with the reason (for a log line) and *image untouched, when the file cannot be
    // opened, is no JPEG, PNG or BMP, has no readable size, is larger than MaxPixels or does
    // not decode.
    static bool decode(const QString &path, QImage *image, QString *reason);
};
