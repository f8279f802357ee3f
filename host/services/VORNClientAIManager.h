#pragma once

#include "CuVORNClientManager.h"
#include "Node.h"
#include "OrvanePersonGroup.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

class OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage;
class OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage;
class OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage;
class OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage;
class OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage;
class OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage;
class ST_MSGVoiceBroadcastStrategy;

// AI services of the client: recorder snapshot registration per window, the face-library
// groups, picture servers and the daily-totals reset notice.
class VORNClientAIManager : public CuVORNClientManager
{
    Q_OBJECT
public:
    static VORNClientAIManager *instance();

    // Tells the platform which recorder channels a window wants snapshots from; an empty set
    // withdraws the window's registration. Returns false for a negative key.
    bool updateNvrCtrlSnapParam(int key, const QSet<QString> &channelUids);

    // Face-library groups as tree nodes, depth first (node id = group id, name = group name).
    std::vector<Node> getPersonGroupTreeNodes() const;
    // The group, or a record with id -99999 when there is none.
    OrvanePersonGroup getPersonGroupByID(int groupId) const;

    // Connection handle of a picture server; above 0 when it is connected.
    long getIAUServerHandle(const QString &serverUid) const;

    // Local cache path of a remote picture (snapshot or archive picture); always inside the
    // cache folder, whatever the URL holds. Resource paths (":/...") are returned unchanged.
    QString convertToLocalSnapAbsPath(const QString &url, bool isSnapshot) const;
    // Temperature text in the user's unit, one decimal: "36.5℃" / "97.7℉" with the unit,
    // "36.5" without. p_bUserUnit false keeps Celsius whatever the user chose.
    QString convertNumberToTemperature(float value, bool p_bWithUnit = true,
                                       bool p_bUserUnit = true) const;

    // Voice broadcast strategies, one list per strategy window id, in the order stored. Each
    // call returns false on failure with the reason in getLastErrorString(); a failed list
    // leaves the vector empty.
    bool
    getVoiceBroadcastStrategyListByWinID(int windowId,
                                         std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);
    // The response carries the new strategy's id (getID()).
    bool addAiCompareVoiceBroadcastStrategy(
            OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage &request,
            OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage &response);
    // Replaces the stored strategy with the request's id; fails for an id not stored.
    bool setAiCompareVoiceBroadcastStrategy(
            OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage &request,
            OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage &response);
    // Deletes every id added to the request; none when one of them is not stored.
    bool delAiCompareVoiceBroadcastStrategy(
            OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage &request,
            OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage &response);

signals:
    void sendSnapZero();
    void signalNvrCtrlSnapParamUpdated(int key, QSet<QString> channelUids);

private:
    // What the stand-in recorded and the platform's reset notice: see HostTesting (host/testing).
    friend class HostTesting;
    // The platform's daily reset announces itself (host/standin/PlatformStore).
    friend class PlatformStore;
    QSet<QString> lastNvrCtrlSnapParam(int key) const;
    bool hasNvrCtrlSnapParam(int key) const;
    int nvrCtrlSnapUpdateCount(int key) const;
    bool isNvrChannelRegistered(const QString &channelUid) const;
    void notifySnapZero();

    VORNClientAIManager();
    ~VORNClientAIManager() override;
    Q_DISABLE_COPY(VORNClientAIManager)

    QHash<int, QSet<QString>> m_hashNvrCtrlSnap;
    QHash<int, int> m_hashNvrUpdateCount;
};
