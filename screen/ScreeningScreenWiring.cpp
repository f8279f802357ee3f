// Devices, channel selection, organisation and statistics, and the handled over-temperature
// alarms.
#include "ScreenStoreSync.h"
#include "ScreenedChannels.h"
#include "ScreeningScreen.h"
#include "SnapStaticFilterWidget.h"
#include "WiringRules.h"

#include "WindowKey.h"

#include "AppConfigHelper.h"
#include "IntelligentSnapConfigWidget.h"
#include "OverTempSnapWidget.h"
#include "SnapStatisticWidget.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QPushButton>

#include <QDebug>
#include <QTimer>

void ScreeningScreen::slot_snapFilterConfig()
{
    if (!qobject_cast<QPushButton *>(sender()))
        return;
    if (!m_pIntelligentSnapConfigWidget) {
        m_pIntelligentSnapConfigWidget = new IntelligentSnapConfigWidget(this);
        m_pIntelligentSnapConfigWidget->setFaceFecognitionFlag(true);
        m_pIntelligentSnapConfigWidget->setDeviceType(FeverValues::DeviceShowTempScreening);
        m_pIntelligentSnapConfigWidget->setChannelType(FeverValues::ChannelFilterThermal);
        connect(m_pIntelligentSnapConfigWidget, &IntelligentSnapConfigWidget::sendSnapParam, this,
                &ScreeningScreen::slot_snapConfigParam);
    }
    m_pIntelligentSnapConfigWidget->hideButton(true);
    // The dialog shows the choice the user made, not the four channels it stands for.
    IntelligentSnapConfigParam shown = m_objSnapConfigParam;
    shown.bAllChannel = shown.bAllChannel || m_bAllChannelsStored;
    m_pIntelligentSnapConfigWidget->setSnapConfigParam(shown, false);
    m_pIntelligentSnapConfigWidget->showSNDialog();
}

void ScreeningScreen::slot_snapConfigParam(IntelligentSnapConfigParam p_objSnapConfigParam)
{
    const bool allChannelsNow = m_objSnapConfigParam.bAllChannel || m_bAllChannelsStored;
    const int reported = m_pIntelligentSnapConfigWidget
                                 ? m_pIntelligentSnapConfigWidget->getChannelCount()
                                 : p_objSnapConfigParam.nChannelCount;
    // With all channels on, a dialog reporting no channel keeps the selection.
    if (!allChannelsNow || reported != 0) {
        m_bAllChannelsStored = false;
        storeSnapConfigParam(p_objSnapConfigParam);
        applySnapSource(p_objSnapConfigParam);
        return;
    }
    handleNvrChannelUIDSnap();
}

void ScreeningScreen::slot_processOverTemperatureAlarm(std::vector<int> p_AlarmIdList)
{
    // The list matches cards by alarm id alone.
    QVector<OrvaneSnapTargetSource> sources;
    sources.reserve(int(p_AlarmIdList.size()));
    for (int alarmId : p_AlarmIdList) {
        OrvaneSnapTargetSource source;
        source.alarmId = alarmId;
        sources.append(source);
    }
    m_form.widgetSnap->slotOverTempAlarmProcessFinished(sources);
    m_form.widgetCircle->slot_querySnapStatistic();
}

void ScreeningScreen::slot_openOrgaGroupWidget()
{
    if (!m_pSnapStaticFilterWidget) {
        m_pSnapStaticFilterWidget = new SnapStaticFilterWidget(this);
        connect(m_pSnapStaticFilterWidget, &SnapStaticFilterWidget::sendNode, this,
                &ScreeningScreen::slot_NodeChange);
    }
    SnapStaticFilterWidget *filter = m_pSnapStaticFilterWidget;
    const bool shown = filter->isVisible() || filter->closedByFocusLossJustNow();
    filter->setFilterData(m_vecOrgaNodes, m_objSnapConfigParam.nOrgaId,
                          WiringRules::storedStatisticsType(m_objSnapConfigParam.nStatisticsType));
    const QRect geometry = orgaPopupGeometry();
    filter->resize(geometry.size());
    if (shown) {
        filter->closeSNDialog();
        return;
    }
    filter->showSNDialog();
    // Placed after showing: a dialog shows itself centred.
    filter->move(geometry.topLeft());
}

void ScreeningScreen::slot_NodeChange(Node p_objNode,
                                      ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    m_form.pushButtonOrgaGroup->setText(WiringRules::buttonText(p_objNode.strName));
    if (m_pSnapStaticFilterWidget)
        m_pSnapStaticFilterWidget->closeSNDialog();
    m_form.widgetCircle->querySnapStatistic(p_objNode.nId, p_objNode.strName, p_eType);
    m_nCurOrgaId = p_objNode.nId;
    IntelligentSnapConfigParam param = m_objSnapConfigParam;
    param.nOrgaId = p_objNode.nId;
    param.nStatisticsType = p_eType;
    storeSnapConfigParam(param);
    orgaApplied(p_objNode.nId);
}

void ScreeningScreen::slot_changeOrga(OrvaneOrga p_objOrga, OrvaneOperatorType p_eKind)
{
    Q_UNUSED(p_objOrga)
    if (p_eKind == ORVANE_OPERATOR_ADD || p_eKind == ORVANE_OPERATOR_DELETE
        || p_eKind == ORVANE_OPERATOR_MODIFY)
        applyOrgaSelection();
}

void ScreeningScreen::slot_deviceInfoChanged(OrvaneDeviceList p_vecDevices,
                                             OrvaneOperatorType p_eKind)
{
    if (p_eKind != ORVANE_OPERATOR_ADD && p_eKind != ORVANE_OPERATOR_DELETE
        && p_eKind != ORVANE_OPERATOR_MODIFY)
        return;
    VornClient *client = VornClient::instance();
    bool anyFound = false;
    QStringList channels;
    for (const OrvaneDevice &notified : p_vecDevices) {
        const OrvaneDevice *device = client->getDevicesById(notified.get_id());
        if (!device) {
            qCritical() << logHead("slot_deviceInfoChangedfailed! device not find!").constData()
                        << notified.get_device_name();
            continue;
        }
        anyFound = true;
        channels += WiringRules::thermalChannelsOfChangedDevice(*device);
    }
    if (!anyFound)
        return;
    const IntelligentSnapConfigParam stored =
            AppConfigHelper::instance()->getEpidemicPreviewConfigParam(screenWindowId(this));
    if (stored.bAllChannel && !channels.isEmpty())
        WiringRules::applyDeviceChannels(m_objSnapConfigParam, channels, p_eKind);
    // The platform finishes the change first.
    QTimer::singleShot(WiringRules::ReRegisterDelayMs, this,
                       &ScreeningScreen::handleNvrChannelUIDSnap);
}

void ScreeningScreen::handleNvrChannelUIDSnap()
{
    VORNClientAIManager::instance()->updateNvrCtrlSnapParam(
            screenWindowKey(this),
            WiringRules::recorderChannelsToRegister(m_objSnapConfigParam.strChannelUIDList));
}

void ScreeningScreen::loadSnapConfigParam()
{
    IntelligentSnapConfigParam param;
    m_pStoreSync->loadSnapConfig(screenWindowId(this), param);
    applySnapSource(param);
}

void ScreeningScreen::applySnapSource(const IntelligentSnapConfigParam &p_objSnapConfigParam)
{
    m_objSnapConfigParam = p_objSnapConfigParam;
    m_bAllChannelsStored = p_objSnapConfigParam.bAllChannel;
    ScreenedChannels::collectChannelUIDs(m_objSnapConfigParam);
    if (m_objSnapConfigParam.bAllChannel)
        WiringRules::capAllChannelSelection(m_objSnapConfigParam);
    handleNvrChannelUIDSnap();
}

void ScreeningScreen::applyOrgaSelection()
{
    VornClient::instance()->getOrgaNodeList(m_vecOrgaNodes);
    if (const Node *node =
                WiringRules::chooseOrgaNode(m_vecOrgaNodes, m_objSnapConfigParam.nOrgaId)) {
        const ENUM_MSGQueryTimeTempSnapStatisticsType type =
                WiringRules::storedStatisticsType(m_objSnapConfigParam.nStatisticsType);
        m_form.pushButtonOrgaGroup->setText(WiringRules::buttonText(node->strName));
        m_form.widgetCircle->querySnapStatistic(node->nId, node->strName, type);
        m_nCurOrgaId = node->nId;
        m_objSnapConfigParam.nOrgaId = node->nId;
        m_objSnapConfigParam.nStatisticsType = type;
        orgaApplied(node->nId);
    }
    const ST_MSGVoiceBroadcastStrategy *first = firstStrategy();
    m_form.widgetCircle->setNoMaskVisible(first
                                          && first->show_total_no_mask == FeverValues::SwitchOn);
}

void ScreeningScreen::storeSnapConfigParam(const IntelligentSnapConfigParam &p_objSnapConfigParam)
{
    // Kept in memory even when the store refuses it; the store gets it when it is back.
    IntelligentSnapConfigParam stored = p_objSnapConfigParam;
    stored.bAllChannel = stored.bAllChannel || m_bAllChannelsStored;
    m_pStoreSync->storeSnapConfig(screenWindowId(this), stored);
    m_objSnapConfigParam = p_objSnapConfigParam;
}
