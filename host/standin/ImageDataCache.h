#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>

#include <list>

// Decoded pictures by path, bounded by the bytes of the decoded images: the least recently
// used pictures leave first. A file entry remembers the file's size and modification time and
// is reloaded when either changed, so a picture downloaded again under the same name is never
// served stale. Resource pictures (":/...") are cached like files. Guarded by a mutex, so any
// thread may use it, although the host touches it from the UI thread only.
class ImageDataCache
{
public:
    static constexpr qint64 DefaultByteLimit = 64LL * 1024 * 1024;

    static ImageDataCache &shared();

    explicit ImageDataCache(qint64 byteLimit = DefaultByteLimit);

    // The picture of the path, decoded and cached on first use. False for a missing or
    // undecodable file. A picture larger than the whole bound is returned but not kept.
    bool find(const QString &path, QImage &image);

    void setByteLimit(qint64 bytes); // evicts at once when lowered
    qint64 byteLimit() const;
    qint64 cachedBytes() const;
    int count() const;
    bool contains(const QString &path) const;
    void remove(const QString &path);
    void clear();

private:
    struct Entry
    {
        QString path;
        QImage image;
        qint64 bytes = 0;
        qint64 fileSize = -1;
        QDateTime modified;
    };
    using EntryList = std::list<Entry>; // front: most recently used

    void evictLocked();
    void eraseLocked(EntryList::iterator it);

    mutable QMutex m_mutex;
    qint64 m_nByteLimit;
    qint64 m_nBytes = 0;
    EntryList m_entries;
    QHash<QString, EntryList::iterator> m_index;
};
