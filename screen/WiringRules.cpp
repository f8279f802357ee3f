#include "WiringRules.h"

#include "FeverValues.h"

#include "System.h"
#include "VornClient.h"

#include <vector>

namespace WiringRules {

void capAllChannelSelection(IntelligentSnapConfigParam &p_objSource)
{
    QStringList &selection = p_objSource.strChannelUIDList;
    while (selection.size() > MaxScreenedChannels)
        selection.removeLast();
    p_objSource.nChannelCount = selection.size();
    if (!selection.isEmpty())
        p_objSource.bAllChannel = false;
}

QSet<QString> recorderChannelsToRegister(const QStringList &p_listChannelUIDs)
{
    VornClient *client = VornClient::instance();
    QSet<QString> channels;
    for (const QString &uid : p_listChannelUIDs) {
        QString deviceUid;
        int channelNo = 0;
        if (!VornClient::parseChannelUID(uid, deviceUid, channelNo))
            continue;
        const OrvaneDevice *device = client->getDevicesByUid(deviceUid);
        if (!device || !client->isNVROrDVRDevice(device->get_device_type_id()))
            continue;
        const int aiDetect = device->get_ai_detect();
        if (aiDetect == FeverValues::NoValue
            || System::isHaveTheAIdetectType(aiDetect, AiDetectFaceSnapshot))
            channels.insert(uid);
    }
    return channels;
}

QStringList thermalChannelsOfChangedDevice(const OrvaneDevice &p_objDevice)
{
    VornClient *client = VornClient::instance();
    const bool thermalDevice = client->isThermoDetectorDevice(p_objDevice.get_device_type_id());
    if (!client->isNVROrDVRDevice(p_objDevice.get_device_type_id())) {
        const int aiDetect = p_objDevice.get_ai_detect();
        const bool facesOrUnknown =
                aiDetect == FeverValues::NoValue
                || System::isHaveTheAIdetectType(aiDetect, AiDetectFaceSnapshot);
        if (facesOrUnknown && !thermalDevice)
            return {};
    }
    std::vector<OrvaneChannel> channels;
    client->getChannelsByDeviceId(p_objDevice.get_id(), channels);
    QStringList uids;
    for (const OrvaneChannel &channel : channels) {
        if (thermalDevice || client->isThermoDetectorDevice(channel.get_channel_type_id()))
            uids.append(channel.get_channel_uid());
    }
    return uids;
}

void applyDeviceChannels(IntelligentSnapConfigParam &p_objSource, const QStringList &p_listUIDs,
                         OrvaneOperatorType p_eKind)
{
    QStringList &selection = p_objSource.strChannelUIDList;
    if (p_eKind == ORVANE_OPERATOR_ADD || p_eKind == ORVANE_OPERATOR_MODIFY) {
        for (const QString &uid : p_listUIDs) {
            if (selection.size() >= MaxScreenedChannels)
                break;
            if (!selection.contains(uid))
                selection.append(uid);
        }
    } else if (p_eKind == ORVANE_OPERATOR_DELETE) {
        for (const QString &uid : p_listUIDs)
            selection.removeAll(uid);
    }
    p_objSource.nChannelCount = selection.size();
}

ENUM_MSGQueryTimeTempSnapStatisticsType storedStatisticsType(int p_nStored)
{
    switch (p_nStored) {
    case QueryByPlatform:
    case QueryByNVR:
    case QueryByPlatformAndNVR:
    case QueryByNone:
        return ENUM_MSGQueryTimeTempSnapStatisticsType(p_nStored);
    default:
        // Unset (-99999 or 0) or a value no filter gives.
        return QueryByPlatformAndNVR;
    }
}

const Node *chooseOrgaNode(const std::vector<Node> &p_vecNodes, int p_nStoredOrgaId)
{
    for (const Node &node : p_vecNodes) {
        if (node.nId == p_nStoredOrgaId)
            return &node;
    }
    return p_vecNodes.empty() ? nullptr : &p_vecNodes.front();
}

QRect orgaPopupGeometry(const QRect &p_rectLeftPanel, int p_nButtonHeight, int p_nCircleHeight)
{
    return QRect(p_rectLeftPanel.x(), p_rectLeftPanel.y() + p_nButtonHeight + 5,
                 p_rectLeftPanel.width(), p_nCircleHeight / 2);
}

QString buttonText(const QString &p_strName)
{
    QString text = p_strName;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace WiringRules
