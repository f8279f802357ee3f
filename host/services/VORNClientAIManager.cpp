#include "VORNClientAIManager.h"

#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "SnapPathResolver.h"
#include "TemperatureText.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

#include <QDebug>

#include <functional>

VORNClientAIManager *VORNClientAIManager::instance()
{
    static VORNClientAIManager manager;
    return &manager;
}

VORNClientAIManager::VORNClientAIManager()
{
    // The client registers the record types every AI signal carries.
    VornClient::instance();
}

VORNClientAIManager::~VORNClientAIManager() = default;

bool VORNClientAIManager::updateNvrCtrlSnapParam(int key, const QSet<QString> &channelUids)
{
    if (key < 0) {
        setLastErrorString(QStringLiteral("invalid window key %1").arg(key));
        qDebug() << "VORNClientAIManager::updateNvrCtrlSnapParam rejected key" << key;
        return false;
    }
    qDebug() << "VORNClientAIManager::updateNvrCtrlSnapParam key" << key << "channels"
             << channelUids.size();
    if (channelUids.isEmpty())
        m_hashNvrCtrlSnap.remove(key);
    else
        m_hashNvrCtrlSnap.insert(key, channelUids);
    ++m_hashNvrUpdateCount[key];
    setLastErrorString(QString());
    emit signalNvrCtrlSnapParamUpdated(key, channelUids);
    return true;
}

QSet<QString> VORNClientAIManager::lastNvrCtrlSnapParam(int key) const
{
    return m_hashNvrCtrlSnap.value(key);
}

bool VORNClientAIManager::hasNvrCtrlSnapParam(int key) const
{
    return m_hashNvrCtrlSnap.contains(key);
}

int VORNClientAIManager::nvrCtrlSnapUpdateCount(int key) const
{
    return m_hashNvrUpdateCount.value(key, 0);
}

bool VORNClientAIManager::isNvrChannelRegistered(const QString &channelUid) const
{
    for (const QSet<QString> &channels : m_hashNvrCtrlSnap) {
        if (channels.contains(channelUid))
            return true;
    }
    return false;
}

std::vector<Node> VORNClientAIManager::getPersonGroupTreeNodes() const
{
    const std::vector<OrvanePersonGroup> groups = VornClient::instance()->getPersonGroups();
    std::vector<Node> nodes;
    std::function<void(int, const QString &, int)> appendChildren =
            [&](int parentId, const QString &parentKey, int level) {
                for (const OrvanePersonGroup &group : groups) {
                    if (group.get_parent_id() != parentId)
                        continue;
                    Node node;
                    node.nId = group.get_id();
                    node.strKey = QString::number(group.get_id());
                    node.strName = group.get_group_name();
                    node.strParentKey = parentKey;
                    node.nParentId = parentId;
                    node.nLevel = level;
                    nodes.push_back(node);
                    if (level < 32)
                        appendChildren(group.get_id(), node.strKey, level + 1);
                }
            };
    appendChildren(orvane::NoValue, QString(), 0);
    return nodes;
}

OrvanePersonGroup VORNClientAIManager::getPersonGroupByID(int groupId) const
{
    const std::vector<OrvanePersonGroup> groups = VornClient::instance()->getPersonGroups();
    for (const OrvanePersonGroup &group : groups) {
        if (group.get_id() == groupId)
            return group;
    }
    return OrvanePersonGroup();
}

long VORNClientAIManager::getIAUServerHandle(const QString &serverUid) const
{
    return VornClient::instance()->pictureServerHandle(serverUid);
}

QString VORNClientAIManager::convertToLocalSnapAbsPath(const QString &url, bool isSnapshot) const
{
    return SnapPathResolver::convertToLocalSnapAbsPath(url, isSnapshot);
}

QString VORNClientAIManager::convertNumberToTemperature(float value, bool p_bWithUnit,
                                                        bool p_bUserUnit) const
{
    return TemperatureText::format(value, p_bWithUnit,
                                   p_bUserUnit ? TemperatureText::userUnit()
                                               : TemperatureText::Celsius);
}

void VORNClientAIManager::notifySnapZero()
{
    qDebug() << "VORNClientAIManager::notifySnapZero";
    emit sendSnapZero();
}

bool VORNClientAIManager::getVoiceBroadcastStrategyListByWinID(
        int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    VoiceStrategyStore *store = VoiceStrategyStore::instance();
    if (store->list(windowId, strategies))
        return true;
    setLastErrorString(store->lastError());
    return false;
}

bool VORNClientAIManager::addAiCompareVoiceBroadcastStrategy(
        OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage &request,
        OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage &response)
{
    VoiceStrategyStore *store = VoiceStrategyStore::instance();
    int id = orvane::NoValue;
    if (!store->add(request.getVoiceBroadcastStrategy(), id)) {
        setLastErrorString(store->lastError());
        return false;
    }
    response.setID(id);
    return true;
}

bool VORNClientAIManager::setAiCompareVoiceBroadcastStrategy(
        OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage &request,
        OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage &response)
{
    Q_UNUSED(response)
    VoiceStrategyStore *store = VoiceStrategyStore::instance();
    if (store->set(request.getVoiceBroadcastStrategy()))
        return true;
    setLastErrorString(store->lastError());
    return false;
}

bool VORNClientAIManager::delAiCompareVoiceBroadcastStrategy(
        OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage &request,
        OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage &response)
{
    Q_UNUSED(response)
    VoiceStrategyStore *store = VoiceStrategyStore::instance();
    if (store->remove(request.getIDs()))
        return true;
    setLastErrorString(store->lastError());
    return false;
}
