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

#include <QRect>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace Ui {
class EpidemicPreViewWidget;
}

class AuthUserInfoWidget;
class FaultNotices;
class IntelligentSnapConfigWidget;
class NoshowVideoWidget;
class PictureFlow;
class PreviewConfigWidget;
class QTimer;
class SnapComparesMessage;
class SnapIntake;
class ScreenStoreSync;
class SnapStaticFilterWidget;

// The main real-time temperature screening screen: video, snapshot strip, over-temperature
// list, daily totals and voice announcements of one window. Its operations are spread over one
// file per concern: EpidemicPreview.cpp (composition and life cycle), EpidemicPreviewVideo.cpp,
// EpidemicPreviewVoice.cpp, EpidemicPreviewConfig.cpp (the settings dialog) and
// EpidemicPreviewWiring.cpp (devices, organisation, statistics and alarms); the notification intake
// is its SnapIntake.
class EpidemicPreview : public BaseGuideWidget
{
    Q_OBJECT

public:
    explicit EpidemicPreview(QWidget *parent = nullptr);
    ~EpidemicPreview() override;

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
    void initForm() override;
    void retranslateUi() override;
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

private:
    // Not a slot: the form has no tool box, and as a slot its name would make every
    // connectSlotsByName() of the form log a missing-signal warning.
    void on_toolBox_currentChanged(int index);

private slots:
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

private:
    // First-show steps, in the order doAfterWidgetShow runs them.
    void loadStrategies();
    void applyFirstStrategy();
    void restoreVideoLayout();
    void createPictureFlow();
    void applyDisplayModeAndSlideSize();
    void loadSnapConfigParam();
    void applyOrgaSelection();
    void applyScreenPicture();
    void autoFullScreen();

    // A record whose pictures are in the cache, handed on by the intake.
    void showSnapRecord(const SnapComparesMessage &p_objRecord);
    void showOverTempRecord(const SnapComparesMessage &p_objRecord);
    // The video area's part of showing a record: the placeholder's temperature, the slide.
    void showRecordInVideoArea(const SnapComparesMessage &p_objRecord);
    void addPictureFlowSlide(const SnapComparesMessage &p_objRecord);
    const ST_MSGVoiceBroadcastStrategy *firstStrategy() const;

    void placeGuideTip();
    void storeSnapConfigParam(const IntelligentSnapConfigParam &p_objSnapConfigParam);
    // Takes a channel selection as the load does (all channels: the first four) and registers
    // its recorder channels.
    void applySnapSource(const IntelligentSnapConfigParam &p_objSnapConfigParam);
    void setStatedProperty(QWidget *p_pWidget, const char *p_szStated);
    // Fault tips, store retries and the speech engine's state on the sound button.
    void connectFaultHandling();
    void showSoundState();

    std::unique_ptr<Ui::EpidemicPreViewWidget> m_ui;
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
