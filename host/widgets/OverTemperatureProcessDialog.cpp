#include "OverTemperatureProcessDialog.h"

#include "AlarmHandlingStore.h"
#include "AppLanguageTr.h"
#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "OverTemperatureProcessForm.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QButtonGroup>
#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int NoValue = -99999;
const QSize PictureSize(120, 150);

QString tr_(const char *key)
{
    return AppLanguageTr::translate(QLatin1String(key));
}

QLabel *plainLabel(QWidget *parent, const QString &objectName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    // Names and devices come from the platform: never rich text.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

OverTemperatureProcessDialog::OverTemperatureProcessDialog(QWidget *parent)
    : SNDialog(parent)
    , m_pForm(std::make_unique<OverTemperatureProcessForm>())
{
    setObjectName(QStringLiteral("OverTemperatureProcessDialog"));
    buildForm();
    retranslateUi();
}

// The form's widgets are children of the dialog; the form itself only points at them.
OverTemperatureProcessDialog::~OverTemperatureProcessDialog() = default;

void OverTemperatureProcessDialog::buildForm()
{
    OverTemperatureProcessForm &f = *m_pForm;
    f.pTitle = plainLabel(this, QStringLiteral("labelTitle"));
    f.pSnapPicture = plainLabel(this, QStringLiteral("labelSnapPicture"));
    f.pArchivePicture = plainLabel(this, QStringLiteral("labelArchivePicture"));
    for (QLabel *picture : {f.pSnapPicture, f.pArchivePicture}) {
        picture->setFixedSize(PictureSize);
        picture->setAlignment(Qt::AlignCenter);
    }
    f.pNameCaption = plainLabel(this, QStringLiteral("labelNameCaption"));
    f.pName = plainLabel(this, QStringLiteral("labelName"));
    f.pTemperatureCaption = plainLabel(this, QStringLiteral("labelTemperatureCaption"));
    f.pTemperature = plainLabel(this, QStringLiteral("labelTemperature"));
    f.pDeviceCaption = plainLabel(this, QStringLiteral("labelDeviceCaption"));
    f.pDevice = plainLabel(this, QStringLiteral("labelDevice"));
    f.pTimeCaption = plainLabel(this, QStringLiteral("labelTimeCaption"));
    f.pTime = plainLabel(this, QStringLiteral("labelTime"));
    f.pHandleCaption = plainLabel(this, QStringLiteral("labelHandleCaption"));
    f.pNoteCaption = plainLabel(this, QStringLiteral("labelNoteCaption"));

    f.pHandleType = new QButtonGroup(this);
    auto *handleRow = new QHBoxLayout;
    const QStringList names{QStringLiteral("radioFeverRetest"), QStringLiteral("radioFalseAlarm"),
                            QStringLiteral("radioOther")};
    for (int type = AlarmHandlingStore::HandleFeverRetest; type <= AlarmHandlingStore::HandleOther;
         ++type) {
        auto *radio = new QRadioButton(this);
        radio->setObjectName(names.at(type));
        f.pHandleType->addButton(radio, type);
        handleRow->addWidget(radio);
    }
    f.pNote = new QPlainTextEdit(this);
    f.pNote->setObjectName(QStringLiteral("textNote"));
    f.pNote->setFixedHeight(70);
    connect(f.pNote, &QPlainTextEdit::textChanged, this, &OverTemperatureProcessDialog::limitNote);

    f.pOpenRecord = new QPushButton(this);
    f.pOpenRecord->setObjectName(QStringLiteral("buttonOpenRecord"));
    f.pSave = new QPushButton(this);
    f.pSave->setObjectName(QStringLiteral("buttonSave"));
    f.pCancel = new QPushButton(this);
    f.pCancel->setObjectName(QStringLiteral("buttonCancel"));
    connect(f.pSave, &QPushButton::clicked, this, &OverTemperatureProcessDialog::save);
    connect(f.pCancel, &QPushButton::clicked, this, &OverTemperatureProcessDialog::closeSNDialog);
    connect(f.pOpenRecord, &QPushButton::clicked, this, [this]() {
        gotoFunctionCard(AlarmRecordCardId,
                         ParamMap{{QStringLiteral("alarmId"), m_pForm->objSource.alarmId}});
    });

    auto *pictures = new QHBoxLayout;
    pictures->addWidget(f.pSnapPicture);
    pictures->addWidget(f.pArchivePicture);
    pictures->addStretch();
    auto *details = new QGridLayout;
    const QList<QPair<QLabel *, QLabel *>> rows{{f.pNameCaption, f.pName},
                                                {f.pTemperatureCaption, f.pTemperature},
                                                {f.pDeviceCaption, f.pDevice},
                                                {f.pTimeCaption, f.pTime}};
    for (int row = 0; row < rows.size(); ++row) {
        details->addWidget(rows.at(row).first, row, 0);
        details->addWidget(rows.at(row).second, row, 1);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(f.pOpenRecord);
    buttons->addStretch();
    buttons->addWidget(f.pSave);
    buttons->addWidget(f.pCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(f.pTitle);
    layout->addLayout(pictures);
    layout->addLayout(details);
    layout->addWidget(f.pHandleCaption);
    layout->addLayout(handleRow);
    layout->addWidget(f.pNoteCaption);
    layout->addWidget(f.pNote);
    layout->addLayout(buttons);
    resize(420, 520);
}

void OverTemperatureProcessDialog::retranslateUi()
{
    OverTemperatureProcessForm &f = *m_pForm;
    setWindowTitle(tr_("TK_AlarmHandling"));
    f.pTitle->setText(tr_("TK_AlarmHandling"));
    f.pNameCaption->setText(tr_("TK_Name"));
    f.pTemperatureCaption->setText(tr_("TK_BodyTemperature"));
    f.pDeviceCaption->setText(tr_("TK_DeviceName"));
    f.pTimeCaption->setText(tr_("TK_Time"));
    f.pHandleCaption->setText(tr_("TK_HandleResult"));
    f.pNoteCaption->setText(tr_("TK_HandleNote"));
    f.pHandleType->button(AlarmHandlingStore::HandleFeverRetest)
            ->setText(tr_("TK_HandleFeverRetest"));
    f.pHandleType->button(AlarmHandlingStore::HandleFalseAlarm)
            ->setText(tr_("TK_HandleFalseAlarm"));
    f.pHandleType->button(AlarmHandlingStore::HandleOther)->setText(tr_("TK_HandleOther"));
    f.pOpenRecord->setText(tr_("TK_OpenAlarmRecord"));
    f.pSave->setText(tr_("TK_Save"));
    f.pCancel->setText(tr_("TK_Cancel"));
    if (f.bStranger)
        f.pName->setText(tr_("TK_Stranger"));
}

void OverTemperatureProcessDialog::setOpenDialogVisible(bool p_bVisible)
{
    m_pForm->pOpenRecord->setVisible(p_bVisible);
}

void OverTemperatureProcessDialog::openDialog(const OrvaneSnapTargetSource &p_objSource,
                                              bool p_bModal)
{
    if (p_objSource.alarmId == NoValue) {
        // The list never opens such a source; a caller that does gets a tip, not a dialog.
        qDebug() << "OverTemperatureProcessDialog::openDialog source without an alarm id";
        setTips(tr_("TK_NotSupport"), TipFailure);
        return;
    }
    m_pForm->objSource = p_objSource;
    fillForm();
    setWindowModality(p_bModal ? Qt::ApplicationModal : Qt::NonModal);
    showSNDialog();
    if (p_bModal) {
        QEventLoop loop;
        connect(this, &SNDialog::signalDialogClosed, &loop, &QEventLoop::quit);
        connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void OverTemperatureProcessDialog::fillForm()
{
    OverTemperatureProcessForm &f = *m_pForm;
    const OrvaneSnapTargetSource &source = f.objSource;
    VORNClientAIManager *ai = VORNClientAIManager::instance();

    // The notice carries only the snapshot; the platform's record of the alarm tells who it was.
    QString name;
    QString archiveUrl;
    OrvaneCompareNotifyMessage stored;
    if (SnapshotHistory::findByAlarmId(source.alarmId, stored)) {
        for (const CompareInfo &match : stored.compareInfoVec) {
            if (match.matchFlag != 0 && match.archiveImage.archiveId != NoValue) {
                name = match.archive.get_name();
                archiveUrl = match.archiveImage.url;
                break;
            }
        }
    }
    // A screen hands over its record, whose snapshot URL is already the local cache path; the
    // platform's own record keeps the name to download it by.
    f.strRemoteSnapPicture = stored.snapFaceInfo.snapTargetSource.snapDetailImageURL.isEmpty()
                                     ? source.snapDetailImageURL
                                     : stored.snapFaceInfo.snapTargetSource.snapDetailImageURL;
    QPixmap cached;
    if (QFileInfo(source.snapDetailImageURL).isAbsolute()
        && FileDataCacheHelper::tryLoadPixmapData(source.snapDetailImageURL, cached))
        f.strSnapPicture = source.snapDetailImageURL;
    else if (!f.strRemoteSnapPicture.isEmpty())
        f.strSnapPicture = ai->convertToLocalSnapAbsPath(f.strRemoteSnapPicture, true);
    else
        f.strSnapPicture.clear();
    f.strArchivePicture =
            archiveUrl.isEmpty() ? QString() : ai->convertToLocalSnapAbsPath(archiveUrl, false);
    f.bStranger = name.isEmpty();
    f.pName->setText(f.bStranger ? tr_("TK_Stranger") : name);
    f.pTemperature->setText(ai->convertNumberToTemperature(float(source.temperature)));
    f.pDevice->setText(VornClient::instance()->getDevNameByChannelUID(source.channelUID));
    f.pTime->setText(source.snapTime);
    f.pHandleType->button(AlarmHandlingStore::HandleFeverRetest)->setChecked(true);
    f.pNote->clear();
    f.pSave->setEnabled(true);
    showPictures();
    requestPictures();
}

void OverTemperatureProcessDialog::showPictures()
{
    OverTemperatureProcessForm &f = *m_pForm;
    const QList<QPair<QLabel *, QString>> pictures{{f.pSnapPicture, f.strSnapPicture},
                                                   {f.pArchivePicture, f.strArchivePicture}};
    for (const auto &entry : pictures) {
        QPixmap pixmap;
        if (!entry.second.isEmpty() && FileDataCacheHelper::tryLoadPixmapData(entry.second, pixmap))
            entry.first->setPixmap(
                    pixmap.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            entry.first->setPixmap(QPixmap());
    }
}

void OverTemperatureProcessDialog::requestPictures()
{
    OverTemperatureProcessForm &f = *m_pForm;
    QList<TransFilePath> files;
    QPixmap probe;
    if (!f.strSnapPicture.isEmpty()
        && !FileDataCacheHelper::tryLoadPixmapData(f.strSnapPicture, probe))
        files.append(TransFilePath(f.strSnapPicture, f.strRemoteSnapPicture));
    OrvaneCompareNotifyMessage stored;
    if (!f.strArchivePicture.isEmpty()
        && !FileDataCacheHelper::tryLoadPixmapData(f.strArchivePicture, probe)
        && SnapshotHistory::findByAlarmId(f.objSource.alarmId, stored)) {
        for (const CompareInfo &match : stored.compareInfoVec) {
            if (match.matchFlag != 0 && match.archiveImage.archiveId != NoValue) {
                files.append(TransFilePath(f.strArchivePicture, match.archiveImage.url));
                break;
            }
        }
    }
    if (files.isEmpty())
        return;
    VornClient *client = VornClient::instance();
    long handle = client->pictureServerHandle(f.objSource.serverUID);
    if (handle < 1)
        handle = client->m_nLoginServerHandle;
    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, FlieDataTransTask::TransTypePicture, this, nullptr,
                     FlieDataTransTask::PositionPlatform);
    f.nDownloadTask = FlieDataTransfer::getInstance()->addTransTask(task);
}

bool OverTemperatureProcessDialog::event(QEvent *event)
{
    if (event->type() == FileTransStateEvent::EventType) {
        auto *state = static_cast<FileTransStateEvent *>(event);
        if (state->taskId() == m_pForm->nDownloadTask && state->isFinished()) {
            m_pForm->nDownloadTask = NoValue;
            if (state->status() != FileTransStateEvent::StatusSuccess)
                qDebug() << "OverTemperatureProcessDialog pictures not downloaded:"
                         << state->errorText();
            showPictures();
        }
        return true;
    }
    return SNDialog::event(event);
}

void OverTemperatureProcessDialog::limitNote()
{
    QPlainTextEdit *note = m_pForm->pNote;
    const QString text = note->toPlainText();
    if (text.size() <= MaxNoteLength)
        return;
    QSignalBlocker block(note);
    note->setPlainText(text.left(MaxNoteLength));
    note->moveCursor(QTextCursor::End);
}

void OverTemperatureProcessDialog::save()
{
    OverTemperatureProcessForm &f = *m_pForm;
    const int alarmId = f.objSource.alarmId;
    if (alarmId == NoValue) {
        setTips(tr_("TK_NotSupport"), TipFailure);
        return;
    }
    AlarmHandlingStore::Record record;
    record.nAlarmId = alarmId;
    record.nHandleType = f.pHandleType->checkedId();
    if (!AlarmHandlingStore::isValidType(record.nHandleType))
        record.nHandleType = AlarmHandlingStore::HandleOther;
    record.strNote = f.pNote->toPlainText();
    record.nOperatorId = VornClient::instance()->getCurUserId();
    record.objTime = QDateTime::currentDateTime();

    switch (AlarmHandlingStore::save(record)) {
    case AlarmHandlingStore::SaveResult::AlreadyHandled:
        setTips(tr_("TK_AlarmAlreadyHandled"), TipNeutral);
        return;
    case AlarmHandlingStore::SaveResult::Failed:
        // What was typed stays, so the operator can try again.
        setTips(tr_("TK_SaveFailed"), TipFailure);
        return;
    case AlarmHandlingStore::SaveResult::Stored:
        break;
    }
    qDebug() << "OverTemperatureProcessDialog alarm" << alarmId << "handled, type"
             << record.nHandleType;
    // Tipped before the notice: a receiver may close or delete the dialog's owner.
    setTips(tr_("TK_SaveSuccess"), TipSuccess);
    QPointer<OverTemperatureProcessDialog> self(this);
    emit VornClient::instance()->signalProcessOverTemperatureAlarm(std::vector<int>{alarmId});
    if (self)
        closeSNDialog();
}
