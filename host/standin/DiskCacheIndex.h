#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <list>

// The files of the local picture cache folder in least recently used order, with their sizes,
// so that the transfer holds the folder under a byte bound without listing it after every
// download. Built from one scan of the folder (oldest modification time first) when first used
// for a folder; afterwards the transfer, the folder's only writer, reports every file it writes
// or reuses. Not thread-safe: it lives on the transfer's worker thread.
class DiskCacheIndex
{
public:
    // Scans the folder when it differs from the last one.
    void setRoot(const QString &root);
    QString root() const { return m_strRoot; }

    // A file written or reused: now the most recently used, its size read again.
    void touch(const QString &path);
    void forget(const QString &path);

    // Deletes least recently used files (and folders left empty) until the total is within
    // byteLimit; files in keep stay whatever their age. Returns the number of files deleted.
    int trim(qint64 byteLimit, const QSet<QString> &keep);

    qint64 totalBytes() const { return m_nBytes; }
    int count() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        QString path;
        qint64 bytes = 0;
    };
    using EntryList = std::list<Entry>; // front: most recently used

    void scan();
    EntryList::iterator erase(EntryList::iterator it);
    void removeEmptyFolders(const QString &filePath);

    QString m_strRoot;
    qint64 m_nBytes = 0;
    EntryList m_entries;
    QHash<QString, EntryList::iterator> m_index;
};
