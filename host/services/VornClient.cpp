#include "VornClient.h"

#include "FaceLibraryStore.h"
#include "OrvaneMetaTypes.h"
#include "VornScenario.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <functional>

struct VornClient::State : VornScenario
{};

VornClient *VornClient::instance()
{
    static VornClient client;
    return &client;
}

VornClient::VornClient()
    : m_pState(std::make_unique<State>())
{
    orvane::registerMetaTypes();
    m_pState->thermalTypeIds = VornScenario::defaultThermalTypeIds();
    m_pState->recorderTypeIds = VornScenario::defaultRecorderTypeIds();
    const QString fromEnv = qEnvironmentVariable("FEVER_SCENARIO");
    const QString path = fromEnv.isEmpty() ? QStringLiteral(":/scenarios/default.json") : fromEnv;
    loadScenario(path);
}

VornClient::~VornClient() = default;

bool VornClient::loadScenario(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_strLastError = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        qDebug() << "VornClient::loadScenario failed," << m_strLastError;
        return false;
    }
    if (!loadScenarioData(file.readAll())) {
        qDebug() << "VornClient::loadScenario failed for" << path;
        return false;
    }
    m_strScenarioPath = path;
    return true;
}

bool VornClient::loadScenarioData(const QByteArray &json)
{
    auto next = std::make_unique<State>();
    QString error;
    if (!VornScenario::parse(json, *next, error)) {
        m_strLastError = error;
        qDebug() << "VornClient::loadScenarioData rejected scenario:" << error;
        return false;
    }
    FaceLibraryStore::applyTo(next->archives, next->personGroups);
    m_pState = std::move(next);
    m_strLastError.clear();
    m_strScenarioPath.clear();
    m_nLoginServerHandle = m_pState->loginServerHandle;
    m_nUserKind = m_pState->userKind;
    qDebug() << "VornClient::loadScenarioData" << m_pState->devices.size() << "device(s),"
             << m_pState->channels.size() << "channel(s)," << m_pState->orgas.size()
             << "organisation(s)";
    emit signalScenarioLoaded();
    return true;
}

QString VornClient::lastScenarioError() const
{
    return m_strLastError;
}

QString VornClient::scenarioPath() const
{
    return m_strScenarioPath;
}

QString VornClient::scenarioPasswordDigest() const
{
    return m_pState->userPasswordDigest;
}

QStringList VornClient::scenarioCustomizations() const
{
    return m_pState->customizations;
}

QStringList VornClient::connectedPictureServers() const
{
    QStringList servers;
    for (auto it = m_pState->pictureServerHandles.cbegin();
         it != m_pState->pictureServerHandles.cend(); ++it) {
        if (it.value() > 0)
            servers.append(it.key());
    }
    servers.sort();
    return servers;
}

bool VornClient::isThermoDetectorDevice(int typeId) const
{
    return m_pState->thermalTypeIds.contains(typeId);
}

bool VornClient::isNVROrDVRDevice(int typeId) const
{
    return m_pState->recorderTypeIds.contains(typeId);
}

void VornClient::getLoginServerUid(QString &uid) const
{
    uid = m_pState->loginServerUid;
}

QString VornClient::getLoginServerUid() const
{
    return m_pState->loginServerUid;
}

long VornClient::pictureServerHandle(const QString &serverUid) const
{
    if (serverUid == m_pState->loginServerUid)
        return m_nLoginServerHandle;
    return m_pState->pictureServerHandles.value(serverUid, 0);
}

bool VornClient::parseChannelUID(const QString &channelUid, QString &deviceUid, int &channelNo)
{
    const int separator = channelUid.lastIndexOf(QLatin1Char('_'));
    if (separator <= 0 || separator == channelUid.size() - 1)
        return false;
    const QStringRef number = channelUid.midRef(separator + 1);
    for (const QChar c : number) {
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    }
    bool ok = false;
    const int value = number.toInt(&ok);
    if (!ok)
        return false;
    deviceUid = channelUid.left(separator);
    channelNo = value;
    return true;
}

QString VornClient::makeChannelUID(const QString &deviceUid, int channelNo)
{
    return deviceUid + QLatin1Char('_') + QString::number(channelNo);
}

OrvaneDevice *VornClient::getDevicesByUid(const QString &deviceUid) const
{
    for (const auto &device : m_pState->devices) {
        if (device->get_device_uid() == deviceUid)
            return device.get();
    }
    return nullptr;
}

OrvaneDevice *VornClient::getDevicesById(int deviceId) const
{
    for (const auto &device : m_pState->devices) {
        if (device->get_id() == deviceId)
            return device.get();
    }
    return nullptr;
}

OrvaneGroup *VornClient::getOrgaInfoById(int orgaId) const
{
    for (const auto &orga : m_pState->orgas) {
        if (orga->get_id() == orgaId)
            return orga.get();
    }
    return nullptr;
}

OrvaneChannel *VornClient::getChannelByUid(const QString &channelUid) const
{
    for (const auto &channel : m_pState->channels) {
        if (channel->get_channel_uid() == channelUid)
            return channel.get();
    }
    return nullptr;
}

OrvaneChannel *VornClient::getChannelById(int channelId) const
{
    for (const auto &channel : m_pState->channels) {
        if (channel->get_id() == channelId)
            return channel.get();
    }
    return nullptr;
}

OrvaneDeviceList VornClient::getCurUserDevices() const
{
    OrvaneDeviceList devices;
    devices.reserve(m_pState->devices.size());
    for (const auto &device : m_pState->devices)
        devices.push_back(*device);
    return devices;
}

bool VornClient::channelPassesFilter(const OrvaneDevice &device, const OrvaneChannel &channel,
                                     int filterType) const
{
    if (filterType != ChannelFilterThermal)
        return true;
    // A recorder's channel is thermal by what is plugged into it; any other device's channels
    // are thermal when the device is.
    if (isNVROrDVRDevice(device.get_device_type_id()))
        return isThermoDetectorDevice(channel.get_channel_type_id());
    return isThermoDetectorDevice(device.get_device_type_id())
           || isThermoDetectorDevice(channel.get_channel_type_id());
}

OrvaneDeviceList VornClient::filtDeviceByShowType(const OrvaneDeviceList &devices,
                                                  int showType) const
{
    if (showType != ShowTempScreeningDevices)
        return devices;
    OrvaneDeviceList result;
    for (const OrvaneDevice &device : devices) {
        if (isThermoDetectorDevice(device.get_device_type_id())) {
            result.push_back(device);
            continue;
        }
        if (!isNVROrDVRDevice(device.get_device_type_id()))
            continue;
        std::vector<OrvaneChannel> channels;
        getChannelsByDeviceId(device.get_id(), channels);
        const bool hasThermal =
                std::any_of(channels.begin(), channels.end(), [this](const OrvaneChannel &c) {
                    return isThermoDetectorDevice(c.get_channel_type_id());
                });
        if (hasThermal)
            result.push_back(device);
    }
    return result;
}

bool VornClient::getChannelsByDeviceId(int deviceId, std::vector<OrvaneChannel> &channels) const
{
    channels.clear();
    if (!getDevicesById(deviceId))
        return false;
    for (const auto &channel : m_pState->channels) {
        if (channel->get_device_id() == deviceId)
            channels.push_back(*channel);
    }
    std::sort(channels.begin(), channels.end(), [](const OrvaneChannel &a, const OrvaneChannel &b) {
        return a.get_channel_no() < b.get_channel_no();
    });
    return true;
}

bool VornClient::getOrgaNodeList(std::vector<Node> &nodes) const
{
    nodes.clear();
    std::function<void(int, const QString &, int)> appendChildren =
            [&](int parentId, const QString &parentKey, int level) {
                for (const auto &orga : m_pState->orgas) {
                    if (orga->get_parent_id() != parentId)
                        continue;
                    Node node;
                    node.nId = orga->get_id();
                    node.strKey = orga->get_group_code();
                    node.strName = orga->get_group_name();
                    node.strParentKey = parentKey;
                    node.nParentId = parentId;
                    node.nLevel = level;
                    node.bExpand = level == 0;
                    nodes.push_back(node);
                    // Guards against a cycle in a scenario edited by hand after loading.
                    if (level < 32)
                        appendChildren(orga->get_id(), node.strKey, level + 1);
                }
            };
    appendChildren(orvane::NoValue, QString(), 0);
    return !nodes.empty();
}

QString VornClient::getDevNameByChannelUID(const QString &channelUid) const
{
    QString deviceUid;
    int channelNo = 0;
    if (!parseChannelUID(channelUid, deviceUid, channelNo))
        return QString();
    const OrvaneDevice *device = getDevicesByUid(deviceUid);
    return device ? device->get_device_name() : QString();
}

OrvaneUser VornClient::getCurUserInfo() const
{
    return m_pState->user;
}

bool VornClient::getCurUserInfo(OrvaneUser &user) const
{
    user = m_pState->user;
    return user.get_id() != orvane::NoValue;
}

int VornClient::getCurUserId() const
{
    return m_pState->user.get_id();
}

std::vector<OrvanePersonGroup> VornClient::getPersonGroups() const
{
    return m_pState->personGroups;
}

void VornClient::applyArchive(const OrvaneArchive &archive)
{
    for (OrvaneArchive &known : m_pState->archives) {
        if (known.get_id() == archive.get_id()) {
            known = archive;
            return;
        }
    }
    m_pState->archives.push_back(archive);
}

std::vector<OrvaneArchive> VornClient::getArchives() const
{
    return m_pState->archives;
}

void VornClient::addDevice(const OrvaneDevice &device, const std::vector<OrvaneChannel> &channels)
{
    removeDevice(device.get_id());
    m_pState->devices.push_back(std::make_unique<OrvaneDevice>(device));
    for (const OrvaneChannel &channel : channels) {
        auto copy = std::make_unique<OrvaneChannel>(channel);
        copy->set_device_id(device.get_id());
        copy->set_channel_uid(makeChannelUID(device.get_device_uid(), channel.get_channel_no()));
        m_pState->channels.push_back(std::move(copy));
    }
    emit signalDeviceInfoChanged(OrvaneDeviceList{device}, ORVANE_OPERATOR_ADD);
}

bool VornClient::removeDevice(int deviceId)
{
    const OrvaneDevice *device = getDevicesById(deviceId);
    if (!device)
        return false;
    emit signalDeviceInfoChanged(OrvaneDeviceList{*device}, ORVANE_OPERATOR_DELETE);
    auto &channels = m_pState->channels;
    channels.erase(std::remove_if(channels.begin(), channels.end(),
                                  [deviceId](const std::unique_ptr<OrvaneChannel> &c) {
                                      return c->get_device_id() == deviceId;
                                  }),
                   channels.end());
    auto &devices = m_pState->devices;
    devices.erase(std::remove_if(devices.begin(), devices.end(),
                                 [deviceId](const std::unique_ptr<OrvaneDevice> &d) {
                                     return d->get_id() == deviceId;
                                 }),
                  devices.end());
    return true;
}

void VornClient::addOrga(const OrvaneOrga &orga)
{
    OrvaneGroup *existing = getOrgaInfoById(orga.get_id());
    if (existing) {
        *existing = orga;
        emit signalOrgaInfoChanged(orga, ORVANE_OPERATOR_MODIFY);
        return;
    }
    m_pState->orgas.push_back(std::make_unique<OrvaneGroup>(orga));
    emit signalOrgaInfoChanged(orga, ORVANE_OPERATOR_ADD);
}

bool VornClient::removeOrga(int orgaId)
{
    const OrvaneGroup *orga = getOrgaInfoById(orgaId);
    if (!orga)
        return false;
    // Unlike a device, the organisation is gone when the notice comes: receivers read the
    // tree again, and it must no longer hold it.
    const OrvaneGroup removed = *orga;
    auto &orgas = m_pState->orgas;
    orgas.erase(std::remove_if(orgas.begin(), orgas.end(),
                               [orgaId](const std::unique_ptr<OrvaneGroup> &o) {
                                   return o->get_id() == orgaId;
                               }),
                orgas.end());
    emit signalOrgaInfoChanged(removed, ORVANE_OPERATOR_DELETE);
    return true;
}

QString VornClient::getChannelStreamUrl(int channelId) const
{
    return m_pState->channelStreams.value(channelId);
}
