#include "SnapHistoryRequest.h"

#include "CompareNotifyFilter.h"
#include "FeverValues.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

namespace SnapHistoryRequest {

namespace {

// A snapshot as both answers carry it. Snapshot ids are not relied on: the picture names the
// snapshot on its channel.
QString identity(const OrvaneCompareNotifyMessage &p_objNotify)
{
    const OrvaneSnapTargetSource &source = p_objNotify.snapFaceInfo.snapTargetSource;
    return source.snapTime + QLatin1Char('\n') + source.channelUID + QLatin1Char('\n')
           + source.snapDetailImageURL + QLatin1Char('\n')
           + QString::number(p_objNotify.snapFaceInfo.snapId);
}

} // namespace

int clearSeconds(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    if (!p_pFirstStrategy)
        return 0;
    const int overTemp = p_pFirstStrategy->over_temp_clear_time;
    const int normal = p_pFirstStrategy->normal_temp_clear_time;
    if (overTemp > 0 || normal > 0)
        return std::max(overTemp, normal);
    return 0;
}

Requests build(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy,
               const QStringList &p_strChannelUIDs, const QString &p_strClearOverTempTime,
               const QDateTime &p_objNow)
{
    // The platform reads these texts with English digits whatever the user's locale.
    const QLocale english(QLocale::English);
    const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    ReqSnapDataParam strip;
    const int seconds = clearSeconds(p_pFirstStrategy);
    if (seconds > 0) {
        strip.strStartTime = english.toString(p_objNow, timeFormat);
        strip.strEndTime = english.toString(p_objNow.addSecs(seconds), timeFormat);
    } else {
        strip.strStartTime = english.toString(p_objNow, QStringLiteral("yyyy-MM-dd 00:00:00"));
        strip.strEndTime = english.toString(p_objNow, timeFormat);
    }
    strip.strChannelUIDList = p_strChannelUIDs;
    strip.nMaxCount = FeverValues::MaxListCards;
    strip.bOverTempOnly = CompareNotifyFilter::showsOverTempOnly(p_pFirstStrategy);
    strip.bRegisteredOnly = !CompareNotifyFilter::showsStrangers(p_pFirstStrategy);

    ReqSnapDataParam overTemp = strip;
    overTemp.bOverTempAlarmOnly = true;
    // As the list judges it: an unreadable clear time holds nothing back.
    const QDateTime clearTime =
            QDateTime::fromString(p_strClearOverTempTime, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (clearTime.isValid())
        overTemp.strNewerThan = english.toString(clearTime, timeFormat);
    return {strip, overTemp};
}

std::vector<Snapshot> merge(const OrvaneCompareNotifyMessageList &p_vecStrip,
                            const OrvaneCompareNotifyMessageList &p_vecOverTempList)
{
    QSet<QString> inStrip;
    for (const OrvaneCompareNotifyMessage &notify : p_vecStrip)
        inStrip.insert(identity(notify));

    std::vector<Snapshot> merged;
    merged.reserve(p_vecStrip.size() + p_vecOverTempList.size());
    for (const OrvaneCompareNotifyMessage &notify : p_vecOverTempList) {
        if (!inStrip.contains(identity(notify)))
            merged.push_back({notify, false});
    }
    const auto listOnlyEnd = merged.size();
    for (const OrvaneCompareNotifyMessage &notify : p_vecStrip)
        merged.push_back({notify, true});
    // Snapshot times are "yyyy-MM-dd hh:mm:ss", so text order is time order. The stable merge
    // keeps each answer's own order and puts alarms the strip did not take first on equal times:
    // the strip took the newest.
    std::inplace_merge(merged.begin(), merged.begin() + std::ptrdiff_t(listOnlyEnd), merged.end(),
                       [](const Snapshot &p_objLeft, const Snapshot &p_objRight) {
                           return p_objLeft.notify.snapFaceInfo.snapTargetSource.snapTime
                                  < p_objRight.notify.snapFaceInfo.snapTargetSource.snapTime;
                       });
    return merged;
}

} // namespace SnapHistoryRequest
