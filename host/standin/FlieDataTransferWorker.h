#pragma once

#include "FlieDataTransferJob.h"

#include <QObject>

// Runs transfer tasks one after another on the transfer thread and reports each outcome with
// finished(); it knows nothing of receivers.
class FlieDataTransferWorker : public QObject
{
    Q_OBJECT
public:
    explicit FlieDataTransferWorker(QObject *parent = nullptr);

    void process(const FlieDataTransferJob &job);

    // Copies one file through a temporary so that a reader never sees half a picture; an
    // existing target at least as new and of the same size is kept.
    static bool copyFile(const QString &source, const QString &target, QString *error);

signals:
    // status 0 or -1; index as in FileTransStateEvent.
    void finished(int taskId, int status, int index);

private:
    // Returns false (with a log line) when file `index` of the job cannot be moved.
    bool transferOne(const FlieDataTransferJob &job, int index);
};
