#pragma once

#include "FlieDataTransTask.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QThread>

struct FlieDataTransferResult;

class FlieDataTransferWorker;

// The host's picture transfer. Tasks run one after another on a single worker thread; each
// task ends with a FileTransStateEvent (type 2013) posted to its receiver on the UI thread.
// The worker never sees the receiver: completions come back to this object, which lives on
// the UI thread and posts only to receivers that still exist (a receiver destroyed meanwhile
// is skipped; its user data is its own business).
//
// addTransTask refuses a task at once (returns -99999) when it has no receiver, no file, a
// handle below 1 (no connection to fetch through), or a transfer type or position other than
// picture (0) and platform (1). Problems with single files (a missing remote picture, a name
// that would leave the picture store or a local path outside the cache folder, a picture that
// is refused or does not decode, a full disk) end the task with status -1 instead; the event
// then tells why (FileTransStateEvent::error and errorText).
//
// A downloaded picture is decoded into the image cache on the worker thread and held there for
// the receiver until its completion event is gone. The cache folder on disk is kept under
// diskCacheByteLimit(), least recently used pictures out.
class FlieDataTransfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int InvalidTaskId = -99999;
    // Bound of the picture cache folder on disk; the environment variable FEVER_DISK_CACHE_MB
    // (a whole number of MiB above 0) replaces it at start.
    static constexpr qint64 DefaultDiskCacheBytes = 512LL * 1024 * 1024;

    static FlieDataTransfer *getInstance();
    static FlieDataTransfer *instance() { return getInstance(); }

    // Returns the task id (> 0) or -99999.
    int addTransTask(const FlieDataTransTask &task);
    // Same, taking ownership of the task (deleted before returning, accepted or not).
    int addTransTask(FlieDataTransTask *task);

    // The general file transfer's tasks (FileTransThread): local paths of a download lie below
    // localRoot instead of the cache folder, and the cache folder's bound does not apply. The
    // events carry transType. Same refusals as addTransTask.
    int addFileTask(bool download, long handle, const QList<TransFilePath> &files,
                    QObject *receiver, void *userData, int transType, const QString &localRoot);

    // Tasks added and not yet reported.
    int pendingTaskCount() const { return m_pending.size(); }

    // Applies from the next task on; 0 keeps only the pictures of the task in progress.
    void setDiskCacheByteLimit(qint64 bytes);
    qint64 diskCacheByteLimit() const { return m_nDiskCacheBytes; }
    // True from a download that failed for lack of room on the local disk until a later
    // download writes a file again.
    bool isLocalDiskFull() const { return m_bDiskFull; }

signals:
    // After the events of a task were posted (or dropped because the receiver is gone).
    void signalTaskFinished(int taskId, int status);
    // The local disk became full (with the reason) or took a file again; once per change.
    void signalLocalDiskStateChanged(bool full, const QString &reason);

private:
    struct Pending
    {
        QPointer<QObject> receiver;
        void *userData = nullptr;
        int transType = 0;
        int postCount = 1;
    };

    // Fault switches of the stand-in: see HostTesting (host/testing).
    friend class HostTesting;
    void failNextTasks(int count);
    void delayNextTask(int milliseconds);
    void repeatNextCompletions(int count);
    void simulateFullDisk(bool full);
    void resetFaults();

    explicit FlieDataTransfer(QObject *parent);
    ~FlieDataTransfer() override;

    static void destroyInstance();
    int enqueue(bool download, const QList<TransFilePath> &files, QObject *receiver, void *userData,
                int transType, const QString &localRoot, bool cacheBookkeeping);
    void slotWorkerFinished(const FlieDataTransferResult &result);
    int nextTaskId();

    QThread m_thread;
    QPointer<FlieDataTransferWorker> m_worker; // lives on m_thread, deleted as it ends
    QHash<int, Pending> m_pending;
    int m_nLastTaskId = 0;
    int m_nFailNext = 0;
    int m_nRepeatNext = 0;
    bool m_bSimulateFullDisk = false;
    QQueue<int> m_delays;
    qint64 m_nDiskCacheBytes = DefaultDiskCacheBytes;
    bool m_bDiskFull = false;
};
