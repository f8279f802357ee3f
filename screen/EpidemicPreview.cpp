#include "EpidemicPreview.h"
#include "ui_EpidemicPreview.h"

#include "FaultNotices.h"
#include "ScreenStoreSync.h"
#include "SnapComparesMessage.h"
#include "SnapIntake.h"
#include "StrategyLoader.h"
#include "WindowKey.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "FormVideoPlayer.h"
#include "RealtimeTempDeviceWidget.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
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
    : BaseGuideWidget(parent)
    , m_ui(std::make_unique<Ui::EpidemicPreViewWidget>())
    , m_pPictureFlowClearTimer(new QTimer(this))
    , m_pSlideTimer(new QTimer(this))
{
    m_pIntake = new SnapIntake(
            this, {[this] { return firstStrategy(); },
                   [this]() -> const IntelligentSnapConfigParam & { return m_objSnapConfigParam; },
                   [this] { return m_nCurOrgaId; }});
    m_ui->setupUi(this);
    connect(m_pIntake, &SnapIntake::overTempRecordReady, this,
            &EpidemicPreview::showOverTempRecord);
    connect(m_pIntake, &SnapIntake::recordReady, this, &EpidemicPreview::showSnapRecord);
    connect(m_pIntake, &SnapIntake::liveSnapshotCounted, m_ui->widgetCircle,
            &SnapStatisticWidget::addSnapCount);

    m_ui->VideoPlayWidget->setFunctionId(FeverValues::FunctionIdVideoPlayer);
    m_ui->VideoPlayWidget->hideSaveButton();

    m_ui->pageDevice->setShowDevicesType(FeverValues::DeviceShowTempScreening);
    m_ui->pageDevice->setChannelFilterType(FeverValues::ChannelFilterThermal);

    initForm();
    connectFaultHandling();
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
    m_pIntake->loadHistory();

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

bool EpidemicPreview::event(QEvent *event)
{
    if (!event)
        return true;
    // The transfer posts its events to the screen; the intake that started the task handles them.
    if (event->type() == FeverValues::TransStateEventType)
        m_pIntake->handleTransferEvent(event);
    return BaseGuideWidget::event(event);
}

void EpidemicPreview::resizeEvent(QResizeEvent *event)
{
    Q_UNUSED(event)
    if (m_bGuideReady)
        placeGuideTip();
}

void EpidemicPreview::on_toolBox_currentChanged(int index)
{
    Q_UNUSED(index)
}

void EpidemicPreview::slotCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys)
{
    m_pIntake->receive(compareNotifys, sender());
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

void EpidemicPreview::slot_clearSnapShowData()
{
    // The lists drop only cards older than the strategy's clear times.
    m_ui->widgetTempSnap->slot_clearNormalTempSnapPicture(true);
    m_ui->widgetTempSnap->slot_clearOverTempSnapPicture(true);
    m_ui->widgetSnap->slot_clearOverTempSnapPicture(true);
}

void EpidemicPreview::loadStrategies()
{
    m_pStoreSync->loadStrategies(screenWindowKey(this), m_vecStrategies);
    qDebug() << "EpidemicPreview::loadStrategies" << m_vecStrategies.size() << "strategies";
}

const ST_MSGVoiceBroadcastStrategy *EpidemicPreview::firstStrategy() const
{
    return m_vecStrategies.empty() ? nullptr : &m_vecStrategies.front();
}

void EpidemicPreview::showSnapRecord(const SnapComparesMessage &p_objRecord)
{
    showRecordInVideoArea(p_objRecord);
    m_ui->widgetTempSnap->appendSnapshot(p_objRecord);
    addPictureFlowSlide(p_objRecord);
}

void EpidemicPreview::showOverTempRecord(const SnapComparesMessage &p_objRecord)
{
    // The intake has already kept out snapshots older than the last manual clearing.
    const OrvaneSnapTargetSource &source = p_objRecord.snapFaceInfo.snapTargetSource;
    m_ui->widgetSnap->appendPersonInfo(source.snapDetailImageURL, source,
                                       p_objRecord.compareInfo.archiveImage);
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
    m_pIntake->setFaultNotices(m_pFaultNotices);

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
                applySnapSource(param);
                applyOrgaSelection();
                // Nothing of these channels was taken while the selection was unknown.
                m_pIntake->loadHistory();
            });

    connect(SpeechHelper::instance(), &SpeechHelper::engineAvailabilityChanged, this,
            [this](bool available) {
                showSoundState();
                m_pFaultNotices->report(FaultNotices::Speech, !available);
            });
    showSoundState();
}
