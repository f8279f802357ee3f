#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

// Outcome of one transfer task, from the worker thread back to the transfer: plain values.
struct FlieDataTransferResult
{
    int taskId = 0;
    int status = 0; // 0 or -1
    int index = -1; // as in FileTransStateEvent
    int error = 0;  // FileTransStateEvent::Error
    QString errorText;
    // Downloaded pictures the worker decoded and holds in the image cache for the receiver;
    // the transfer passes the holds on to the completion events and releases them.
    QStringList heldPictures;
    bool wroteFile = false; // a file was written to the local disk
};

Q_DECLARE_METATYPE(FlieDataTransferResult)
