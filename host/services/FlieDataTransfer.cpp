#include "FlieDataTransfer.h"

#include "FileTransStateEvent.h"
#include "FlieDataTransferWorker.h"
#include "ImageDataCache.h"
#include "SnapPathResolver.h"

#include <QCoreApplication>
#include <QDebug>
#include <QScopeGuard>

#include <limits>
#include <memory>

namespace {
QPointer<FlieDataTransfer> g_instance;

qint64 diskCacheBytesFromEnvironment()
{
    bool ok = false;
    const qint64 mib = qEnvironmentVariable("FEVER_DISK_CACHE_MB").toLongLong(&ok);
    if (ok && mib > 0 && mib <= (qint64(1) << 40))
        return mib * 1024 * 1024;
    return FlieDataTransfer::DefaultDiskCacheBytes;
}
} // namespace

FlieDataTransfer *FlieDataTransfer::getInstance()
{
    if (!g_instance) {
        g_instance = new FlieDataTransfer(nullptr);
        // Stopped by a post routine, which runs while the application object still delivers
        // events: the worker's deferred deletion on its own thread depends on that.
        qAddPostRoutine(&FlieDataTransfer::destroyInstance);
    }
    return g_instance;
}

void FlieDataTransfer::destroyInstance()
{
    delete g_instance;
}

FlieDataTransfer::FlieDataTransfer(QObject *parent)
    : QObject(parent)
    , m_worker(new FlieDataTransferWorker)
    , m_nDiskCacheBytes(diskCacheBytesFromEnvironment())
{
    qRegisterMetaType<FlieDataTransferResult>();
    m_thread.setObjectName(QStringLiteral("FlieDataTransfer"));
    m_worker->moveToThread(&m_thread);
    connect(m_worker, &FlieDataTransferWorker::finished, this,
            &FlieDataTransfer::slotWorkerFinished, Qt::QueuedConnection);
    // Deleted on its own thread as the thread ends, together with its pending delay timers.
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

FlieDataTransfer::~FlieDataTransfer()
{
    m_thread.quit();
    m_thread.wait();
    delete m_worker; // only left when the thread ended without delivering events
    if (!m_pending.isEmpty())
        qDebug() << "FlieDataTransfer::~FlieDataTransfer" << m_pending.size()
                 << "tasks dropped unfinished";
}

int FlieDataTransfer::nextTaskId()
{
    m_nLastTaskId = m_nLastTaskId == std::numeric_limits<int>::max() ? 1 : m_nLastTaskId + 1;
    while (m_pending.contains(m_nLastTaskId))
        ++m_nLastTaskId;
    return m_nLastTaskId;
}

int FlieDataTransfer::addTransTask(FlieDataTransTask *task)
{
    std::unique_ptr<FlieDataTransTask> owned(task);
    if (!owned) {
        qDebug() << "FlieDataTransfer::addTransTask no task";
        return InvalidTaskId;
    }
    return addTransTask(*owned);
}

int FlieDataTransfer::addTransTask(const FlieDataTransTask &task)
{
    const char *refusal = nullptr;
    if (!task.receiver())
        refusal = "no receiver";
    else if (task.files().isEmpty())
        refusal = "no file";
    else if (task.handle() < 1)
        refusal = "no connection handle";
    else if (task.transType() != FlieDataTransTask::TransTypePicture)
        refusal = "unknown transfer type";
    else if (task.transFileToPosition() != FlieDataTransTask::PositionPlatform)
        refusal = "unknown transfer position";
    if (refusal) {
        qDebug() << "FlieDataTransfer::addTransTask refused:" << refusal << "handle"
                 << task.handle() << "files" << task.files().size();
        return InvalidTaskId;
    }

    return enqueue(task.isDownload(), task.files(), task.receiver(), task.userData(),
                   task.transType(), SnapPathResolver::cacheFolder(), true);
}

int FlieDataTransfer::addFileTask(bool download, long handle, const QList<TransFilePath> &files,
                                  QObject *receiver, void *userData, int transType,
                                  const QString &localRoot)
{
    const char *refusal = nullptr;
    if (!receiver)
        refusal = "no receiver";
    else if (files.isEmpty())
        refusal = "no file";
    else if (handle < 1)
        refusal = "no connection handle";
    if (refusal) {
        qDebug() << "FlieDataTransfer::addFileTask refused:" << refusal << "handle" << handle
                 << "files" << files.size();
        return InvalidTaskId;
    }
    return enqueue(download, files, receiver, userData, transType, localRoot, false);
}

int FlieDataTransfer::enqueue(bool download, const QList<TransFilePath> &files, QObject *receiver,
                              void *userData, int transType, const QString &localRoot,
                              bool cacheBookkeeping)
{
    FlieDataTransferJob job;
    job.taskId = nextTaskId();
    job.download = download;
    job.files = files;
    job.cacheRoot = localRoot;
    job.cacheBookkeeping = cacheBookkeeping;
    job.storeRoot = SnapPathResolver::pictureStoreFolder();
    job.diskCacheLimit = m_nDiskCacheBytes;
    job.simulateFullDisk = m_bSimulateFullDisk;
    if (m_nFailNext > 0) {
        --m_nFailNext;
        job.forceFailure = true;
    }
    if (!m_delays.isEmpty())
        job.delayMs = m_delays.dequeue();

    Pending pending;
    pending.receiver = receiver;
    pending.userData = userData;
    pending.transType = transType;
    m_pending.insert(job.taskId, pending);

    FlieDataTransferWorker *worker = m_worker;
    QMetaObject::invokeMethod(
            m_worker, [worker, job] { worker->process(job); }, Qt::QueuedConnection);
    return job.taskId;
}

void FlieDataTransfer::slotWorkerFinished(const FlieDataTransferResult &result)
{
    if (result.error == FileTransStateEvent::ErrorDiskFull && !m_bDiskFull) {
        m_bDiskFull = true;
        emit signalLocalDiskStateChanged(true, result.errorText);
    } else if (result.wroteFile && m_bDiskFull) {
        m_bDiskFull = false;
        emit signalLocalDiskStateChanged(false, QString());
    }

    // The worker's holds pass to the events, then go.
    const auto releaseHolds = qScopeGuard([&result] {
        for (const QString &path : result.heldPictures)
            ImageDataCache::shared().release(path);
    });
    const int taskId = result.taskId;
    const auto it = m_pending.find(taskId);
    if (it == m_pending.end())
        return;
    Pending pending = it.value();
    m_pending.erase(it);

    if (m_nRepeatNext > 0) {
        --m_nRepeatNext;
        pending.postCount = 2;
    }
    if (pending.receiver) {
        for (int i = 0; i < pending.postCount; ++i) {
            auto *event = new FileTransStateEvent(pending.transType, pending.userData, taskId,
                                                  result.status, true, result.index);
            event->setError(result.error, result.errorText);
            if (result.status == FileTransStateEvent::StatusSuccess)
                event->holdPictures(result.heldPictures);
            QCoreApplication::postEvent(pending.receiver, event);
        }
    } else {
        qDebug() << "FlieDataTransfer::slotWorkerFinished receiver of task" << taskId
                 << "is gone, result dropped";
    }
    emit signalTaskFinished(taskId, result.status);
}

void FlieDataTransfer::setDiskCacheByteLimit(qint64 bytes)
{
    m_nDiskCacheBytes = qMax<qint64>(0, bytes);
}

void FlieDataTransfer::failNextTasks(int count)
{
    m_nFailNext = qMax(0, count);
}

void FlieDataTransfer::delayNextTask(int milliseconds)
{
    m_delays.enqueue(qMax(0, milliseconds));
}

void FlieDataTransfer::repeatNextCompletions(int count)
{
    m_nRepeatNext = qMax(0, count);
}

void FlieDataTransfer::simulateFullDisk(bool full)
{
    m_bSimulateFullDisk = full;
}

void FlieDataTransfer::resetFaults()
{
    m_bSimulateFullDisk = false;
    m_nFailNext = 0;
    m_nRepeatNext = 0;
    m_delays.clear();
}
