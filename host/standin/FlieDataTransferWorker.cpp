#include "FlieDataTransferWorker.h"

#include "FileTransStateEvent.h"
#include "ImageDataCache.h"
#include "LogText.h"
#include "SnapPathResolver.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>
#include <QTimer>

namespace {

// A failed write counts as a full disk when less than the file plus this margin is free.
constexpr qint64 FullDiskMargin = 1024 * 1024;

bool fail(FlieDataTransferResult *result, int error, const QString &text)
{
    result->error = error;
    result->errorText = text;
    return false;
}

bool noRoomFor(const QString &folder, qint64 bytes)
{
    // The folder itself may be what could not be created.
    QString existing = folder;
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            return false;
        existing = parent;
    }
    const QStorageInfo storage(existing);
    return storage.isValid() && storage.bytesAvailable() < bytes + FullDiskMargin;
}

} // namespace

FlieDataTransferWorker::FlieDataTransferWorker(QObject *parent)
    : QObject(parent)
{
}

void FlieDataTransferWorker::process(const FlieDataTransferJob &job)
{
    FlieDataTransferResult result;
    result.taskId = job.taskId;
    result.index = job.files.isEmpty() ? -1 : job.files.size() - 1;
    if (job.forceFailure) {
        qDebug() << "FlieDataTransferWorker::process task" << job.taskId
                 << "failed on request (injected fault)";
        result.status = -1;
        result.index = -1;
        fail(&result, FileTransStateEvent::ErrorInjected, QStringLiteral("injected fault"));
    } else {
        const bool indexed = job.download && job.cacheBookkeeping;
        if (indexed)
            m_diskIndex.setRoot(job.cacheRoot);
        for (int i = 0; i < job.files.size(); ++i) {
            if (!transferOne(job, i, &result)) {
                result.status = -1;
                result.index = i;
                break;
            }
        }
        if (indexed) {
            QSet<QString> keep;
            for (const TransFilePath &file : job.files)
                keep.insert(QDir::cleanPath(file.first));
            m_diskIndex.trim(job.diskCacheLimit, keep);
        }
    }

    if (job.delayMs > 0) {
        // A child timer dies with the worker, so a delay still running at shutdown leaks nothing.
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, timer, result] {
            timer->deleteLater();
            emit finished(result);
        });
        timer->start(job.delayMs);
    } else {
        emit finished(result);
    }
}

bool FlieDataTransferWorker::transferOne(const FlieDataTransferJob &job, int index,
                                         FlieDataTransferResult *result)
{
    const QString &local = job.files.at(index).first;
    const QString &remote = job.files.at(index).second;
    if (SnapPathResolver::isResourcePath(remote))
        return true; // resources are always in place

    const QString storePath = SnapPathResolver::resolveInside(job.storeRoot, remote);
    if (storePath.isEmpty()) {
        qWarning().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                             << "refused remote name outside the picture store:"
                             << LogText::quoted(remote);
        return fail(result, FileTransStateEvent::ErrorNameRefused,
                    QStringLiteral("remote name outside the picture store"));
    }

    if (job.download) {
        const QString target = QDir::isAbsolutePath(local) ? QDir::cleanPath(local) : QString();
        if (!SnapPathResolver::isInside(job.cacheRoot, target)) {
            qWarning().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                                 << "refused local path outside"
                                 << (job.cacheBookkeeping ? "the cache folder:" : "its folder:")
                                 << LogText::quoted(local);
            return fail(result, FileTransStateEvent::ErrorNameRefused,
                        job.cacheBookkeeping ? QStringLiteral("local path outside the cache folder")
                                             : QStringLiteral("local path outside its folder"));
        }
        if (!QFileInfo(storePath).isFile()) {
            qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                               << "remote picture missing:" << LogText::quoted(remote);
            return fail(result, FileTransStateEvent::ErrorRemoteMissing,
                        QStringLiteral("the platform has no such picture"));
        }
        return download(job, storePath, target, remote, result);
    }

    if (!QFileInfo(local).isFile()) {
        qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                           << "local file missing:" << LogText::quoted(local);
        return fail(result, FileTransStateEvent::ErrorWriteFailed,
                    QStringLiteral("local file missing"));
    }
    QString error;
    const CopyOutcome outcome = copyFile(local, storePath, false, &error);
    if (outcome == CopyOutcome::DiskFull || outcome == CopyOutcome::Failed) {
        qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                           << "upload failed:" << LogText::quoted(remote) << error;
        return fail(result, FileTransStateEvent::ErrorWriteFailed, error);
    }
    return true;
}

bool FlieDataTransferWorker::download(const FlieDataTransferJob &job, const QString &storePath,
                                      const QString &target, const QString &remote,
                                      FlieDataTransferResult *result)
{
    QString error;
    CopyOutcome outcome = copyFile(storePath, target, job.simulateFullDisk, &error);
    bool held = false;
    QString reason;
    bool decoded = false;
    if (outcome == CopyOutcome::Kept || outcome == CopyOutcome::Copied)
        decoded = ImageDataCache::shared().loadAndHold(target, &held, &reason);
    if (outcome == CopyOutcome::Kept && !decoded) {
        // The copy was trusted for its size and time, yet no longer decodes: fetch it again
        // rather than hide every snapshot that names it.
        qDebug().noquote() << "FlieDataTransferWorker::download task" << job.taskId
                           << "cached copy of" << LogText::quoted(remote)
                           << "damaged (" + reason + "), fetched again";
        QFile::remove(target);
        if (job.cacheBookkeeping)
            m_diskIndex.forget(target);
        outcome = copyFile(storePath, target, job.simulateFullDisk, &error);
        if (outcome == CopyOutcome::Copied)
            decoded = ImageDataCache::shared().loadAndHold(target, &held, &reason);
    }

    if (outcome == CopyOutcome::DiskFull || outcome == CopyOutcome::Failed) {
        const bool full = outcome == CopyOutcome::DiskFull;
        (full ? qWarning() : qDebug()).noquote()
                << "FlieDataTransferWorker::download task" << job.taskId
                << "download failed:" << LogText::quoted(remote) << error;
        return fail(result,
                    full ? FileTransStateEvent::ErrorDiskFull
                         : FileTransStateEvent::ErrorWriteFailed,
                    error);
    }
    if (outcome == CopyOutcome::Copied)
        result->wroteFile = true;
    if (!decoded) {
        QFile::remove(target);
        if (job.cacheBookkeeping)
            m_diskIndex.forget(target);
        qWarning().noquote() << "FlieDataTransferWorker::download task" << job.taskId
                             << "refused picture" << LogText::quoted(remote) << reason;
        return fail(result, FileTransStateEvent::ErrorPictureRefused, reason);
    }
    if (held)
        result->heldPictures.append(target);
    if (job.cacheBookkeeping)
        m_diskIndex.touch(target);
    return true;
}

FlieDataTransferWorker::CopyOutcome FlieDataTransferWorker::copyFile(const QString &source,
                                                                     const QString &target,
                                                                     bool simulateFullDisk,
                                                                     QString *error)
{
    const QFileInfo sourceInfo(source);
    const QFileInfo targetInfo(target);
    if (targetInfo.isFile() && targetInfo.size() == sourceInfo.size()
        && targetInfo.lastModified() >= sourceInfo.lastModified())
        return CopyOutcome::Kept;

    const QString folder = targetInfo.absolutePath();
    const auto failed = [&](const QString &text) {
        if (simulateFullDisk || noRoomFor(folder, sourceInfo.size())) {
            *error = QStringLiteral("no space left on the local disk (") + text + QLatin1Char(')');
            return CopyOutcome::DiskFull;
        }
        *error = text;
        return CopyOutcome::Failed;
    };
    if (simulateFullDisk)
        return failed(QStringLiteral("simulated"));

    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("cannot create folder ") + folder);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return CopyOutcome::Failed;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    QByteArray buffer;
    while (!(buffer = in.read(256 * 1024)).isEmpty()) {
        if (out.write(buffer) != buffer.size()) {
            const QString text = out.errorString();
            out.cancelWriting();
            return failed(text);
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        out.cancelWriting();
        return CopyOutcome::Failed;
    }
    if (!out.commit())
        return failed(out.errorString());
    return CopyOutcome::Copied;
}
