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
    QString storeRoot; // every remote name is resolved below it
    bool forceFailure = false;
    int delayMs = 0;
};
