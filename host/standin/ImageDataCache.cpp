#include "ImageDataCache.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>

namespace {
bool isResource(const QString &path)
{
    return path.startsWith(QLatin1String(":/"));
}
} // namespace

ImageDataCache &ImageDataCache::shared()
{
    static ImageDataCache cache;
    return cache;
}

ImageDataCache::ImageDataCache(qint64 byteLimit)
    : m_nByteLimit(qMax<qint64>(0, byteLimit))
{
}

bool ImageDataCache::find(const QString &path, QImage &image)
{
    if (path.isEmpty())
        return false;

    // Stat outside the lock; only files can change under a name.
    qint64 fileSize = -1;
    QDateTime modified;
    if (!isResource(path)) {
        const QFileInfo info(path);
        if (!info.isFile())
            return false;
        fileSize = info.size();
        modified = info.lastModified();
    }

    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_index.constFind(path);
        if (found != m_index.constEnd()) {
            const EntryList::iterator it = found.value();
            if (it->fileSize == fileSize && it->modified == modified) {
                m_entries.splice(m_entries.begin(), m_entries, it);
                image = it->image;
                return true;
            }
            eraseLocked(it);
        }
    }

    // Decode outside the lock: decoding is the slow part and needs no shared state.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        qDebug().noquote() << "ImageDataCache::find cannot decode" << path << reader.errorString();
        return false;
    }
    image = decoded;

    const qint64 bytes = decoded.sizeInBytes();
    QMutexLocker lock(&m_mutex);
    if (bytes > m_nByteLimit)
        return true;
    const auto again = m_index.constFind(path);
    if (again != m_index.constEnd())
        eraseLocked(again.value()); // another thread decoded it meanwhile
    m_entries.push_front(Entry{path, decoded, bytes, fileSize, modified});
    m_index.insert(path, m_entries.begin());
    m_nBytes += bytes;
    evictLocked();
    return true;
}

void ImageDataCache::evictLocked()
{
    while (m_nBytes > m_nByteLimit && !m_entries.empty())
        eraseLocked(std::prev(m_entries.end()));
}

void ImageDataCache::eraseLocked(EntryList::iterator it)
{
    m_nBytes -= it->bytes;
    m_index.remove(it->path);
    m_entries.erase(it);
}

void ImageDataCache::setByteLimit(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    m_nByteLimit = qMax<qint64>(0, bytes);
    evictLocked();
}

qint64 ImageDataCache::byteLimit() const
{
    QMutexLocker lock(&m_mutex);
    return m_nByteLimit;
}

qint64 ImageDataCache::cachedBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_nBytes;
}

int ImageDataCache::count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_entries.size());
}

bool ImageDataCache::contains(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    return m_index.contains(path);
}

void ImageDataCache::remove(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_index.constFind(path);
    if (found != m_index.constEnd())
        eraseLocked(found.value());
}

void ImageDataCache::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
    m_index.clear();
    m_nBytes = 0;
}
