#pragma once

#include "BaseWidget.h"
#include "PREVIEWCONFIGPARAM.h"

#include <QPair>
#include <QPointer>
#include <QString>
#include <QVector>

class PictureFlow;
class QHBoxLayout;
class QPushButton;
class FormPlayer;

// The host's live video player: a FormPlayer grid of live windows fed by play requests, with a
// bottom bar for layout, layout saving and full screen. Play requests arrive as the player's own
// signals (startPlay, stopPlay, doubleClickedPlay, changeStream), which screens relay to it.
// When the user changes the layout (layout buttons, plays and stops from the device tree,
// closing windows), the player stores it as PREVIEWCONFIGPARAM of the window id held by the
// nearest ancestor's "priviewWinId" property; replaying a saved layout stores nothing.
class FormVideoPlayer : public BaseWidget
{
    Q_OBJECT
public:
    explicit FormVideoPlayer(QWidget *parent = nullptr);
    ~FormVideoPlayer() override;

    // Window count of a layout mode: 1 → 1, 2 → 4, 3 → 9, 4 → 16; 0 and unknown modes → 4.
    static int windowCountForMode(int mode);
    // The layout record the player stores for the current layout.
    static PREVIEWCONFIGPARAM layoutRecord(int mode, const QVector<QPair<int, int>> &layoutList,
                                           bool picInPic, const QVector<QString> &positions);

    void setFunctionId(int functionId);
    int functionId() const { return m_nFunctionId; }
    void hideSaveButton();
    bool isSaveButtonHidden() const { return m_bSaveHidden; }

    QWidget *getPlayerWidget() const;

    void openPicInPic(bool open);
    void setPicInPicPos(const QVector<QString> &positions);
    // Switches to the layout mode and plays each (window index, channel id) pair.
    void playLastLayoutList(int mode, const QVector<QPair<int, int>> &layoutList);
    void setLayoutBtnVisiable(bool visible);
    bool isLayoutBtnVisible() const { return m_bLayoutBtnVisible; }
    void disableScreenSignalSlots(bool disable);
    bool isScreenSignalSlotsDisabled() const { return m_bScreenSignalsDisabled; }
    void disableSendMousePos(bool disable);
    bool isSendMousePosDisabled() const { return m_bMousePosDisabled; }

    // The carousel laid over the video; created once, owned by the player. Returns null when
    // the carousel was switched off with setPictureFlowAvailable(false).
    PictureFlow *createPictureFlow();
    void setPictureFlowAvailable(bool available);

    bool isFullScreen() const { return m_bFullScreen; }
    int lastIOOutput() const { return m_nLastIOOutput; }
    // Channel ids playing, by window index (-99999 for an empty window).
    QVector<int> playingChannels() const;

    void releaseResource() override;
    QVector<QPair<int, int>> getCurrLayoutList() override;
    int getCurLayoutMode() override;
    int getPicInPicModel() override;
    QVector<QString> getPicInPicPos() override;
    void replaceNavigationWidget(QWidget *p_pNavigation) override;

signals:
    void stopPlay(const QVector<int> &p_vecChannelId);
    void stopPlay(const QString &p_strUid);
    void sig_openIOOutput(int p_nOutput);
    void changeStream(const int &p_nStreamId, const int &p_nChannelId, const bool &p_bOther);
    void doubleClickedPlay(const int &p_nChannelId, const bool &p_bOther);
    void startPlay(const int &p_nStreamId, const QVector<int> &p_vecChannelId,
                   const bool &p_bOther);
    void winSelected(const QString &p_strChannelUid);
    void fullScreen(bool p_bFullScreen);
    void wndChanged();
    void layoutSaved(int p_nMode, QVector<QPair<int, int>> p_vecLayout);
    // Relayed from the FormPlayer inside.
    void doubleclicked(int p_nIndex);
    void sigSelectedLayoutMode(int p_nMode);
    void close(int p_nIndex);
    void closeAll();

public slots:
    void slot_fullScreen();

private:
    // The grid of video windows is the stand-in's own widget: see HostTesting (host/testing).
    friend class HostTesting;
    FormPlayer *videoGrid() const { return m_pGrid; }

    void onStartPlay(const int &streamId, const QVector<int> &channelIds, const bool &other);
    void onDoubleClickedPlay(const int &channelId, const bool &other);
    void onStopPlayChannels(const QVector<int> &channelIds);
    void onStopPlayUid(const QString &uid);
    void onChangeStream(const int &streamId, const int &channelId, const bool &other);
    void onWindowClicked(int index);
    void setLayoutMode(int mode);
    // Stores the current layout for the window; user changes only.
    void storeLayout();
    bool playInWindow(int index, int channelId, int streamId);
    int windowOfChannel(int channelId) const;

    FormPlayer *m_pGrid = nullptr;
    QWidget *m_pBar = nullptr;
    QHBoxLayout *m_pBarLayout = nullptr;
    QWidget *m_pLayoutButtons = nullptr;
    QPushButton *m_pSaveButton = nullptr;
    QPushButton *m_pFullButton = nullptr;
    QPointer<QWidget> m_pNavigation;
    QPointer<PictureFlow> m_pPictureFlow;
    int m_nFunctionId = 0;
    int m_nLayoutMode = 0;
    int m_nLastIOOutput = -99999;
    bool m_bSaveHidden = false;
    bool m_bLayoutBtnVisible = true;
    bool m_bScreenSignalsDisabled = false;
    bool m_bMousePosDisabled = false;
    bool m_bPicInPic = false;
    bool m_bFullScreen = false;
    bool m_bPictureFlowAvailable = true;
    QVector<QString> m_vecPicInPicPos;
};
