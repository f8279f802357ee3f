#include "DiskCacheIndex.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

void DiskCacheIndex::setRoot(const QString &root)
{
    const QString clean = QDir::cleanPath(root);
    if (clean == m_strRoot)
        return;
    m_strRoot = clean;
    scan();
}

void DiskCacheIndex::scan()
{
    m_entries.clear();
    m_index.clear();
    m_nBytes = 0;
    if (m_strRoot.isEmpty())
        return;

    struct Found
    {
        QString path;
        qint64 bytes;
        QDateTime modified;
    };
    std::vector<Found> found;
    // Symbolic links are neither listed nor followed: nothing outside the folder is counted
    // or deleted.
    QDirIterator it(m_strRoot, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        found.push_back({QDir::cleanPath(info.filePath()), info.size(), info.lastModified()});
    }
    std::sort(found.begin(), found.end(),
              [](const Found &a, const Found &b) { return a.modified < b.modified; });
    for (const Found &file : found) {
        m_entries.push_front({file.path, file.bytes});
        m_index.insert(file.path, m_entries.begin());
        m_nBytes += file.bytes;
    }
}

void DiskCacheIndex::touch(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QFileInfo info(clean);
    const auto found = m_index.find(clean);
    if (found != m_index.end())
        erase(found.value());
    if (!info.isFile())
        return;
    m_entries.push_front({clean, info.size()});
    m_index.insert(clean, m_entries.begin());
    m_nBytes += info.size();
}

void DiskCacheIndex::forget(const QString &path)
{
    const auto found = m_index.find(QDir::cleanPath(path));
    if (found != m_index.end())
        erase(found.value());
}

int DiskCacheIndex::trim(qint64 byteLimit, const QSet<QString> &keep)
{
    int deleted = 0;
    auto it = m_entries.end();
    while (m_nBytes > byteLimit && it != m_entries.begin()) {
        --it;
        if (keep.contains(it->path))
            continue;
        const QString path = it->path;
        if (QFile::remove(path) || !QFileInfo::exists(path)) {
            it = erase(it);
            ++deleted;
            removeEmptyFolders(path);
        }
    }
    return deleted;
}

DiskCacheIndex::EntryList::iterator DiskCacheIndex::erase(EntryList::iterator it)
{
    m_nBytes -= it->bytes;
    m_index.remove(it->path);
    return m_entries.erase(it);
}

void DiskCacheIndex::removeEmptyFolders(const QString &filePath)
{
    // rmdir fails on a folder that still holds anything, which ends the walk.
    QString folder = QFileInfo(filePath).path();
    while (folder.size() > m_strRoot.size() && folder.startsWith(m_strRoot + QLatin1Char('/'))
           && QDir().rmdir(folder))
        folder = QFileInfo(folder).path();
}
