#include "PlatformRetention.h"

#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"
#include "SnapshotHistory.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

PlatformRetention::PlatformRetention(QObject *parent)
    : QObject(parent)
    , m_pTimer(new QTimer(this))
{
    m_pTimer->setInterval(SweepIntervalMs);
    connect(m_pTimer, &QTimer::timeout, this, &PlatformRetention::slot_sweep);
}

void PlatformRetention::setRetentionDays(int days)
{
    m_nRetentionDays = qMax(1, days);
}

void PlatformRetention::start()
{
    m_pTimer->start();
    slot_sweep();
}

void PlatformRetention::stop()
{
    m_pTimer->stop();
}

void PlatformRetention::slot_sweep()
{
    if (m_bSweeping)
        return;
    m_bSweeping = true;
    m_cutoff = QDateTime::currentDateTime().addDays(-m_nRetentionDays);
    m_nRows = 0;
    m_nPictures = 0;
    slot_batch();
}

void PlatformRetention::slot_batch()
{
    int pictures = 0;
    const int rows = sweepBatch(m_cutoff, BatchRows, &pictures);
    m_nRows += qMax(0, rows);
    m_nPictures += pictures;
    if (rows == BatchRows) {
        // More to go: let the UI thread breathe between batches.
        QTimer::singleShot(0, this, &PlatformRetention::slot_batch);
        return;
    }
    m_bSweeping = false;
    if (m_nRows > 0)
        qDebug() << "PlatformRetention::slot_batch removed" << m_nRows << "snapshots and"
                 << m_nPictures << "pictures older than" << m_cutoff;
    emit sweepFinished(m_nRows, m_nPictures);
}

int PlatformRetention::sweepBatch(const QDateTime &cutoff, int maxRows, int *pictures)
{
    QStringList names;
    const int rows = SnapshotHistory::removeOlderThan(cutoff, maxRows, &names);
    int removed = 0;
    const QString storeRoot = SnapPathResolver::pictureStoreFolder();
    for (const QString &name : qAsConst(names)) {
        const QString path = PlatformPictureStore::absolutePath(name);
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile() || info.lastModified() >= cutoff
            || !QFile::remove(path))
            continue;
        ++removed;
        // Day folders go with their last picture; rmdir refuses a folder that holds anything.
        QString folder = info.path();
        while (folder.startsWith(storeRoot + QLatin1Char('/')) && QDir().rmdir(folder))
            folder = QFileInfo(folder).path();
    }
    if (pictures)
        *pictures = removed;
    return rows;
}
