#include "CompareNotifyFilter.h"

#include "FeverValues.h"

#include "VornClient.h"

#include <QDateTime>
#include <QDebug>

namespace {

// temp_record_mode of a strategy that shows over-temperature snapshots only.
constexpr int RecordOverTempOnly = 2;
const char *const SnapTimeFormat = "yyyy-MM-dd hh:mm:ss";

} // namespace

const QString &CompareNotifyFilter::noDataArchivePicture()
{
    static const QString path = QStringLiteral(":/images/home/charts/ai/image_nodate.png");
    return path;
}

bool CompareNotifyFilter::isUsableSource(const OrvaneSnapTargetSource &p_objSource)
{
    return VornClient::instance()->isThermoDetectorDevice(p_objSource.deviceTypeId)
           && p_objSource.skipFlag == 0;
}

bool CompareNotifyFilter::isSelectedChannel(const QString &p_strChannelUID,
                                            const IntelligentSnapConfigParam &p_objSnapSource)
{
    if (p_objSnapSource.bAllChannel)
        return true;
    // Exact, case-sensitive comparison: channel UIDs are identifiers, not names.
    return p_objSnapSource.strChannelUIDList.contains(p_strChannelUID, Qt::CaseSensitive);
}

bool CompareNotifyFilter::showsStrangers(
        const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    return !p_pFirstStrategy || p_pFirstStrategy->get_show_stranger() == FeverValues::SwitchOn;
}

bool CompareNotifyFilter::showsOverTempOnly(
        const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    return p_pFirstStrategy && p_pFirstStrategy->temp_record_mode == RecordOverTempOnly;
}

CompareNotifyFilter::Acceptance
CompareNotifyFilter::acceptedMatches(const OrvaneCompareNotifyMessage &p_objNotify,
                                     const IntelligentSnapConfigParam &p_objSnapSource,
                                     const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    Acceptance result;
    const OrvaneSnapTargetSource &source = p_objNotify.snapFaceInfo.snapTargetSource;
    if (!isUsableSource(source) || !isSelectedChannel(source.channelUID, p_objSnapSource))
        return result;

    qInfo() << "URL:" << source.snapDetailImageURL;

    const bool showStranger = showsStrangers(p_pFirstStrategy);
    if (showsOverTempOnly(p_pFirstStrategy)
        && !FeverValues::isOverTemperature(source.temperatureState))
        return result;

    if (p_objNotify.compareInfoVec.empty()) {
        // A default match carries no archive: the snapshot is shown as a stranger.
        if (showStranger)
            result.matches.emplace_back();
        else
            result.bHiddenWithoutMatch = true;
        return result;
    }

    for (const CompareInfo &match : p_objNotify.compareInfoVec) {
        if (match.archiveImage.archiveId != FeverValues::NoValue || showStranger)
            result.matches.push_back(match);
    }
    return result;
}

bool CompareNotifyFilter::belongsInOverTempList(const OrvaneSnapTargetSource &p_objSource,
                                                const QString &p_strClearOverTempTime)
{
    if (p_objSource.hasTemperature != 1
        || !FeverValues::isOverTemperature(p_objSource.temperatureState)
        || p_objSource.overTempListFlag == 0)
        return false;
    if (p_strClearOverTempTime.isEmpty())
        return true;
    const QDateTime snapTime =
            QDateTime::fromString(p_objSource.snapTime, QLatin1String(SnapTimeFormat));
    const QDateTime clearTime =
            QDateTime::fromString(p_strClearOverTempTime, QLatin1String(SnapTimeFormat));
    // An unreadable clear time holds nothing back; an unreadable snapshot time cannot be shown
    // to be newer than a real clearing.
    if (!clearTime.isValid())
        return true;
    return snapTime.isValid() && clearTime < snapTime;
}

bool CompareNotifyFilter::showsInPictureFlow(
        const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    if (!p_pFirstStrategy)
        return true;
    const int thermometry = p_pFirstStrategy->get_thermometry_mode();
    return p_pFirstStrategy->get_display_mode() == 1
           && (thermometry == 1 || thermometry == 3 || thermometry == 4);
}

bool CompareNotifyFilter::countsForOrganisation(const QString &p_strDeviceGroupCode,
                                                const QString &p_strScreenGroupCode)
{
    // Organisation codes extend their parent's code, so "below" is a prefix from the start;
    // a match further inside ("002001" holding "001") would be a different branch.
    return p_strDeviceGroupCode.startsWith(p_strScreenGroupCode, Qt::CaseSensitive);
}
