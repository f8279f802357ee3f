#include "ScreenPicturePath.h"

#include "AppConfigHelper.h"
#include "LogText.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ScreenPicturePath {

namespace {
constexpr char kPrefix[] = "cmu_pic/voice/";
} // namespace

QString folder()
{
    const QString path = QDir(AppConfigHelper::instance()->getAppConfigDirPath()
                              + QStringLiteral("/cmu_pic/") + QStringLiteral("voice"))
                                 .absolutePath();
    // A failure to create it shows later as a failed download; nothing to report here.
    QDir().mkpath(path);
    return path;
}

bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    // "C:..." is absolute (or drive-relative) on Windows, whatever follows the colon.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (drive.match(name).hasMatch())
        return false;
    // Both separators count: the platform may send either, and Windows honours both.
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QStringList segments = name.split(separators);
    for (const QString &segment : segments) {
        if (segment == QLatin1String(".."))
            return false;
    }
    return !segments.last().isEmpty() && segments.last() != QLatin1String(".");
}

QString localPath(const QString &name)
{
    if (name.isEmpty())
        return QString();
    if (!isSafeName(name)) {
        qWarning().noquote() << QStringLiteral(
                                        "ScreenPicturePath::localPath picture name %1 is not "
                                        "a file inside the voice picture folder; no picture")
                                        .arg(LogText::quoted(name));
        return QString();
    }
    return folder() + QLatin1Char('/') + name;
}

QString relativePath(const QString &fileName)
{
    return QLatin1String(kPrefix) + fileName;
}

QString platformName(const QString &localFile)
{
    return relativePath(QFileInfo(localFile).fileName());
}

} // namespace ScreenPicturePath
