#include "FileTransThread.h"

#include "AppConfigHelper.h"
#include "FlieDataTransfer.h"

#include <QDebug>
#include <QDir>

#include <memory>

FileTransThread *FileTransThread::instance()
{
    static FileTransThread thread;
    return &thread;
}

QString FileTransThread::localRoot()
{
    return QDir::cleanPath(AppConfigHelper::instance()->getAppConfigDirPath()
                           + QStringLiteral("/cmu_pic"));
}

int FileTransThread::addTransTask(TransFileTask *task)
{
    std::unique_ptr<TransFileTask> owned(task);
    if (!owned) {
        qDebug() << "FileTransThread::addTransTask no task";
        return FlieDataTransfer::InvalidTaskId;
    }
    return addTransTask(*owned);
}

int FileTransThread::addTransTask(const TransFileTask &task)
{
    if (task.transType() != TransFileTask::TransTypeDownload
        && task.transType() != TransFileTask::TransTypeUpload) {
        qDebug() << "FileTransThread::addTransTask refused: unknown transfer type"
                 << task.transType();
        return FlieDataTransfer::InvalidTaskId;
    }
    return FlieDataTransfer::getInstance()->addFileTask(
            task.transType() == TransFileTask::TransTypeDownload, task.handle(), task.files(),
            task.receiver(), task.userData(), task.transType(), localRoot());
}
