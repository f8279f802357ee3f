#pragma once

#include "FlieDataTransTask.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QThread>

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
// that would leave the picture store or a local path outside the cache folder) end the task
// with status -1 instead.
class FlieDataTransfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int InvalidTaskId = -99999;

    static FlieDataTransfer *getInstance();
    static FlieDataTransfer *instance() { return getInstance(); }

    // Returns the task id (> 0) or -99999.
    int addTransTask(const FlieDataTransTask &task);
    // Same, taking ownership of the task (deleted before returning, accepted or not).
    int addTransTask(FlieDataTransTask *task);

    // Tasks added and not yet reported.
    int pendingTaskCount() const { return m_pending.size(); }

signals:
    // After the events of a task were posted (or dropped because the receiver is gone).
    void signalTaskFinished(int taskId, int status);

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
    void resetFaults();

    explicit FlieDataTransfer(QObject *parent);
    ~FlieDataTransfer() override;

    static void destroyInstance();
    void slotWorkerFinished(int taskId, int status, int index);
    int nextTaskId();

    QThread m_thread;
    QPointer<FlieDataTransferWorker> m_worker; // lives on m_thread, deleted as it ends
    QHash<int, Pending> m_pending;
    int m_nLastTaskId = 0;
    int m_nFailNext = 0;
    int m_nRepeatNext = 0;
    QQueue<int> m_delays;
};
