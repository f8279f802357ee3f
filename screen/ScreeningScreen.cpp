#include "ScreeningScreen.h"

#include "FaultNotices.h"
#include "ScreenStoreSync.h"
#include "SnapComparesMessage.h"
#include "SnapIntake.h"
#include "WindowKey.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "FormVideoPlayer.h"
#include "OverTempSnapWidget.h"
#include "RealtimeTempDeviceWidget.h"
#include "SnapStatisticWidget.h"
#include "SpeechHelper.h"
#include "TempSnapWidget.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
#include <QLocale>
#include <QPushButton>
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

ScreeningScreen::ScreeningScreen(QWidget *parent)
    : BaseGuideWidget(parent)
    , m_pPictureFlowClearTimer(new QTimer(this))
    , m_pSlideTimer(new QTimer(this))
{
}

ScreeningScreen::~ScreeningScreen()
{
    if (m_pSnapClearTimer)
        m_pSnapClearTimer->stop();
}

void ScreeningScreen::setForm(const ScreenForm &p_objForm)
{
    m_form = p_objForm;
    m_pIntake = new SnapIntake(
            this, {[this] { return firstStrategy(); },
                   [this]() -> const IntelligentSnapConfigParam & { return m_objSnapConfigParam; },
                   [this] { return m_nCurOrgaId; }});
    connect(m_pIntake, &SnapIntake::overTempRecordReady, this,
            &ScreeningScreen::showOverTempRecord);
    connect(m_pIntake, &SnapIntake::recordReady, this, &ScreeningScreen::showSnapRecord);
    connect(m_pIntake, &SnapIntake::liveSnapshotCounted, m_form.widgetCircle,
            &SnapStatisticWidget::addSnapCount);
}

void ScreeningScreen::setUpVideoAndDevices()
{
    m_form.VideoPlayWidget->setFunctionId(FeverValues::FunctionIdVideoPlayer);
    m_form.VideoPlayWidget->hideSaveButton();

    m_form.pageDevice->setShowDevicesType(FeverValues::DeviceShowTempScreening);
    m_form.pageDevice->setChannelFilterType(FeverValues::ChannelFilterThermal);
}

void ScreeningScreen::connectScreen()
{
    // 1. Connected again under 10, so initForm never leaves it connected twice.
    disconnect(m_form.pushButtonFilter, &QPushButton::clicked, this,
               &ScreeningScreen::slot_snapFilterConfig);

    // 2. Device tree requests, relayed to the player.
    RealtimeTempDeviceWidget *device = m_form.pageDevice;
    FormVideoPlayer *player = m_form.VideoPlayWidget;
    connect(device, &RealtimeTempDeviceWidget::changeStream, this,
            &ScreeningScreen::slot_changeStream);
    connect(device, &RealtimeTempDeviceWidget::startPlay, this, &ScreeningScreen::slot_startPlay);
    connect(device, qOverload<const QVector<int> &>(&RealtimeTempDeviceWidget::stopPlay), player,
            qOverload<const QVector<int> &>(&FormVideoPlayer::stopPlay));
    connect(device, &RealtimeTempDeviceWidget::doubleClickedPlay, this,
            &ScreeningScreen::slot_doubleClickedPlay);
    connect(device, qOverload<const QString &>(&RealtimeTempDeviceWidget::stopPlay), player,
            qOverload<const QString &>(&FormVideoPlayer::stopPlay));
    connect(device, &RealtimeTempDeviceWidget::sig_openIOOutput, player,
            &FormVideoPlayer::sig_openIOOutput);
    connect(device, &RealtimeTempDeviceWidget::clickDevConfig, this, &BaseWidget::clickDevConfig);

    // 3.
    connect(this, &ScreeningScreen::changeStream, player, &FormVideoPlayer::changeStream);
    connect(this, &ScreeningScreen::doubleClickedPlay, player, &FormVideoPlayer::doubleClickedPlay);
    // 4.
    connect(player, &FormVideoPlayer::winSelected, device,
            &RealtimeTempDeviceWidget::slot_winSelected);
    // 5.
    connect(this, &ScreeningScreen::startPlay, player, &FormVideoPlayer::startPlay);
    // 6.
    connect(m_form.widgetSnap, &OverTempSnapWidget::signalSearch, this,
            &ScreeningScreen::slotSearch);
    connect(m_form.widgetTempSnap, &TempSnapWidget::sendTempInfo, this,
            &ScreeningScreen::slot_handleTempVoice);
    // 7.
    connect(player, &FormVideoPlayer::fullScreen, this,
            &ScreeningScreen::slotFullScreenButtonClicked);
    connect(player, &FormVideoPlayer::wndChanged, this,
            &ScreeningScreen::slot_resizeNoShowVideoWidget);
    connect(this, &ScreeningScreen::fullScreen, player, &FormVideoPlayer::slot_fullScreen);
    // 8.
    connect(m_pPictureFlowClearTimer, &QTimer::timeout, this,
            &ScreeningScreen::slot_clearPictrueFlow);
    connect(m_pSlideTimer, &QTimer::timeout, this, &ScreeningScreen::slot_showSlice);
    // 9.
    VornClient *client = VornClient::instance();
    connect(client, &VornClient::signalProcessOverTemperatureAlarm, this,
            &ScreeningScreen::slot_processOverTemperatureAlarm);
    connect(client, &VornClient::signalOrgaInfoChanged, this, &ScreeningScreen::slot_changeOrga);
    connect(client, &VornClient::signalDeviceInfoChanged, this,
            &ScreeningScreen::slot_deviceInfoChanged);
    // 10.
    connect(m_form.pushButtonOrgaGroup, &QPushButton::clicked, this,
            &ScreeningScreen::slot_openOrgaGroupWidget);
    connect(m_form.leftSideBarButton, &QPushButton::clicked, this,
            &ScreeningScreen::slot_hideOrShowSideBar);
    connect(m_form.pushButtonFilter, &QPushButton::clicked, this,
            &ScreeningScreen::slot_snapFilterConfig);
    connect(m_form.snapSideBarButton, &QPushButton::clicked, this,
            &ScreeningScreen::slot_hideOrShowSideBar2);
    // 11.
    connect(m_form.widgetSnap, &OverTempSnapWidget::signalClearOverTempSnap, this,
            &ScreeningScreen::slot_saveClearOverTempSnapTime);
    // 12. The platform's daily reset of the totals.
    connect(VORNClientAIManager::instance(), &VORNClientAIManager::sendSnapZero,
            m_form.widgetCircle, &SnapStatisticWidget::slot_querySnapStatistic);
}

void ScreeningScreen::doAfterWidgetShow()
{
    if (m_bInitialised)
        return;

    prepareFirstShow();
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
    connect(m_pSnapClearTimer, &QTimer::timeout, this, &ScreeningScreen::slot_clearSnapShowData);
    m_pSnapClearTimer->start(500);

    placeGuideTip();
    m_bGuideReady = true;
    m_bInitialised = true;

    // Last, so that a live snapshot never meets a half-prepared screen.
    VornClient *client = VornClient::instance();
    connect(client, &VornClient::signalCompareNotifyReceived, this,
            &ScreeningScreen::slotCompareNotifyReceived);
    connect(client, &VornClient::signalAiNvrCompareNotifyReceived, this,
            &ScreeningScreen::slotCompareNotifyReceived);
}

void ScreeningScreen::doAfterWidgetHide()
{
    m_bFirstFlag = true;
}

void ScreeningScreen::releaseResource()
{
    VornClient *client = VornClient::instance();
    disconnect(client, &VornClient::signalCompareNotifyReceived, this,
               &ScreeningScreen::slotCompareNotifyReceived);
    disconnect(client, &VornClient::signalAiNvrCompareNotifyReceived, this,
               &ScreeningScreen::slotCompareNotifyReceived);
    disconnect(client, &VornClient::signalProcessOverTemperatureAlarm, this,
               &ScreeningScreen::slot_processOverTemperatureAlarm);

    m_form.VideoPlayWidget->releaseResource();
    // Only this screen's sentences: the queue is shared with the other screens.
    SpeechHelper::instance()->clearList(this);
    VORNClientAIManager::instance()->updateNvrCtrlSnapParam(screenWindowKey(this), QSet<QString>());
}

bool ScreeningScreen::event(QEvent *event)
{
    if (!event)
        return true;
    // The transfer posts its events to the screen; the intake that started the task handles them.
    if (event->type() == FeverValues::TransStateEventType && m_pIntake)
        m_pIntake->handleTransferEvent(event);
    return BaseGuideWidget::event(event);
}

void ScreeningScreen::resizeEvent(QResizeEvent *event)
{
    Q_UNUSED(event)
    if (m_bGuideReady)
        placeGuideTip();
}

void ScreeningScreen::slotCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys)
{
    m_pIntake->receive(compareNotifys, sender());
}

void ScreeningScreen::slot_hideOrShowSideBar()
{
    toggleLeftPanel();
}

void ScreeningScreen::slot_hideOrShowSideBar2()
{
    toggleSnapPanel();
}

void ScreeningScreen::toggleLeftPanel()
{
    m_bLeftPanelCollapsed = !m_bLeftPanelCollapsed;
    showLeftPanelCollapsed(m_bLeftPanelCollapsed);
}

void ScreeningScreen::toggleSnapPanel()
{
    m_bSnapPanelCollapsed = !m_bSnapPanelCollapsed;
    showSnapPanelCollapsed(m_bSnapPanelCollapsed);
}

void ScreeningScreen::slot_saveClearOverTempSnapTime()
{
    m_form.widgetTempSnap->slot_clearOverTempSnapPicture(false);

    // Over-temperature snapshots taken before this moment stay out of the list.
    IntelligentSnapConfigParam param = m_objSnapConfigParam;
    param.strClearOverTempTime =
            QLocale(QLocale::English)
                    .toString(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    storeSnapConfigParam(param);
}

void ScreeningScreen::slot_clearSnapShowData()
{
    // The lists drop only cards older than the strategy's clear times.
    m_form.widgetTempSnap->slot_clearNormalTempSnapPicture(true);
    m_form.widgetTempSnap->slot_clearOverTempSnapPicture(true);
    m_form.widgetSnap->slot_clearOverTempSnapPicture(true);
}

void ScreeningScreen::loadStrategies()
{
    m_pStoreSync->loadStrategies(screenWindowKey(this), m_vecStrategies);
    qDebug() << logHead("loadStrategies").constData() << m_vecStrategies.size() << "strategies";
}

const ST_MSGVoiceBroadcastStrategy *ScreeningScreen::firstStrategy() const
{
    return m_vecStrategies.empty() ? nullptr : &m_vecStrategies.front();
}

void ScreeningScreen::showSnapRecord(const SnapComparesMessage &p_objRecord)
{
    showRecordInVideoArea(p_objRecord);
    m_form.widgetTempSnap->appendSnapshot(p_objRecord);
    addPictureFlowSlide(p_objRecord);
    snapRecordShown(p_objRecord);
}

void ScreeningScreen::showOverTempRecord(const SnapComparesMessage &p_objRecord)
{
    // The intake has already kept out snapshots older than the last manual clearing.
    const OrvaneSnapTargetSource &source = p_objRecord.snapFaceInfo.snapTargetSource;
    m_form.widgetSnap->appendPersonInfo(source.snapDetailImageURL, source,
                                        p_objRecord.compareInfo.archiveImage);
}

void ScreeningScreen::placeGuideTip()
{
    if (!m_form.widgetSnapFace->isVisible())
        return;
    QPushButton *button = m_form.pushButtonFilter;
    GuideParam param;
    param.nType = 1;
    param.rect = filterGuideRect(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
    param.nArrow = 5;
    param.tips = QStringList{QStringLiteral("TK_DeviceFilterSetGuideTips")};
    updateGuideParam({param});
}

QByteArray ScreeningScreen::logHead(const char *p_szHead) const
{
    return QByteArray(metaObject()->className()) + "::" + p_szHead;
}

void ScreeningScreen::setStatedProperty(QWidget *p_pWidget, const char *p_szStated)
{
    p_pWidget->setProperty("stated", QString::fromLatin1(p_szStated));
    AppStyleHelper::repolish(p_pWidget);
}

void ScreeningScreen::connectFaultHandling()
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
