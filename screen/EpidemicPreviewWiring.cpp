// Devices, channel selection, organisation and statistics, and the handled over-temperature
// alarms.
#include "EpidemicPreview.h"
#include "ScreenStoreSync.h"
#include "ui_EpidemicPreview.h"

#include "WindowKey.h"

#include "AppConfigHelper.h"

void EpidemicPreview::slot_snapFilterConfig()
{
    // The channel selection dialog arrives with the devices and organisation wiring.
}

void EpidemicPreview::slot_snapConfigParam(IntelligentSnapConfigParam p_objSnapConfigParam)
{
    // Storing an edited channel selection arrives with the devices and organisation wiring.
    Q_UNUSED(p_objSnapConfigParam)
}

void EpidemicPreview::slot_processOverTemperatureAlarm(std::vector<int> p_AlarmIdList)
{
    // The list matches cards by alarm id alone.
    QVector<OrvaneSnapTargetSource> sources;
    sources.reserve(int(p_AlarmIdList.size()));
    for (int alarmId : p_AlarmIdList) {
        OrvaneSnapTargetSource source;
        source.alarmId = alarmId;
        sources.append(source);
    }
    m_ui->widgetSnap->slotOverTempAlarmProcessFinished(sources);
    m_ui->widgetCircle->slot_querySnapStatistic();
}

void EpidemicPreview::slot_openOrgaGroupWidget()
{
    // The organisation pop-up arrives with the statistics filter.
}

void EpidemicPreview::slot_NodeChange(Node p_objNode,
                                      ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    // Following the chosen organisation arrives with the statistics filter.
    Q_UNUSED(p_objNode)
    Q_UNUSED(p_eType)
}

void EpidemicPreview::slot_changeOrga(OrvaneOrga p_objOrga, OrvaneOperatorType p_eKind)
{
    Q_UNUSED(p_objOrga)
    if (p_eKind == ORVANE_OPERATOR_ADD || p_eKind == ORVANE_OPERATOR_DELETE
        || p_eKind == ORVANE_OPERATOR_MODIFY)
        applyOrgaSelection();
}

void EpidemicPreview::slot_deviceInfoChanged(OrvaneDeviceList p_vecDevices,
                                             OrvaneOperatorType p_eKind)
{
    // Following added and removed thermal channels arrives with the devices wiring.
    Q_UNUSED(p_vecDevices)
    Q_UNUSED(p_eKind)
}

void EpidemicPreview::handleNvrChannelUIDSnap()
{
    // Registering the selected NVR channels arrives with the devices wiring.
}

void EpidemicPreview::loadSnapConfigParam()
{
    m_pStoreSync->loadSnapConfig(screenWindowId(this), m_objSnapConfigParam);
    // Collecting the screened channels and registering NVR channels arrive with the devices
    // wiring.
}

void EpidemicPreview::applyOrgaSelection()
{
    // Choosing the organisation of the totals arrives with the statistics wiring.
}

void EpidemicPreview::storeSnapConfigParam(const IntelligentSnapConfigParam &p_objSnapConfigParam)
{
    // Kept in memory even when the store refuses it; the store gets it when it is back.
    m_pStoreSync->storeSnapConfig(screenWindowId(this), p_objSnapConfigParam);
    m_objSnapConfigParam = p_objSnapConfigParam;
}
