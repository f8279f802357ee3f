#include "EpidemicPreview.h"
#include "ui_EpidemicPreview.h"

#include "CompareNotifyFilter.h"
#include "FaultNotices.h"
#include "ScreenStoreSync.h"
#include "ScreenedChannels.h"
#include "SnapComparesMessage.h"
#include "SnapHistoryRequest.h"
#include "StrategyLoader.h"
#include "VoiceAnnouncement.h"
#include "WindowKey.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "AppTranslationHelper.h"
#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "FormVideoPlayer.h"
#include "PictureFlow.h"
#include "QueryHistoricalData.h"
#include "RealtimeTempDeviceWidget.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QIcon>
#include <QLocale>
#include <QPixmap>
#include <QSet>
#include <QTimer>

namespace {

// The guide bubble frames the filter button slightly wider than the button itself.
QRect filterGuideRect(const QRect &p_rectButton)
{
    return QRect(p_rectButton.x() - 3, p_rectButton.y(), p_rectButton.width() + 5,
                 p_rectButton.height() - 3);
}

} // namespace

EpidemicPreview::EpidemicPreview(QWidget *parent)
    : BaseGuideWidget(parent)
    , m_ui(std::make_unique<Ui::EpidemicPreViewWidget>())
    , m_pPictureFlowClearTimer(new QTimer(this))
    , m_pSlideTimer(new QTimer(this))
{
    m_ui->setupUi(this);

    m_ui->VideoPlayWidget->setFunctionId(46);
    m_ui->VideoPlayWidget->hideSaveButton();

    m_ui->pageDevice->setShowDevicesType(12);
    m_ui->pageDevice->setChannelFilterType(5);

    initForm();
    connectFaultHandling();
}

EpidemicPreview::~EpidemicPreview()
{
    if (m_pSnapClearTimer)
        m_pSnapClearTimer->stop();
    // The transfer skips receivers that are gone, so nobody else would release these.
    if (m_objPendingTasks.size() > 0)
        qDebug() << "EpidemicPreview::~EpidemicPreview releases" << m_objPendingTasks.size()
                 << "snapshots still downloading";
    m_objPendingTasks.clear();
}

void EpidemicPreview::initForm()
{
    retranslateUi();

    setStatedProperty(m_ui->pushButtonSound, "open");
    AppStyleHelper::updateWidgetStyle(m_ui->line, 14);
    setStatedProperty(m_ui->pushButtonHideSideBar, "hide");
    // Both side-bar buttons share the style rules written for the first one.
    m_ui->pushButtonHideSideBar_2->setObjectName(QStringLiteral("pushButtonHideSideBar"));
    setStatedProperty(m_ui->pushButtonHideSideBar_2, "hide");

    // 1. Connected again under 10, so initForm never leaves it connected twice.
    disconnect(m_ui->pushButtonFilter, &QPushButton::clicked, this,
               &EpidemicPreview::slot_snapFilterConfig);

    // 2. Device tree requests, relayed to the player.
    RealtimeTempDeviceWidget *device = m_ui->pageDevice;
    FormVideoPlayer *player = m_ui->VideoPlayWidget;
    connect(device, &RealtimeTempDeviceWidget::changeStream, this,
            &EpidemicPreview::slot_changeStream);
    connect(device, &RealtimeTempDeviceWidget::startPlay, this, &EpidemicPreview::slot_startPlay);
    connect(device, qOverload<const QVector<int> &>(&RealtimeTempDeviceWidget::stopPlay), player,
            qOverload<const QVector<int> &>(&FormVideoPlayer::stopPlay));
    connect(device, &RealtimeTempDeviceWidget::doubleClickedPlay, this,
            &EpidemicPreview::slot_doubleClickedPlay);
    connect(device, qOverload<const QString &>(&RealtimeTempDeviceWidget::stopPlay), player,
            qOverload<const QString &>(&FormVideoPlayer::stopPlay));
    connect(device, &RealtimeTempDeviceWidget::sig_openIOOutput, player,
            &FormVideoPlayer::sig_openIOOutput);
    connect(device, &RealtimeTempDeviceWidget::clickDevConfig, this, &BaseWidget::clickDevConfig);

    // 3.
    connect(this, &EpidemicPreview::changeStream, player, &FormVideoPlayer::changeStream);
    connect(this, &EpidemicPreview::doubleClickedPlay, player, &FormVideoPlayer::doubleClickedPlay);
    // 4.
    connect(player, &FormVideoPlayer::winSelected, device,
            &RealtimeTempDeviceWidget::slot_winSelected);
    // 5.
    connect(this, &EpidemicPreview::startPlay, player, &FormVideoPlayer::startPlay);
    // 6.
    connect(m_ui->widgetSnap, &OverTempSnapWidget::signalSearch, this,
            &EpidemicPreview::slotSearch);
    connect(m_ui->widgetTempSnap, &TempSnapWidget::sendTempInfo, this,
            &EpidemicPreview::slot_handleTempVoice);
    // 7.
    connect(player, &FormVideoPlayer::fullScreen, this,
            &EpidemicPreview::slotFullScreenButtonClicked);
    connect(player, &FormVideoPlayer::wndChanged, this,
            &EpidemicPreview::slot_resizeNoShowVideoWidget);
    connect(this, &EpidemicPreview::fullScreen, player, &FormVideoPlayer::slot_fullScreen);
    // 8.
    connect(m_pPictureFlowClearTimer, &QTimer::timeout, this,
            &EpidemicPreview::slot_clearPictrueFlow);
    connect(m_pSlideTimer, &QTimer::timeout, this, &EpidemicPreview::slot_showSlice);
    // 9.
    VornClient *client = VornClient::instance();
    connect(client, &VornClient::signalProcessOverTemperatureAlarm, this,
            &EpidemicPreview::slot_processOverTemperatureAlarm);
    connect(client, &VornClient::signalOrgaInfoChanged, this, &EpidemicPreview::slot_changeOrga);
    connect(client, &VornClient::signalDeviceInfoChanged, this,
            &EpidemicPreview::slot_deviceInfoChanged);
    // 10.
    connect(m_ui->pushButtonOrgaGroup, &QPushButton::clicked, this,
            &EpidemicPreview::slot_openOrgaGroupWidget);
    connect(m_ui->pushButtonHideSideBar, &QPushButton::clicked, this,
            &EpidemicPreview::slot_hideOrShowSideBar);
    connect(m_ui->pushButtonFilter, &QPushButton::clicked, this,
            &EpidemicPreview::slot_snapFilterConfig);
    connect(m_ui->pushButtonHideSideBar_2, &QPushButton::clicked, this,
            &EpidemicPreview::slot_hideOrShowSideBar2);
    // 11.
    connect(m_ui->widgetSnap, &OverTempSnapWidget::signalClearOverTempSnap, this,
            &EpidemicPreview::slot_saveClearOverTempSnapTime);
    // 12. The platform's daily reset of the totals.
    connect(VORNClientAIManager::instance(), &VORNClientAIManager::sendSnapZero, m_ui->widgetCircle,
            &SnapStatisticWidget::slot_querySnapStatistic);

    // Without the OEM switch the snapshot panel cannot be collapsed at all.
    if (AppConfigHelper::instance()->getOEMConfig().bCollapsibleSnapPanel) {
        m_ui->widgetSidebar_2->show();
        m_bSnapPanelCollapsed = true;
        m_ui->widgetSnapFace->hide();
    } else {
        m_ui->widgetSidebar_2->hide();
    }

    m_ui->widgetShowPictrue->hide();
}

void EpidemicPreview::retranslateUi()
{
    m_ui->labelDataStatistics->setText(
            AppLanguageTr::translate(QStringLiteral("TK_DataStatistics")));
    m_ui->labelDeviceList->setText(AppLanguageTr::translate(QStringLiteral("TK_DeviceList")));
    m_ui->labelMeasureTemp->setText(
            AppLanguageTr::translate(QStringLiteral("TK_MeasureTempRecord")));
    m_ui->pushButtonFilter->setText(AppLanguageTr::translate(QStringLiteral("TK_Filter")));
    if (m_bInitialised)
        applyOrgaSelection();
}

void EpidemicPreview::doAfterWidgetShow()
{
    if (m_bInitialised)
        return;

    loadStrategies();
    applyFirstStrategy();
    restoreVideoLayout();
    createPictureFlow();
    applyDisplayModeAndSlideSize();
    loadSnapConfigParam();
    applyOrgaSelection();
    applyScreenPicture();
    autoFullScreen();
    loadHistorySnapshots();

    m_pSnapClearTimer = new QTimer(this);
    connect(m_pSnapClearTimer, &QTimer::timeout, this, &EpidemicPreview::slot_clearSnapShowData);
    m_pSnapClearTimer->start(500);

    placeGuideTip();
    m_bGuideReady = true;
    m_bInitialised = true;

    // Last, so that a live snapshot never meets a half-prepared screen.
    VornClient *client = VornClient::instance();
    connect(client, &VornClient::signalCompareNotifyReceived, this,
            &EpidemicPreview::slotCompareNotifyReceived);
    connect(client, &VornClient::signalAiNvrCompareNotifyReceived, this,
            &EpidemicPreview::slotCompareNotifyReceived);
}

void EpidemicPreview::doAfterWidgetHide()
{
    m_bFirstFlag = true;
}

void EpidemicPreview::releaseResource()
{
    VornClient *client = VornClient::instance();
    disconnect(client, &VornClient::signalCompareNotifyReceived, this,
               &EpidemicPreview::slotCompareNotifyReceived);
    disconnect(client, &VornClient::signalAiNvrCompareNotifyReceived, this,
               &EpidemicPreview::slotCompareNotifyReceived);
    disconnect(client, &VornClient::signalProcessOverTemperatureAlarm, this,
               &EpidemicPreview::slot_processOverTemperatureAlarm);

    m_ui->VideoPlayWidget->releaseResource();
    // Only this screen's sentences: the queue is shared with the other screens.
    SpeechHelper::instance()->clearList(this);
    VORNClientAIManager::instance()->updateNvrCtrlSnapParam(screenWindowKey(this), QSet<QString>());
}

QVector<QPair<int, int>> EpidemicPreview::getCurrLayoutList()
{
    return m_ui->VideoPlayWidget->getCurrLayoutList();
}

int EpidemicPreview::getCurLayoutMode()
{
    return m_ui->VideoPlayWidget->getCurLayoutMode();
}

int EpidemicPreview::getPicInPicModel()
{
    return m_ui->VideoPlayWidget->getPicInPicModel();
}

QVector<QString> EpidemicPreview::getPicInPicPos()
{
    return m_ui->VideoPlayWidget->getPicInPicPos();
}

void EpidemicPreview::replaceNavigationWidget(QWidget *p_pNavigation)
{
    m_ui->VideoPlayWidget->replaceNavigationWidget(p_pNavigation);
}

bool EpidemicPreview::event(QEvent *event)
{
    if (!event)
        return true;
    if (event->type() == FileTransStateEvent::EventType) {
        const auto *state = dynamic_cast<const FileTransStateEvent *>(event);
        if (!state)
            qDebug() << "EpidemicPreview::event download not finished!";
        else
            processTransEvent(*state);
    }
    return BaseGuideWidget::event(event);
}

void EpidemicPreview::resizeEvent(QResizeEvent *event)
{
    Q_UNUSED(event)
    if (m_bGuideReady)
        placeGuideTip();
}

void EpidemicPreview::slot_fullScreen()
{
    if (isActiveWindow() && isVisible())
        emit fullScreen();
}

void EpidemicPreview::slot_changeStream(int p_nStreamId, int p_nChannelId)
{
    emit changeStream(p_nStreamId, p_nChannelId, false);
}

void EpidemicPreview::slot_startPlay(int p_nStreamId, QVector<int> p_vecChannelId)
{
    emit startPlay(p_nStreamId, p_vecChannelId, false);
}

void EpidemicPreview::slot_doubleClickedPlay(int p_nChannelId)
{
    emit doubleClickedPlay(p_nChannelId, false);
}

void EpidemicPreview::slotSearch(QString url)
{
    ParamMap params;
    params.insert(QStringLiteral("url"), url);
    gotoFunctionCard(27, params);
}

void EpidemicPreview::slot_resizeNoShowVideoWidget()
{
    if (!m_pNoshowVideoWidget)
        return;
    // Fitting the placeholder to the player or the monitor arrives with the video area.
}

void EpidemicPreview::slot_snapFilterConfig()
{
    // The channel selection dialog arrives with the devices and organisation wiring.
}

void EpidemicPreview::slot_snapConfigParam(IntelligentSnapConfigParam p_objSnapConfigParam)
{
    // Storing an edited channel selection arrives with the devices and organisation wiring.
    Q_UNUSED(p_objSnapConfigParam)
}

void EpidemicPreview::on_toolBox_currentChanged(int index)
{
    Q_UNUSED(index)
}

void EpidemicPreview::slotCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys)
{
    // Only the client's own signals are live; the history query at the first show is not.
    const bool live = sender() == VornClient::instance();
    for (const OrvaneCompareNotifyMessage &notify : compareNotifys)
        processCompareNotify(notify, live);
}

void EpidemicPreview::slot_processOverTemperatureAlarm(std::vector<int> p_AlarmIdList)
{
    // The list matches cards by alarm id alone.
    QVector<OrvaneSnapTargetSource> sources;
    sources.reserve(int(p_AlarmIdList.size()));
    for (int alarmId : p_AlarmIdList) {
        OrvaneSnapTargetSource source;
        source.alarmId = alarmId;
        sources.append(source);
    }
    m_ui->widgetSnap->slotOverTempAlarmProcessFinished(sources);
    m_ui->widgetCircle->slot_querySnapStatistic();
}

void EpidemicPreview::slotFullScreenButtonClicked(bool fullscreen)
{
    // Detaching the video area to full screen arrives with the video area.
    Q_UNUSED(fullscreen)
}

void EpidemicPreview::slot_showSlice()
{
    m_pSlideTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->showSlide(0);
}

void EpidemicPreview::slot_clearPictrueFlow()
{
    m_pPictureFlowClearTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->clear();
}

void EpidemicPreview::on_pushButtonConfig_clicked()
{
    // The configuration dialog, behind the password re-entry, arrives with the configuration
    // dialog.
}

void EpidemicPreview::slotPreviewParmChanged()
{
    // Taking the saved strategies back arrives with the configuration dialog.
}

void EpidemicPreview::slot_handleTempVoice(QString name, QString temp, int p_nTemperatureState,
                                           QString time, int p_nArchiveGroupID, int p_nMaskStatus)
{
    if (!m_bSoundOn)
        return;
    VoiceAnnouncement::TempVoiceInfo info;
    info.name = name;
    info.temp = temp;
    info.temperatureState = p_nTemperatureState;
    info.time = time;
    info.archiveGroupId = p_nArchiveGroupID;
    info.maskStatus = p_nMaskStatus;
    VoiceAnnouncement::VoiceContext context;
    context.weekday = VoiceAnnouncement::weekdayOf(QDate::currentDate());
    context.language = AppTranslationHelper::instance()->currentLanguage();
    context.fahrenheit =
            AppConfigHelper::instance()->getTemperatureUnitConfigHistory().nTemperatureUnit == 1;
    const QString sentence = VoiceAnnouncement::announcement(m_vecStrategies, info, context);
    // Blank pieces of a strategy (an empty verdict text) leave only spaces: nothing to say.
    if (sentence.trimmed().isEmpty())
        return;
    SpeechHelper::instance()->addSpeech(sentence, this);
}

void EpidemicPreview::slot_openOrgaGroupWidget()
{
    // The organisation pop-up arrives with the statistics filter.
}

void EpidemicPreview::slot_NodeChange(Node p_objNode,
                                      ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    // Following the chosen organisation arrives with the statistics filter.
    Q_UNUSED(p_objNode)
    Q_UNUSED(p_eType)
}

void EpidemicPreview::on_pushButtonSound_clicked()
{
    m_bSoundOn = !m_bSoundOn;
    showSoundState();
    // The style sheet draws the state; an icon would cover it.
    m_ui->pushButtonSound->setIcon(QIcon());
    if (!m_bSoundOn)
        SpeechHelper::instance()->clearList(this);
}

void EpidemicPreview::slot_changeOrga(OrvaneOrga p_objOrga, OrvaneOperatorType p_eKind)
{
    Q_UNUSED(p_objOrga)
    if (p_eKind == ORVANE_OPERATOR_ADD || p_eKind == ORVANE_OPERATOR_DELETE
        || p_eKind == ORVANE_OPERATOR_MODIFY)
        applyOrgaSelection();
}

void EpidemicPreview::slot_deviceInfoChanged(OrvaneDeviceList p_vecDevices,
                                             OrvaneOperatorType p_eKind)
{
    // Following added and removed thermal channels arrives with the devices wiring.
    Q_UNUSED(p_vecDevices)
    Q_UNUSED(p_eKind)
}

void EpidemicPreview::slot_hideOrShowSideBar()
{
    m_bLeftPanelCollapsed = !m_bLeftPanelCollapsed;
    if (m_bLeftPanelCollapsed) {
        setStatedProperty(m_ui->pushButtonHideSideBar, "show");
        m_ui->widget->hide();
    } else {
        setStatedProperty(m_ui->pushButtonHideSideBar, "hide");
        m_ui->widget->show();
    }
    m_ui->horizontalLayout_3->setContentsMargins(m_bLeftPanelCollapsed ? 0 : 2, 5, 5, 5);
}

void EpidemicPreview::slot_hideOrShowSideBar2()
{
    m_bSnapPanelCollapsed = !m_bSnapPanelCollapsed;
    if (m_bSnapPanelCollapsed) {
        setStatedProperty(m_ui->pushButtonHideSideBar_2, "hide");
        m_ui->widgetSnapFace->hide();
    } else {
        setStatedProperty(m_ui->pushButtonHideSideBar_2, "show");
        m_ui->widgetSnapFace->show();
    }
}

void EpidemicPreview::slot_saveClearOverTempSnapTime()
{
    m_ui->widgetTempSnap->slot_clearOverTempSnapPicture(false);

    // Over-temperature snapshots taken before this moment stay out of the list.
    IntelligentSnapConfigParam param = m_objSnapConfigParam;
    param.strClearOverTempTime =
            QLocale(QLocale::English)
                    .toString(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    storeSnapConfigParam(param);
}

void EpidemicPreview::handleNvrChannelUIDSnap()
{
    // Registering the selected NVR channels arrives with the devices wiring.
}

void EpidemicPreview::slot_clearSnapShowData()
{
    // The lists drop only cards older than the strategy's clear times.
    m_ui->widgetTempSnap->slot_clearNormalTempSnapPicture(true);
    m_ui->widgetTempSnap->slot_clearOverTempSnapPicture(true);
    m_ui->widgetSnap->slot_clearOverTempSnapPicture(true);
}

void EpidemicPreview::loadStrategies()
{
    m_pStoreSync->loadStrategies(StrategyLoader::strategyWindowId(this), m_vecStrategies);
    qDebug() << "EpidemicPreview::loadStrategies" << m_vecStrategies.size() << "strategies";
}

void EpidemicPreview::applyFirstStrategy()
{
    // The placeholder over the video and the custom picture mode arrive with the video area;
    // the card lists take the window's card size and display strategy now.
    const int cardSize = m_vecStrategies.empty() ? 3 : m_vecStrategies.front().get_card_size();
    m_ui->widgetTempSnap->setCardSize(cardSize);
    m_ui->widgetSnap->setCardSize(cardSize);
    if (m_vecStrategies.empty())
        return;
    m_ui->widgetTempSnap->setStrategy(m_vecStrategies.front());
    m_ui->widgetSnap->setStrategy(m_vecStrategies.front());
}

void EpidemicPreview::restoreVideoLayout()
{
    // Replaying the saved video layout arrives with the video area.
}

void EpidemicPreview::createPictureFlow()
{
    // The snapshot carousel arrives with the video area.
}

void EpidemicPreview::applyDisplayModeAndSlideSize()
{
    // Display mode and slide size arrive with the video area.
}

void EpidemicPreview::loadSnapConfigParam()
{
    m_pStoreSync->loadSnapConfig(screenWindowId(this), m_objSnapConfigParam);
    // Collecting the screened channels and registering NVR channels arrive with the devices
    // wiring.
}

void EpidemicPreview::applyOrgaSelection()
{
    // Choosing the organisation of the totals arrives with the statistics wiring.
}

void EpidemicPreview::applyScreenPicture()
{
    // The custom screen picture arrives with the screen-picture panel.
}

void EpidemicPreview::autoFullScreen()
{
    if (m_vecStrategies.empty())
        return;
    if (m_vecStrategies.front().auto_full_screen == 2 && !m_bFullScreen && isActiveWindow()
        && isVisible())
        emit fullScreen();
}

void EpidemicPreview::loadHistorySnapshots()
{
    IntelligentSnapConfigParam source = m_objSnapConfigParam;
    const QStringList channelUIDs = ScreenedChannels::collectChannelUIDs(source);
    const ReqSnapDataParam param =
            SnapHistoryRequest::build(firstStrategy(), channelUIDs, QDateTime::currentDateTime());

    // Results count only while the request runs: the query goes when this function returns.
    QueryHistoricalData query;
    connect(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived, this,
            &EpidemicPreview::slotCompareNotifyReceived);
    if (!query.reqSnapHistoryData(param, false))
        qDebug() << "EpidemicPreview::loadHistorySnapshots no history from" << param.strStartTime
                 << "to" << param.strEndTime;
}

const ST_MSGVoiceBroadcastStrategy *EpidemicPreview::firstStrategy() const
{
    return m_vecStrategies.empty() ? nullptr : &m_vecStrategies.front();
}

void EpidemicPreview::processCompareNotify(const OrvaneCompareNotifyMessage &p_objNotify,
                                           bool p_bLive)
{
    const std::vector<CompareInfo> matches = CompareNotifyFilter::acceptedMatches(
            p_objNotify, m_objSnapConfigParam, firstStrategy());
    for (const CompareInfo &match : matches)
        compareNotifyReceived(p_objNotify.snapFaceInfo, match, p_bLive);
}

void EpidemicPreview::compareNotifyReceived(const OrvaneSnapFaceInfo &p_objSnapFaceInfo,
                                            CompareInfo p_objMatch, bool p_bLive)
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    OrvaneSnapFaceInfo snapFaceInfo = p_objSnapFaceInfo;
    OrvaneSnapTargetSource &source = snapFaceInfo.snapTargetSource;
    QList<TransFilePath> files;

    const QString remoteSnap = source.snapDetailImageURL;
    const QString localSnap = ai->convertToLocalSnapAbsPath(remoteSnap, true);
    source.snapDetailImageURL = localSnap;
    files.append(TransFilePath(localSnap, remoteSnap));

    QString localArchive;
    QString remoteArchive;
    if (p_objMatch.matchFlag != 0 && p_objMatch.archiveImage.archiveId != -99999) {
        remoteArchive = p_objMatch.archiveImage.url;
        localArchive = ai->convertToLocalSnapAbsPath(remoteArchive, false);
    } else {
        qDebug() << "no register scores " << p_objMatch.score;
        localArchive = CompareNotifyFilter::noDataArchivePicture();
        remoteArchive = localArchive;
        p_objMatch.score = 0;
    }
    p_objMatch.archiveImage.url = localArchive;
    files.append(TransFilePath(localArchive, remoteArchive));

    qDebug() << "EpidemicPreview::slotCompareNotifyReceived "
             << "sourceurl " << localSnap << "personurl " << localArchive << "scores "
             << p_objMatch.score;

    auto record = std::make_unique<SnapComparesMessage>(snapFaceInfo, p_objMatch, p_bLive);
    qDebug() << "EpidemicPreview::compareNotifyReceived  snapDetailImageURL"
             << record->snapFaceInfo.snapTargetSource.snapDetailImageURL;
    qDebug() << "EpidemicPreview::compareNotifyReceived  archiveImage.url"
             << record->compareInfo.archiveImage.url;

    const long handle = pictureServerHandle(source.serverUID);
    if (p_bLive)
        countLiveSnapshot(snapFaceInfo, handle);

    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, FlieDataTransTask::TransTypePicture, this, record.get(),
                     FlieDataTransTask::PositionPlatform);
    const int taskId = FlieDataTransfer::getInstance()->addTransTask(task);
    if (taskId == FlieDataTransfer::InvalidTaskId) {
        qDebug() << "EpidemicPreview::compareNotifyReceived addTransTask failed";
        return; // the record goes with `record`
    }
    if (!m_objPendingTasks.adopt(taskId, std::move(record)))
        qDebug() << "EpidemicPreview::compareNotifyReceived task" << taskId
                 << "already outstanding, snapshot dropped";
}

long EpidemicPreview::pictureServerHandle(const QString &p_strServerUID)
{
    VornClient *client = VornClient::instance();
    QString loginServerUid;
    client->getLoginServerUid(loginServerUid);
    if (p_strServerUID == loginServerUid)
        return client->m_nLoginServerHandle;

    const long handle = VORNClientAIManager::instance()->getIAUServerHandle(p_strServerUID);
    // The download is still tried: the transfer reports the outcome either way.
    if (handle < 1)
        setTips(AppLanguageTr::translate(QStringLiteral("TK_ConnectIAUFaile!")) + p_strServerUID,
                2);
    return handle;
}

void EpidemicPreview::countLiveSnapshot(const OrvaneSnapFaceInfo &p_objSnapFaceInfo, long p_lHandle)
{
    VornClient *client = VornClient::instance();
    const OrvaneSnapTargetSource &source = p_objSnapFaceInfo.snapTargetSource;
    QString deviceUid;
    int channelNo = 0;
    if (!VornClient::parseChannelUID(source.channelUID, deviceUid, channelNo))
        return;
    const OrvaneDevice *device = client->getDevicesByUid(deviceUid);
    const OrvaneGroup *deviceOrga =
            device ? client->getOrgaInfoById(device->get_group_id()) : nullptr;
    const OrvaneGroup *screenOrga = client->getOrgaInfoById(m_nCurOrgaId);
    if (!deviceOrga || !screenOrga
        || !CompareNotifyFilter::countsForOrganisation(deviceOrga->get_group_code(),
                                                       screenOrga->get_group_code()))
        return;
    m_ui->widgetCircle->addSnapCount(true, source.temperatureState == 1,
                                     p_objSnapFaceInfo.maskStatus == 2,
                                     p_lHandle == client->m_nLoginServerHandle ? 3 : 1);
}

void EpidemicPreview::processTransEvent(const FileTransStateEvent &p_objEvent)
{
    if (p_objEvent.transType() != FlieDataTransTask::TransTypePicture || !p_objEvent.userData())
        return;
    qDebug() << "EpidemicPreview::processTransEvent  SnapComparesMessage* userData is"
             << p_objEvent.userData();

    const int taskId = p_objEvent.taskId();
    const bool failed = p_objEvent.status() == FileTransStateEvent::StatusFailed;
    if (!failed && !p_objEvent.isFinished())
        return; // more files of the task to come

    // The record is looked up by task id, never through the user data: a late or repeated
    // event may carry the pointer of a record already released. The last task handled is
    // only the most common such repeat.
    const std::unique_ptr<SnapComparesMessage> record = m_objPendingTasks.take(taskId);
    if (!record) {
        if (taskId == m_nTaskID && failed)
            qDebug() << "EpidemicPreview::processTransEvent status: -1 m_nTaskID == taskId";
        else if (taskId == m_nTaskID)
            qDebug() << "EpidemicPreview::processTransEvent status: success m_nTaskID == taskId";
        else
            qDebug() << "EpidemicPreview::processTransEvent task" << taskId
                     << "is not outstanding, event ignored";
        return;
    }
    m_nTaskID = taskId;
    if (failed)
        return; // nothing to show

    const QString &snapPath = record->snapFaceInfo.snapTargetSource.snapDetailImageURL;
    const QString &archivePath = record->compareInfo.archiveImage.url;
    qDebug() << "EpidemicPreview::processTransEvent  person name"
             << record->compareInfo.archive.get_name();
    qDebug() << "EpidemicPreview::processTransEvent  snapDetailImageURL" << snapPath;
    qDebug() << "EpidemicPreview::processTransEvent  archiveImage.url" << archivePath;

    QPixmap snapPixmap;
    QPixmap archivePixmap;
    if (FileDataCacheHelper::tryLoadPixmapData(snapPath, snapPixmap)
        && FileDataCacheHelper::tryLoadPixmapData(archivePath, archivePixmap))
        showSnapRecord(*record);
    else
        qDebug() << "EpidemicPreview::processTransEvent  FileDataCacheHelper::tryLoadPixmap failed";
}

void EpidemicPreview::showSnapRecord(const SnapComparesMessage &p_objRecord)
{
    // The placeholder's temperature goes first, once the placeholder over the video exists.
    // The over-temperature list takes records passing CompareNotifyFilter::belongsInOverTempList.
    m_ui->widgetTempSnap->appendSnapshot(p_objRecord);
    // The carousel takes records when CompareNotifyFilter::showsInPictureFlow allows slides.
}

void EpidemicPreview::placeGuideTip()
{
    if (!m_ui->widgetSnapFace->isVisible())
        return;
    QPushButton *button = m_ui->pushButtonFilter;
    GuideParam param;
    param.nType = 1;
    param.rect = filterGuideRect(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
    param.nArrow = 5;
    param.tips = QStringList{QStringLiteral("TK_DeviceFilterSetGuideTips")};
    updateGuideParam({param});
}

void EpidemicPreview::storeSnapConfigParam(const IntelligentSnapConfigParam &p_objSnapConfigParam)
{
    // Kept in memory even when the store refuses it; the store gets it when it is back.
    m_pStoreSync->storeSnapConfig(screenWindowId(this), p_objSnapConfigParam);
    m_objSnapConfigParam = p_objSnapConfigParam;
}

void EpidemicPreview::setStatedProperty(QWidget *p_pWidget, const char *p_szStated)
{
    p_pWidget->setProperty("stated", QString::fromLatin1(p_szStated));
    AppStyleHelper::repolish(p_pWidget);
}

void EpidemicPreview::connectFaultHandling()
{
    m_pFaultNotices = new FaultNotices(this);
    connect(m_pFaultNotices, &FaultNotices::tip, this,
            [this](const QString &key, int kind) { setTips(AppLanguageTr::translate(key), kind); });

    m_pStoreSync = new ScreenStoreSync(this);
    connect(m_pStoreSync, &ScreenStoreSync::faultChanged, m_pFaultNotices, &FaultNotices::report);
    // What the first show could not read arrives late; it is applied as the first show would.
    connect(m_pStoreSync, &ScreenStoreSync::strategiesLoaded, this,
            [this](const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies) {
                m_vecStrategies = strategies;
                applyFirstStrategy();
            });
    connect(m_pStoreSync, &ScreenStoreSync::snapConfigLoaded, this,
            [this](const IntelligentSnapConfigParam &param) {
                m_objSnapConfigParam = param;
                handleNvrChannelUIDSnap();
                applyOrgaSelection();
                // Nothing of these channels was taken while the selection was unknown.
                loadHistorySnapshots();
            });

    connect(SpeechHelper::instance(), &SpeechHelper::engineAvailabilityChanged, this,
            [this](bool available) {
                showSoundState();
                m_pFaultNotices->report(FaultNotices::Speech, !available);
            });
    showSoundState();
}

void EpidemicPreview::showSoundState()
{
    const bool available = SpeechHelper::instance()->isEngineAvailable();
    setStatedProperty(m_ui->pushButtonSound,
                      VoiceAnnouncement::soundButtonState(m_bSoundOn, available));
    m_ui->pushButtonSound->setToolTip(
            available ? QString()
                      : AppLanguageTr::translate(FaultNotices::failureKey(FaultNotices::Speech)));
}
