#pragma once

#include "TransFilePath.h"

#include <QList>
#include <QString>

// What the transfer's worker thread needs to run one task: plain values only, so that the
// worker never reaches the task's receiver or anything else living on the UI thread.
struct FlieDataTransferJob
{
    int taskId = 0;
    bool download = true;
    QList<TransFilePath> files;
    QString cacheRoot; // every local path of a download must lie below it
    // The picture cache's own tasks: the folder is indexed and kept within diskCacheLimit.
    bool cacheBookkeeping = true;
    QString storeRoot; // every remote name is resolved below it
    // Bound of the cache folder on disk, applied after every download.
    qint64 diskCacheLimit = 0;
    bool forceFailure = false;
    bool simulateFullDisk = false; // downloads fail as if the local disk were full
    int delayMs = 0;
};
