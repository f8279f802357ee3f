#pragma once

#include "FeverValues.h"
#include "SnapStatisticTypes.h"

#include "BaseGuideWidget.h"
#include "IntelligentSnapConfigParam.h"
#include "Node.h"
#include "OrvaneCompareNotifyMessage.h"
#include "OrvaneDevice.h"
#include "OrvaneGroup.h"
#include "OrvaneOperatorType.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QVector>

#include <vector>

class AuthUserInfoWidget;
class FaultNotices;
class FormVideoPlayer;
class IntelligentSnapConfigWidget;
class NoshowVideoWidget;
class OverTempSnapWidget;
class PictureFlow;
class PreviewConfigWidget;
class QBoxLayout;
class QPushButton;
class QTimer;
class RealtimeTempDeviceWidget;
class ScreenStoreSync;
class SnapComparesMessage;
class SnapIntake;
class SnapStaticFilterWidget;
class SnapStatisticWidget;
class TempSnapWidget;

// What every screening screen does, whatever its layout: the notification intake, the video
// area, voice announcements, the device, organisation and statistics wiring, the settings and
// the life cycle. A screen builds its own form and hands over the widgets all forms share; the
// differences in layout go through the protected hooks. Its operations are spread over one file
// per concern: ScreeningScreen.cpp (life cycle), ScreeningScreenVideo.cpp,
// ScreeningScreenVoice.cpp, ScreeningScreenConfig.cpp and ScreeningScreenWiring.cpp.
class ScreeningScreen : public BaseGuideWidget
{
    Q_OBJECT

public:
    ~ScreeningScreen() override;

signals:
    void fullScreen();
    void changeStream(const int &p_nStreamId, const int &p_nChannelId, const bool &p_bFlag);
    void startPlay(const int &p_nStreamId, const QVector<int> &p_vecChannelId, const bool &p_bFlag);
    void stopPlay(const QVector<int> &p_vecChannelId);
    void doubleClickedPlay(const int &p_nChannelId, const bool &p_bFlag);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

public slots:
    void doAfterWidgetShow() override;
    void doAfterWidgetHide() override;
    void releaseResource() override;
    QVector<QPair<int, int>> getCurrLayoutList() override;
    int getCurLayoutMode() override;
    int getPicInPicModel() override;
    QVector<QString> getPicInPicPos() override;
    void replaceNavigationWidget(QWidget *p_pNavigation) override;

    void slot_fullScreen();
    void slot_changeStream(int p_nStreamId, int p_nChannelId);
    void slot_startPlay(int p_nStreamId, QVector<int> p_vecChannelId);
    void slot_doubleClickedPlay(int p_nChannelId);
    void slotSearch(QString url);
    void slot_resizeNoShowVideoWidget();

private slots:
    void slot_snapFilterConfig();
    void slot_snapConfigParam(IntelligentSnapConfigParam p_objSnapConfigParam);
    void slotCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys);
    void slot_processOverTemperatureAlarm(std::vector<int> p_AlarmIdList);
    void slotFullScreenButtonClicked(bool fullscreen);
    void slot_showSlice();
    void slot_clearPictrueFlow();
    void on_pushButtonConfig_clicked();
    void slotPreviewParmChanged();
    void slot_handleTempVoice(QString name, QString temp, int p_nTemperatureState, QString time,
                              int p_nArchiveGroupID, int p_nMaskStatus);
    void slot_openOrgaGroupWidget();
    void slot_NodeChange(Node p_objNode, ENUM_MSGQueryTimeTempSnapStatisticsType p_eType);
    void on_pushButtonSound_clicked();
    void slot_changeOrga(OrvaneOrga p_objOrga, OrvaneOperatorType p_eKind);
    void slot_deviceInfoChanged(OrvaneDeviceList p_vecDevices, OrvaneOperatorType p_eKind);
    void slot_hideOrShowSideBar();
    void slot_hideOrShowSideBar2();
    void slot_saveClearOverTempSnapTime();
    void handleNvrChannelUIDSnap();
    void slot_clearSnapShowData();

protected:
    // The widgets every screening form has, under their object names.
    struct ScreenForm
    {
        QWidget *widgetMain = nullptr;
        QBoxLayout *mainLayout = nullptr; // holds widgetMain when the video is not full screen
        QWidget *widgetLeft = nullptr;    // the left panel
        QWidget *widgetSnapFace = nullptr;
        FormVideoPlayer *VideoPlayWidget = nullptr;
        OverTempSnapWidget *widgetSnap = nullptr;
        TempSnapWidget *widgetTempSnap = nullptr;
        SnapStatisticWidget *widgetCircle = nullptr;
        RealtimeTempDeviceWidget *pageDevice = nullptr;
        QPushButton *pushButtonSound = nullptr;
        QPushButton *pushButtonConfig = nullptr;
        QPushButton *pushButtonFilter = nullptr;
        QPushButton *pushButtonOrgaGroup = nullptr;
        QPushButton *leftSideBarButton = nullptr;
        QPushButton *snapSideBarButton = nullptr;

        // The widgets both forms name alike; the layout and the side-bar buttons differ.
        template<typename Ui>
        static ScreenForm fromCommonNames(const Ui &ui)
        {
            ScreenForm form;
            form.widgetMain = ui.widgetMain;
            form.widgetSnapFace = ui.widgetSnapFace;
            form.VideoPlayWidget = ui.VideoPlayWidget;
            form.widgetSnap = ui.widgetSnap;
            form.widgetTempSnap = ui.widgetTempSnap;
            form.widgetCircle = ui.widgetCircle;
            form.pageDevice = ui.pageDevice;
            form.pushButtonSound = ui.pushButtonSound;
            form.pushButtonConfig = ui.pushButtonConfig;
            form.pushButtonFilter = ui.pushButtonFilter;
            form.pushButtonOrgaGroup = ui.pushButtonOrgaGroup;
            return form;
        }
    };

    explicit ScreeningScreen(QWidget *parent);

    // Called once by the screen's constructor after its form set-up: the intake starts here, so
    // that its log lines carry the screen's own class name.
    void setForm(const ScreenForm &p_objForm);
    const ScreenForm &form() const { return m_form; }
    // The player and device settings both forms need before their connections.
    void setUpVideoAndDevices();
    // The connections every screen makes in its initForm, in their fixed order.
    void connectScreen();
    // Fault tips, store retries and the speech engine's state on the sound button.
    void connectFaultHandling();

    // "<screen class>::<p_szHead>", the head of the screen's log lines.
    QByteArray logHead(const char *p_szHead) const;
    void setStatedProperty(QWidget *p_pWidget, const char *p_szStated);
    const ST_MSGVoiceBroadcastStrategy *firstStrategy() const;
    bool isInitialised() const { return m_bInitialised; }
    bool isFullScreen() const { return m_bFullScreen; }
    NoshowVideoWidget *placeholder() const { return m_pNoshowVideoWidget; }
    void setSnapPanelCollapsed(bool p_bCollapsed) { m_bSnapPanelCollapsed = p_bCollapsed; }
    // What the two side-bar slots do.
    void toggleLeftPanel();
    void toggleSnapPanel();
    void applyOrgaSelection();

    // Hooks for what differs between the layouts; all but the pure ones do nothing here.
    // First step of the first show, before the strategies are read.
    virtual void prepareFirstShow() {}
    // After the first strategy's card size reached the lists, at the first show and when the
    // settings change.
    virtual void cardSizeApplied() {}
    virtual void applyScreenPicture() {}
    // An organisation now drives the statistics.
    virtual void orgaApplied(int p_nOrgaId) { Q_UNUSED(p_nOrgaId) }
    // A record just went to the lists and the video area.
    virtual void snapRecordShown(const SnapComparesMessage &p_objRecord) { Q_UNUSED(p_objRecord) }
    // The player was asked to play or enlarge a channel.
    virtual void videoLayoutChanged() {}
    // After the placeholder followed the player's windows.
    virtual void videoAreaResized() {}
    virtual void showLeftPanelCollapsed(bool p_bCollapsed) = 0;
    virtual void showSnapPanelCollapsed(bool p_bCollapsed) = 0;
    // Global geometry of the organisation pop-up.
    virtual QRect orgaPopupGeometry() const = 0;

private:
    // First-show steps, in the order doAfterWidgetShow runs them.
    void loadStrategies();
    void applyFirstStrategy();
    void restoreVideoLayout();
    void createPictureFlow();
    void applyDisplayModeAndSlideSize();
    void loadSnapConfigParam();
    void autoFullScreen();

    // A record whose pictures are in the cache, handed on by the intake.
    void showSnapRecord(const SnapComparesMessage &p_objRecord);
    void showOverTempRecord(const SnapComparesMessage &p_objRecord);
    // The video area's part of showing a record: the placeholder's temperature, the slide.
    void showRecordInVideoArea(const SnapComparesMessage &p_objRecord);
    void addPictureFlowSlide(const SnapComparesMessage &p_objRecord);

    void placeGuideTip();
    void storeSnapConfigParam(const IntelligentSnapConfigParam &p_objSnapConfigParam);
    // Takes a channel selection as the load does (all channels: the first four) and registers
    // its recorder channels.
    void applySnapSource(const IntelligentSnapConfigParam &p_objSnapConfigParam);
    void showSoundState();

    ScreenForm m_form;
    QRect m_rectSavedGeometry;
    PictureFlow *m_pPictureFlow = nullptr;
    QTimer *m_pPictureFlowClearTimer = nullptr;
    PreviewConfigWidget *m_pPreviewConfigWidget = nullptr;
    bool m_bFullScreen = false;
    bool m_bScreenSignalsPending = false;
    QTimer *m_pSlideTimer = nullptr;
    std::vector<ST_MSGVoiceBroadcastStrategy> m_vecStrategies;
    bool m_bSoundOn = true;
    SnapStaticFilterWidget *m_pSnapStaticFilterWidget = nullptr;
    std::vector<Node> m_vecOrgaNodes;
    int m_nCurOrgaId = FeverValues::NoValue;
    NoshowVideoWidget *m_pNoshowVideoWidget = nullptr;
    bool m_bLeftPanelCollapsed = false;
    bool m_bSnapPanelCollapsed = false;
    IntelligentSnapConfigWidget *m_pIntelligentSnapConfigWidget = nullptr;
    IntelligentSnapConfigParam m_objSnapConfigParam;
    // The window screens "all channels": the snapshot source holds the channels chosen for it
    // and is stored with the flag set.
    bool m_bAllChannelsStored = false;
    bool m_bGuideReady = false;
    AuthUserInfoWidget *m_pAuthUserInfoWidget = nullptr;
    QTimer *m_pSnapClearTimer = nullptr;
    bool m_bInitialised = false;
    // Notification intake, picture downloads and the last task handled (m_nTaskID).
    SnapIntake *m_pIntake = nullptr;
    FaultNotices *m_pFaultNotices = nullptr;
    ScreenStoreSync *m_pStoreSync = nullptr;
};
