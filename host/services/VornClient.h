#pragma once

#include "Node.h"
#include "OrvaneArchive.h"
#include "OrvaneChannel.h"
#include "OrvaneCompareNotifyMessage.h"
#include "OrvaneDevice.h"
#include "OrvaneGroup.h"
#include "OrvaneOperatorType.h"
#include "OrvanePersonGroup.h"
#include "OrvaneUser.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The client's view of the platform: logged-in user, organisations, devices and channels, face
// library groups, and the notification signals. Its content comes from a scenario file (JSON; see
// resources/scenarios/default.json). At construction it loads the file named by the environment
// variable FEVER_SCENARIO, or the bundled default scenario; HostTesting loads others.
//
// Pointers returned by the look-ups stay valid until the record is removed or another scenario is
// loaded.
class VornClient : public QObject
{
    Q_OBJECT
public:
    // Device-show types understood by filtDeviceByShowType.
    static constexpr int ShowAllDevices = 0;
    static constexpr int ShowTempScreeningDevices = 12;
    // Channel-filter types understood by channelPassesFilter.
    static constexpr int ChannelFilterNone = 0;
    static constexpr int ChannelFilterThermal = 5;

    static VornClient *instance();

    bool isThermoDetectorDevice(int typeId) const;
    bool isNVROrDVRDevice(int typeId) const;

    void getLoginServerUid(QString &uid) const;
    QString getLoginServerUid() const;
    // Handle of a picture server (IAU) named by the scenario; 0 when it is unknown or offline.
    long pictureServerHandle(const QString &serverUid) const;

    // Channel UIDs are "<device UID>_<channel number>"; the device UID may itself hold '_'.
    static bool parseChannelUID(const QString &channelUid, QString &deviceUid, int &channelNo);
    static QString makeChannelUID(const QString &deviceUid, int channelNo);

    OrvaneDevice *getDevicesByUid(const QString &deviceUid) const;
    OrvaneDevice *getDevicesById(int deviceId) const;
    OrvaneGroup *getOrgaInfoById(int orgaId) const;
    OrvaneChannel *getChannelByUid(const QString &channelUid) const;
    OrvaneChannel *getChannelById(int channelId) const;

    OrvaneDeviceList getCurUserDevices() const;
    OrvaneDeviceList filtDeviceByShowType(const OrvaneDeviceList &devices, int showType) const;
    bool channelPassesFilter(const OrvaneDevice &device, const OrvaneChannel &channel,
                             int filterType) const;
    bool getChannelsByDeviceId(int deviceId, std::vector<OrvaneChannel> &channels) const;
    // Organisation tree, depth first, parents before children.
    bool getOrgaNodeList(std::vector<Node> &nodes) const;
    QString getDevNameByChannelUID(const QString &channelUid) const;
    // What the video player opens for the channel (file path or URL); empty when it has none.
    QString getChannelStreamUrl(int channelId) const;

    OrvaneUser getCurUserInfo() const;
    bool getCurUserInfo(OrvaneUser &user) const;
    int getCurUserId() const;

    std::vector<OrvanePersonGroup> getPersonGroups() const;
    std::vector<OrvaneArchive> getArchives() const;

    // Connection handle of the login server and the logged-in user's kind (1: super user).
    int m_nLoginServerHandle = 0;
    int m_nUserKind = 0;

signals:
    void signalCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys);
    void signalAiNvrCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys);
    void signalProcessOverTemperatureAlarm(std::vector<int> p_AlarmIdList);
    void signalOrgaInfoChanged(OrvaneOrga orga, OrvaneOperatorType kind);
    void signalDeviceInfoChanged(OrvaneDeviceList devices, OrvaneOperatorType kind);
    void signalScenarioLoaded();

private:
    // Scenario loading and platform-side changes belong to the stand-in: see HostTesting
    // (host/testing).
    friend class HostTesting;
    // The operator's face-library changes (host/standin/FaceLibraryStore).
    friend class FaceLibraryStore;
    // Scenario defaults of the password check and the customisations, which the platform store
    // overrides once it holds its own.
    friend class PasswordVault;
    friend class VORNClientOemManager;
    QString scenarioPasswordDigest() const;
    QStringList scenarioCustomizations() const;
    // Adds the person or replaces the stored one with the same id.
    void applyArchive(const OrvaneArchive &archive);
    bool loadScenario(const QString &path);
    bool loadScenarioData(const QByteArray &json);
    QString lastScenarioError() const;
    QString scenarioPath() const;
    // Picture servers the scenario has connected, sorted.
    QStringList connectedPictureServers() const;
    void addDevice(const OrvaneDevice &device, const std::vector<OrvaneChannel> &channels);
    bool removeDevice(int deviceId);
    void addOrga(const OrvaneOrga &orga);
    bool removeOrga(int orgaId);

    struct State;

    VornClient();
    ~VornClient() override;
    Q_DISABLE_COPY(VornClient)

    std::unique_ptr<State> m_pState;
    QString m_strLastError;
    QString m_strScenarioPath;
};
