#include "ImageDataCache.h"

#include "LogText.h"
#include "PictureDecoder.h"

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
    QString reason;
    if (obtain(path, &image, true, false, nullptr, &reason))
        return true;
    if (!reason.isEmpty())
        qWarning().noquote() << "ImageDataCache::find refused" << LogText::quoted(path) << reason;
    return false;
}

bool ImageDataCache::loadAndHold(const QString &path, bool *held, QString *reason)
{
    QString why;
    if (obtain(path, nullptr, false, true, held, &why))
        return true;
    *reason = why.isEmpty() ? QStringLiteral("no such file") : why;
    return false;
}

// reason stays empty for a plain miss (no path, no file), which is no reason to warn.
bool ImageDataCache::obtain(const QString &path, QImage *image, bool trustHeld, bool wantHold,
                            bool *held, QString *reason)
{
    if (held)
        *held = false;
    if (path.isEmpty())
        return false;

    if (trustHeld) {
        QMutexLocker lock(&m_mutex);
        const auto found = m_index.constFind(path);
        if (found != m_index.constEnd() && found.value()->holds > 0) {
            useLocked(found.value(), image, wantHold, held);
            return true;
        }
    }

    // Stat outside the lock; only files can change under a name.
    Stamp stamp;
    if (!isResource(path)) {
        const QFileInfo info(path);
        if (!info.isFile())
            return false;
        stamp.fileSize = info.size();
        stamp.modified = info.lastModified();
    }

    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_index.constFind(path);
        if (found != m_index.constEnd()) {
            const EntryList::iterator it = found.value();
            if (it->stamp.fileSize == stamp.fileSize && it->stamp.modified == stamp.modified) {
                useLocked(it, image, wantHold, held);
                return true;
            }
            if (it->holds == 0)
                eraseLocked(it);
        }
    }

    // Decode outside the lock: decoding is the slow part and needs no shared state.
    QImage decoded;
    if (isResource(path)) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        decoded = reader.read();
        if (decoded.isNull())
            return false; // a missing resource is a plain miss
    } else if (!PictureDecoder::decode(path, &decoded, reason)) {
        return false;
    }

    const qint64 bytes = decoded.sizeInBytes();
    QMutexLocker lock(&m_mutex);
    int holds = 0;
    const auto again = m_index.constFind(path);
    if (again != m_index.constEnd()) {
        // Decoded meanwhile by another thread, or the file changed under a held entry: the
        // holders get the new picture, as they would from the file.
        holds = again.value()->holds;
        eraseLocked(again.value());
    }
    const bool takeHold = wantHold && canHoldLocked(bytes);
    holds += takeHold ? 1 : 0;
    if (image)
        *image = decoded;
    if (held)
        *held = takeHold;
    if (holds == 0 && bytes > m_nByteLimit)
        return true;
    m_entries.push_front(Entry{path, std::move(decoded), bytes, stamp, holds});
    m_index.insert(path, m_entries.begin());
    m_nBytes += bytes;
    if (holds > 0)
        m_nHeldBytes += bytes;
    evictLocked();
    return true;
}

bool ImageDataCache::canHoldLocked(qint64 bytes) const
{
    return m_nHeldBytes == 0 || m_nHeldBytes + bytes <= m_nByteLimit;
}

void ImageDataCache::useLocked(EntryList::iterator it, QImage *image, bool wantHold, bool *held)
{
    m_entries.splice(m_entries.begin(), m_entries, it);
    if (image)
        *image = it->image;
    if (!wantHold)
        return;
    if (it->holds == 0) {
        if (!canHoldLocked(it->bytes))
            return;
        m_nHeldBytes += it->bytes;
    }
    ++it->holds;
    if (held)
        *held = true;
}

bool ImageDataCache::hold(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_index.constFind(path);
    if (found == m_index.constEnd())
        return false;
    const EntryList::iterator it = found.value();
    if (it->holds++ == 0)
        m_nHeldBytes += it->bytes;
    return true;
}

void ImageDataCache::release(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_index.constFind(path);
    if (found == m_index.constEnd() || found.value()->holds == 0)
        return;
    const EntryList::iterator it = found.value();
    if (--it->holds == 0) {
        m_nHeldBytes -= it->bytes;
        evictLocked();
    }
}

void ImageDataCache::evictLocked()
{
    auto it = m_entries.end();
    while (m_nBytes > m_nByteLimit && it != m_entries.begin()) {
        --it;
        if (it->holds == 0)
            it = eraseLocked(it);
    }
}

ImageDataCache::EntryList::iterator ImageDataCache::eraseLocked(EntryList::iterator it)
{
    m_nBytes -= it->bytes;
    if (it->holds > 0)
        m_nHeldBytes -= it->bytes;
    m_index.remove(it->path);
    return m_entries.erase(it);
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

qint64 ImageDataCache::heldBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_nHeldBytes;
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
    m_nHeldBytes = 0;
}
