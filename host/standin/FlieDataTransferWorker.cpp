#include "FlieDataTransferWorker.h"

#include "SnapPathResolver.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

FlieDataTransferWorker::FlieDataTransferWorker(QObject *parent)
    : QObject(parent)
{
}

void FlieDataTransferWorker::process(const FlieDataTransferJob &job)
{
    int status = 0;
    int index = job.files.isEmpty() ? -1 : job.files.size() - 1;
    if (job.forceFailure) {
        qDebug() << "FlieDataTransferWorker::process task" << job.taskId
                 << "failed on request (injected fault)";
        status = -1;
        index = -1;
    } else {
        for (int i = 0; i < job.files.size(); ++i) {
            if (!transferOne(job, i)) {
                status = -1;
                index = i;
                break;
            }
        }
    }

    if (job.delayMs > 0) {
        // A child timer dies with the worker, so a delay still running at shutdown leaks nothing.
        const int taskId = job.taskId;
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, timer, taskId, status, index] {
            timer->deleteLater();
            emit finished(taskId, status, index);
        });
        timer->start(job.delayMs);
    } else {
        emit finished(job.taskId, status, index);
    }
}

bool FlieDataTransferWorker::transferOne(const FlieDataTransferJob &job, int index)
{
    const QString &local = job.files.at(index).first;
    const QString &remote = job.files.at(index).second;
    if (SnapPathResolver::isResourcePath(remote))
        return true; // resources are always in place

    const QString storePath = SnapPathResolver::resolveInside(job.storeRoot, remote);
    if (storePath.isEmpty()) {
        qWarning().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                             << "refused remote name outside the picture store:" << remote;
        return false;
    }

    QString error;
    if (job.download) {
        const QString target = QDir::isAbsolutePath(local) ? QDir::cleanPath(local) : QString();
        if (!SnapPathResolver::isInside(job.cacheRoot, target)) {
            qWarning().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                                 << "refused local path outside the cache folder:" << local;
            return false;
        }
        if (!QFileInfo(storePath).isFile()) {
            qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                               << "remote picture missing:" << remote;
            return false;
        }
        if (!copyFile(storePath, target, &error)) {
            qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                               << "download failed:" << remote << error;
            return false;
        }
        return true;
    }

    if (!QFileInfo(local).isFile()) {
        qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                           << "local file missing:" << local;
        return false;
    }
    if (!copyFile(local, storePath, &error)) {
        qDebug().noquote() << "FlieDataTransferWorker::transferOne task" << job.taskId
                           << "upload failed:" << remote << error;
        return false;
    }
    return true;
}

bool FlieDataTransferWorker::copyFile(const QString &source, const QString &target, QString *error)
{
    const QFileInfo sourceInfo(source);
    const QFileInfo targetInfo(target);
    if (targetInfo.isFile() && targetInfo.size() == sourceInfo.size()
        && targetInfo.lastModified() >= sourceInfo.lastModified())
        return true;

    if (!QDir().mkpath(targetInfo.absolutePath())) {
        *error = QStringLiteral("cannot create folder ") + targetInfo.absolutePath();
        return false;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    QByteArray buffer;
    while (!(buffer = in.read(256 * 1024)).isEmpty()) {
        if (out.write(buffer) != buffer.size()) {
            *error = out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}
