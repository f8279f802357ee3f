#pragma once

#include "DiskCacheIndex.h"
#include "FlieDataTransferJob.h"
#include "FlieDataTransferResult.h"

#include <QObject>

// Runs transfer tasks one after another on the transfer thread and reports each outcome with
// finished(); it knows nothing of receivers. A downloaded picture is decoded into the image
// cache here, before the task reports, so the UI thread never decodes a download; a cached
// copy that no longer decodes is fetched again. After each download the cache folder is
// trimmed to the job's bound, least recently used files first.
class FlieDataTransferWorker : public QObject
{
    Q_OBJECT
public:
    enum class CopyOutcome { Kept, Copied, DiskFull, Failed };

    explicit FlieDataTransferWorker(QObject *parent = nullptr);

    void process(const FlieDataTransferJob &job);

    // Copies one file through a temporary so that a reader never sees half a picture; an
    // existing target at least as new and of the same size is kept. A failed write on a disk
    // without room for the file is told apart as DiskFull (simulateFullDisk: every write is).
    static CopyOutcome copyFile(const QString &source, const QString &target, bool simulateFullDisk,
                                QString *error);

signals:
    void finished(const FlieDataTransferResult &result);

private:
    // Returns false (with a log line and the error in result) when file `index` of the job
    // cannot be moved.
    bool transferOne(const FlieDataTransferJob &job, int index, FlieDataTransferResult *result);
    bool download(const FlieDataTransferJob &job, const QString &storePath, const QString &target,
                  const QString &remote, FlieDataTransferResult *result);

    DiskCacheIndex m_diskIndex;
};
