#pragma once

#include "SnapComparesMessage.h"

#include <QImage>
#include <QString>

// Records and real pictures for the card and strip suites.
namespace snaptest {

struct RecordSpec
{
    QString url;
    int state = 0;
    double temperature = 36.5;
    int compareResult = 1;
    int archiveId = 7;
    int archiveGroupId = 3;
    QString archiveName = QStringLiteral("Ann");
    int maskStatus = 1;
    bool announce = false;
    QString channelUid;
    QString snapTime = QStringLiteral("2024-05-06 08:09:10");
};

inline SnapComparesMessage makeRecord(const RecordSpec &spec)
{
    OrvaneSnapFaceInfo face;
    face.maskStatus = spec.maskStatus;
    OrvaneSnapTargetSource &source = face.snapTargetSource;
    source.snapDetailImageURL = spec.url;
    source.channelUID = spec.channelUid;
    source.snapTime = spec.snapTime;
    source.compareResult = spec.compareResult;
    source.hasTemperature = 1;
    source.temperature = spec.temperature;
    source.temperatureState = spec.state;

    CompareInfo match;
    match.archiveImage.archiveId = spec.archiveId;
    match.archiveImage.archiveGroupId = spec.archiveGroupId;
    match.archive.set_name(spec.archiveName);
    match.matchFlag = spec.archiveId == -99999 ? 0 : 1;
    return SnapComparesMessage(face, match, spec.announce);
}

// A picture with detail in every block, so that scaling and pixelating both show.
inline QImage facePicture(int width = 160, int height = 200)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * x + y) % 256, (y * 11) % 256));
    }
    return image;
}

inline QString writeFacePicture(const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name;
    return facePicture().save(path, "PNG") ? path : QString();
}

inline QImage normalised(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace snaptest
