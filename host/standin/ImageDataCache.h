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
// served stale. Files are decoded by PictureDecoder (camera formats only, bounded size);
// resource pictures (":/...") belong to the host and are decoded by content. Guarded by a
// mutex: the transfer's worker thread decodes downloaded pictures into it, the UI thread
// finds them.
//
// Holds keep a decoded download for the receiver of its transfer: a held entry is never
// evicted, is served without looking at the file again, and may exceed the bound while held,
// so the UI thread finds it without decoding, however large. Held bytes are capped at the
// bound (one entry is always allowed): past that, pictures are cached without a hold.
class ImageDataCache
{
public:
    static constexpr qint64 DefaultByteLimit = 64LL * 1024 * 1024;

    static ImageDataCache &shared();

    explicit ImageDataCache(qint64 byteLimit = DefaultByteLimit);

    // The picture of the path, decoded and cached on first use. False for a missing file, and
    // with a warning for a refused one. A picture larger than the whole bound is returned but
    // not kept, unless it is held.
    bool find(const QString &path, QImage &image);

    // Decodes the file into the cache unless a current entry is there, and holds the entry
    // when the cap on held bytes allows (*held tells). False with the reason, and no warning,
    // when the file is missing or refused.
    bool loadAndHold(const QString &path, bool *held, QString *reason);
    // One more hold on an entry that is cached; false when it is not.
    bool hold(const QString &path);
    // Drops one hold; the entry then competes for the bound again.
    void release(const QString &path);

    void setByteLimit(qint64 bytes); // evicts at once when lowered
    qint64 byteLimit() const;
    qint64 cachedBytes() const;
    qint64 heldBytes() const;
    int count() const;
    bool contains(const QString &path) const;
    void remove(const QString &path);
    void clear();

private:
    struct Stamp
    {
        qint64 fileSize = -1;
        QDateTime modified;
    };
    struct Entry
    {
        QString path;
        QImage image;
        qint64 bytes = 0;
        Stamp stamp;
        int holds = 0;
    };
    using EntryList = std::list<Entry>; // front: most recently used

    bool obtain(const QString &path, QImage *image, bool trustHeld, bool wantHold, bool *held,
                QString *reason);
    bool canHoldLocked(qint64 bytes) const;
    void useLocked(EntryList::iterator it, QImage *image, bool wantHold, bool *held);
    void evictLocked();
    EntryList::iterator eraseLocked(EntryList::iterator it);

    mutable QMutex m_mutex;
    qint64 m_nByteLimit;
    qint64 m_nBytes = 0;
    qint64 m_nHeldBytes = 0;
    EntryList m_entries;
    QHash<QString, EntryList::iterator> m_index;
};
