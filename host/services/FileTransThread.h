#pragma once

#include "TransFileTask.h"

// The host's general file transfer: configuration pictures (the custom screen picture) between
// the local configuration folder and the platform's picture store. It shares the picture
// transfer's worker thread, so files move off the user-interface thread one task after another,
// and each task ends with a FileTransStateEvent (type 2013, transType() of the task) posted to
// its receiver.
//
// Local paths of a download must lie below <configuration folder>/cmu_pic; platform names must
// stay inside the picture store. A task breaking either rule ends with status -1 and error
// ErrorNameRefused. A downloaded file that is not a readable picture is removed and fails with
// ErrorPictureRefused.
class FileTransThread
{
public:
    static FileTransThread *instance();

    // Returns the task id (> 0), or -99999 when the task has no receiver, no file, a handle
    // below 1 or a type other than 0 and 1.
    int addTransTask(const TransFileTask &task);
    // Same, taking ownership of the task (deleted before returning, accepted or not).
    int addTransTask(TransFileTask *task);

    // Folder every downloaded local path must lie below.
    static QString localRoot();

private:
    FileTransThread() = default;
};
