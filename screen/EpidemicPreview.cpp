#include "screen/EpidemicPreview.h"
#include "ui_EpidemicPreview.h"

#include "config/StrategyLoader.h"
#include "screen/WindowKey.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "FormVideoPlayer.h"
#include "PictureFlow.h"
#include "RealtimeTempDeviceWidget.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
#include <QIcon>
#include <QLocale>
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
    : BaseGuideWidget(parent),
      m_ui(std::make_unique<Ui::EpidemicPreViewWidget>()),
      m_pPictureFlowClearTimer(new QTimer(this)),
      m_pSlideTimer(new QTimer(this))
{
    m_ui->setupUi(this);

    m_ui->VideoPlayWidget->setFunctionId(46);
    m_ui->VideoPlayWidget->hideSaveButton();

    m_ui->pageDevice->setShowDevicesType(12);
    m_ui->pageDevice->setChannelFilterType(5);

    initForm();
}

EpidemicPreview::~EpidemicPreview()
{
    if (m_pSnapClearTimer)
        m_pSnapClearTimer->stop();
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
    connect(m_ui->widgetSnap, &OverTempSnapWidget::signalSearch, this, &EpidemicPreview::slotSearch);
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
    m_ui->labelDataStatistics->setText(AppLanguageTr::translate(QStringLiteral("TK_DataStatistics")));
    m_ui->labelDeviceList->setText(AppLanguageTr::translate(QStringLiteral("TK_DeviceList")));
    m_ui->labelMeasureTemp->setText(AppLanguageTr::translate(QStringLiteral("TK_MeasureTempRecord")));
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
    SpeechHelper::instance()->clearList();
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
    // Completed picture transfers (type 2013) are taken here once the notification intake
    // arrives.
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
    // Filtering and showing notifications arrives with the notification intake.
    Q_UNUSED(compareNotifys)
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
    // Composing and queueing the sentence arrives with the voice announcements.
    Q_UNUSED(name)
    Q_UNUSED(temp)
    Q_UNUSED(p_nTemperatureState)
    Q_UNUSED(time)
    Q_UNUSED(p_nArchiveGroupID)
    Q_UNUSED(p_nMaskStatus)
}

void EpidemicPreview::slot_openOrgaGroupWidget()
{
    // The organisation pop-up arrives with the statistics filter.
}

void EpidemicPreview::slot_NodeChange(Node p_objNode, ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    // Following the chosen organisation arrives with the statistics filter.
    Q_UNUSED(p_objNode)
    Q_UNUSED(p_eType)
}

void EpidemicPreview::on_pushButtonSound_clicked()
{
    m_bSoundOn = !m_bSoundOn;
    setStatedProperty(m_ui->pushButtonSound, m_bSoundOn ? "open" : "close");
    // The style sheet draws the state; an icon would cover it.
    m_ui->pushButtonSound->setIcon(QIcon());
    if (!m_bSoundOn)
        SpeechHelper::instance()->clearList();
}

void EpidemicPreview::slot_changeOrga(OrvaneOrga p_objOrga, OrvaneOperatorType p_eKind)
{
    Q_UNUSED(p_objOrga)
    if (p_eKind == ORVANE_OPERATOR_ADD || p_eKind == ORVANE_OPERATOR_DELETE
        || p_eKind == ORVANE_OPERATOR_MODIFY)
        applyOrgaSelection();
}

void EpidemicPreview::slot_deviceInfoChanged(OrvaneDeviceList p_vecDevices, OrvaneOperatorType p_eKind)
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
    param.strClearOverTempTime = QLocale(QLocale::English)
                                     .toString(QDateTime::currentDateTime(),
                                               QStringLiteral("yyyy-MM-dd hh:mm:ss"));
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
    m_vecStrategies = StrategyLoader::loadWindowStrategies(StrategyLoader::strategyWindowId(this));
    qDebug() << "EpidemicPreview::loadStrategies" << m_vecStrategies.size() << "strategies";
}

void EpidemicPreview::applyFirstStrategy()
{
    // The placeholder and the first strategy's card settings arrive with the video area.
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
    m_objSnapConfigParam =
        AppConfigHelper::instance()->getEpidemicPreviewConfigParam(screenWindowId(this));
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
    // Today's history snapshots arrive with the notification intake.
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
    AppConfigHelper::instance()->setEpidemicPreviewConfigParam(screenWindowId(this),
                                                               p_objSnapConfigParam);
    m_objSnapConfigParam = p_objSnapConfigParam;
}

void EpidemicPreview::setStatedProperty(QWidget *p_pWidget, const char *p_szStated)
{
    p_pWidget->setProperty("stated", QString::fromLatin1(p_szStated));
    AppStyleHelper::repolish(p_pWidget);
}
