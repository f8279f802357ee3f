#include "ScreenPictrueWidget.h"
#include "ui_ScreenPictrueWidget.h"

#include "FileTransStateEvent.h"
#include "FileTransThread.h"
#include "LogText.h"
#include "ScreenPicturePath.h"
#include "TransFileTask.h"
#include "VornClient.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>

ScreenPictrueWidget::ScreenPictrueWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::ScreenPictrueWidget>())
{
    m_ui->setupUi(this);
}

ScreenPictrueWidget::~ScreenPictrueWidget() = default;

void ScreenPictrueWidget::setPicture(const QString &p_strName)
{
    if (p_strName.isEmpty()) {
        m_strLocalPath.clear();
        m_ui->label->setStyleSheet(QStringLiteral("QLabel{}"));
        return;
    }
    // An unsafe name gives no path (logged there); a download still running for an earlier
    // name must not show that picture either.
    m_strLocalPath = ScreenPicturePath::localPath(p_strName);
    if (m_strLocalPath.isEmpty())
        return;

    TransFileTask task;
    task.setTaskInfo(VornClient::instance()->m_nLoginServerHandle,
                     {TransFile(m_strLocalPath, p_strName)}, TransFileTask::TransTypeDownload, this,
                     nullptr, 0);
    if (FileTransThread::instance()->addTransTask(task) < 0)
        qDebug().noquote() << "ScreenPictrueWidget::setPicture addTransTask failed for"
                           << LogText::quoted(p_strName);
}

QString ScreenPictrueWidget::pictureStyleSheet(const QString &p_strLocalPath)
{
    // The path goes into url() unquoted: characters that end or nest it are refused.
    static const QString forbidden = QStringLiteral("(){};\"'\\\n\r");
    for (const QChar c : p_strLocalPath) {
        if (forbidden.contains(c))
            return QString();
    }
    const QFileInfo info(p_strLocalPath);
    if (p_strLocalPath.isEmpty() || !info.isFile() || info.size() == 0)
        return QString();
    QImageReader reader(p_strLocalPath);
    if (!reader.canRead())
        return QString();
    return QStringLiteral("QLabel{image:url(%1)}").arg(p_strLocalPath);
}

bool ScreenPictrueWidget::event(QEvent *event)
{
    if (event->type() != FileTransStateEvent::EventType)
        return BaseWidget::event(event);
    const auto *state = static_cast<FileTransStateEvent *>(event);
    if (state->status() == FileTransStateEvent::StatusSuccess && state->index() != -1
        && state->isFinished() && !m_strLocalPath.isEmpty()) {
        const QString sheet = pictureStyleSheet(m_strLocalPath);
        if (sheet.isEmpty())
            qDebug().noquote() << "ScreenPictrueWidget::event picture not shown:"
                               << LogText::quoted(m_strLocalPath);
        else
            m_ui->label->setStyleSheet(sheet);
    }
    event->accept();
    return true;
}
