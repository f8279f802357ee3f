#pragma once

#include <QImage>
#include <QString>

// The platform's picture store: pictures saved under relative names in
// <configuration folder>/platform/pictures, the names notifications carry as picture URLs.
class PlatformPictureStore
{
public:
    // Saves the picture (format from the name's suffix, JPEG when it has none) and returns
    // the name to put into a notification, or an empty string (with a log line) when the name
    // is not a safe relative name, the picture is null or it cannot be written.
    static QString store(const QString &relativeName, const QImage &image);
    // Absolute path of a stored name, empty when the name is not safe.
    static QString absolutePath(const QString &relativeName);
    static bool contains(const QString &relativeName);
    static bool remove(const QString &relativeName);
};
