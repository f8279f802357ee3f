#pragma once

#include "FaultNotices.h"
#include "PendingSnapTasks.h"
#include "ReadySnapQueue.h"

#include "IntelligentSnapConfigParam.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneCompareNotifyMessage.h"
#include "ReqSnapDataParam.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <functional>

class BaseWidget;
class FileTransStateEvent;
class QDebug;
class QEvent;
class QTimer;

// The comparison-notification intake of one screening screen: keeps the notifications the
// window screens, fetches the pictures of each accepted match through the host's file transfer
// and hands on the records that are ready, a few per event-loop turn, so that the cards they
// push out of the lists are deleted before the next few come, however many completions
// arrive at once. The screen that owns it receives the transfer's events and hands them on;
// log lines carry the screen's class name, so any screen may own one.
class SnapIntake : public QObject
{
    Q_OBJECT

public:
    // What the intake reads from its screen, each time it needs it.
    struct ScreenState
    {
        // The window's first strategy, null when it has none.
        std::function<const OrvaneAiCompareVoiceBroadcastStrategy *()> firstStrategy;
        // The window's channel selection and over-temperature clear time.
        std::function<const IntelligentSnapConfigParam &()> snapSource;
        // The organisation whose totals the screen shows.
        std::function<int()> currentOrgaId;
    };

    // `p_pScreen` becomes the parent, the receiver of the transfer's events and the window
    // that shows the intake's tips.
    SnapIntake(BaseWidget *p_pScreen, ScreenState p_objState);
    ~SnapIntake() override;

    // Takes a list in order. Live (announced and counted) when `p_pSender` is the client's
    // notification signal, history otherwise.
    void receive(const OrvaneCompareNotifyMessageList &p_vecNotifys, const QObject *p_pSender);
    // An event of the transfer-state type, as the screen received it.
    void handleTransferEvent(QEvent *p_pEvent);
    // Shows the window's snapshots of today, or of its clear window when the first strategy
    // clears by time: as many of the newest as the strip holds, and as many of the newest
    // over-temperature alarms after the last manual clearing as the over-temperature list
    // holds. Only what arrives while the queries run.
    void loadHistory();
    // Where the transfer's and the pictures' faults are reported; none by default.
    void setFaultNotices(FaultNotices *p_pNotices);

    // Records handed on per event-loop turn.
    static constexpr int ShowPerTurn = 4;

    // Task id of the last completion handled; FeverValues::NoValue before the first.
    int lastTaskId() const { return m_nTaskID; }
    // Records whose pictures are still being fetched.
    int pendingCount() const { return m_objPendingTasks.size(); }
    // Records ready and waiting for their turn, now and at most so far.
    int waitingCount() const { return m_objReady.size(); }
    int peakWaitingCount() const { return m_objReady.peakSize(); }
    // Records left out of a list because the list's capacity of newer ones was waiting.
    int stripSkips() const { return m_objReady.stripSkips(); }
    int overTempListSkips() const { return m_objReady.overTempListSkips(); }

signals:
    // A record for the over-temperature list, then (when it goes there too) for the strip.
    // Both pictures of the record were in the host's image cache when its transfer ended. The
    // record goes once the signal returns; receivers copy what they keep.
    void overTempRecordReady(const SnapComparesMessage &p_objRecord);
    void recordReady(const SnapComparesMessage &p_objRecord);
    // A live record of the screen's organisation or one below it.
    void liveSnapshotCounted(bool p_bTotal, bool p_bOverTemp, bool p_bNoMask, int p_nSourceKind);

private:
    OrvaneCompareNotifyMessageList queryHistory(const ReqSnapDataParam &p_objParam);
    void processCompareNotify(const OrvaneCompareNotifyMessage &p_objNotify, bool p_bLive,
                              bool p_bForStrip = true);
    void compareNotifyReceived(const OrvaneSnapFaceInfo &p_objSnapFaceInfo, CompareInfo p_objMatch,
                               bool p_bLive, bool p_bForStrip);
    long pictureServerHandle(const QString &p_strServerUID);
    void countLiveSnapshot(const OrvaneSnapFaceInfo &p_objSnapFaceInfo, long p_lHandle);
    void processTransEvent(const FileTransStateEvent &p_objEvent);
    void showWaiting();
    void reportFault(FaultNotices::Kind p_eKind, bool p_bFailing);
    // A debug line that starts with "<screen class>::<p_szHead>".
    QDebug debug(const char *p_szHead) const;

    BaseWidget *m_pScreen;
    ScreenState m_objState;
    // Taken at construction: while the screen is being destroyed its class is no longer known.
    QByteArray m_baLogClass;
    int m_nTaskID;
    // Records of the picture downloads still under way, released exactly once each.
    PendingSnapTasks m_objPendingTasks;
    ReadySnapQueue m_objReady;
    // Zero interval: hands on the next few waiting records on the next event-loop turn.
    QTimer *m_pShowTimer;
    QPointer<FaultNotices> m_pFaultNotices;
    QMetaObject::Connection m_objDiskStateConnection;
};
