#include "SnapPathResolver.h"

#include "AppConfigHelper.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr int MaxNameLength = 240;
constexpr int MaxSegmentLength = 120;

bool isReservedDeviceName(const QString &segment)
{
    // Windows refuses these as file names whatever the extension.
    const QString base = segment.section(QLatin1Char('.'), 0, 0).toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (fixed.contains(base))
        return true;
    if (base.size() == 4
        && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))
        && base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9'))
        return true;
    return false;
}

bool isForbiddenChar(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x20 || u == 0x7f)
        return true;
    switch (u) {
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

// Deepest existing ancestor of a clean absolute path (the path itself when it exists). A dangling
// symbolic link counts as existing: writing through it would create its target.
QString existingAncestor(QString path)
{
    while (!path.isEmpty() && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QStringLiteral("/");
        path.truncate(slash);
    }
    return path;
}

bool hasPrefixFolder(const QString &folder, const QString &path)
{
    if (folder == QLatin1String("/"))
        return path.size() > 1 && path.startsWith(folder);
    return path.size() > folder.size() + 1 && path.startsWith(folder)
           && path.at(folder.size()) == QLatin1Char('/');
}

} // namespace

QString SnapPathResolver::cacheFolder()
{
    return QDir::cleanPath(AppConfigHelper::instance()->getAppConfigDirPath()
                           + QStringLiteral("/cache"));
}

QString SnapPathResolver::pictureStoreFolder()
{
    return QDir::cleanPath(AppConfigHelper::instance()->getAppConfigDirPath()
                           + QStringLiteral("/platform/pictures"));
}

bool SnapPathResolver::isResourcePath(const QString &path)
{
    return path.startsWith(QLatin1String(":/"));
}

bool SnapPathResolver::isSafeRelativeName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength || name.startsWith(QLatin1Char('/')))
        return false;
    for (const QChar c : name) {
        if (isForbiddenChar(c))
            return false;
    }
    const QStringList segments = name.split(QLatin1Char('/'));
    for (const QString &segment : segments) {
        if (segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String("..")
            || segment.size() > MaxSegmentLength)
            return false;
        // Windows drops trailing dots and blanks, which would make two names one file.
        if (segment.endsWith(QLatin1Char('.')) || segment.endsWith(QLatin1Char(' ')))
            return false;
        if (isReservedDeviceName(segment))
            return false;
    }
    return true;
}

bool SnapPathResolver::isInside(const QString &root, const QString &absolutePath)
{
    if (root.isEmpty() || !QDir::isAbsolutePath(root) || !QDir::isAbsolutePath(absolutePath))
        return false;
    const QString cleanRoot = QDir::cleanPath(root);
    const QString cleanPath = QDir::cleanPath(absolutePath);
    if (!hasPrefixFolder(cleanRoot, cleanPath))
        return false;

    // A symbolic link below the root could point anywhere: compare the resolved forms of
    // what already exists.
    const QString canonicalRoot = QFileInfo(cleanRoot).canonicalFilePath();
    if (canonicalRoot.isEmpty())
        return true; // nothing below a missing root exists yet
    const QString ancestor = existingAncestor(cleanPath);
    if (ancestor == cleanRoot)
        return true; // nothing below the root exists yet, so no link can be followed
    return hasPrefixFolder(canonicalRoot, QFileInfo(ancestor).canonicalFilePath());
}

QString SnapPathResolver::resolveInside(const QString &root, const QString &relativeName)
{
    if (!isSafeRelativeName(relativeName))
        return QString();
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relativeName);
    return isInside(root, path) ? path : QString();
}

QString SnapPathResolver::safeSuffix(const QString &url)
{
    int start = qMax(url.lastIndexOf(QLatin1Char('/')), url.lastIndexOf(QLatin1Char('\\'))) + 1;
    const QString last = url.mid(start);
    const int dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    const QString suffix = last.mid(dot + 1).toLower();
    if (suffix.isEmpty() || suffix.size() > 5)
        return QString();
    for (const QChar c : suffix) {
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return QString();
    }
    return suffix;
}

QString SnapPathResolver::localSnapPath(const QString &cacheRoot, const QString &url,
                                        bool isSnapshot)
{
    if (isResourcePath(url))
        return url;
    const QString kind = isSnapshot ? QStringLiteral("snapshot") : QStringLiteral("archive");
    const QString root = QDir::cleanPath(cacheRoot);
    // The prefix keeps safe names and hashed names in separate trees, so no remote name can
    // be chosen to land on the file of another.
    const QString plain = resolveInside(root + QLatin1Char('/') + kind, url);
    if (!plain.isEmpty())
        return plain;

    const QByteArray digest =
            QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha1).toHex();
    QString name = QString::fromLatin1(digest);
    const QString suffix = safeSuffix(url);
    if (!suffix.isEmpty())
        name += QLatin1Char('.') + suffix;
    return root + QStringLiteral("/hashed/") + kind + QLatin1Char('/') + name;
}

QString SnapPathResolver::convertToLocalSnapAbsPath(const QString &url, bool isSnapshot)
{
    return localSnapPath(cacheFolder(), url, isSnapshot);
}
