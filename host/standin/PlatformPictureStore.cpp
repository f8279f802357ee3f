#include "PlatformPictureStore.h"

#include "LogText.h"
#include "SnapPathResolver.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

QString PlatformPictureStore::absolutePath(const QString &relativeName)
{
    return SnapPathResolver::resolveInside(SnapPathResolver::pictureStoreFolder(), relativeName);
}

QString PlatformPictureStore::store(const QString &relativeName, const QImage &image)
{
    const QString path = absolutePath(relativeName);
    if (path.isEmpty()) {
        qWarning().noquote() << "PlatformPictureStore::store refused name outside the store:"
                             << LogText::quoted(relativeName);
        return QString();
    }
    if (image.isNull()) {
        qDebug().noquote() << "PlatformPictureStore::store no picture for"
                           << LogText::quoted(relativeName);
        return QString();
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qDebug().noquote() << "PlatformPictureStore::store cannot create folder for"
                           << LogText::quoted(path);
        return QString();
    }

    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
        format = "jpg";
    // Written through a temporary so that a transfer running meanwhile never copies half a
    // picture.
    QSaveFile file(path);
    QImageWriter writer(&file, format);
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        qDebug().noquote() << "PlatformPictureStore::store cannot write" << LogText::quoted(path)
                           << writer.errorString() << file.errorString();
        return QString();
    }
    return relativeName;
}

bool PlatformPictureStore::contains(const QString &relativeName)
{
    const QString path = absolutePath(relativeName);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool PlatformPictureStore::remove(const QString &relativeName)
{
    const QString path = absolutePath(relativeName);
    return !path.isEmpty() && QFile::remove(path);
}
