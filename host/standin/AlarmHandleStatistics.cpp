#include "AlarmHandleStatistics.h"

#include "SnapshotHistory.h"
#include "VornClient.h"

#include <QDebug>
#include <QHash>
#include <QStringList>

#include <map>
#include <utility>

namespace {

// Organisation code of the device that raised the alarm; empty when the platform no longer
// knows the snapshot, its device or the device's organisation.
QString alarmOrgaCode(int alarmId, QHash<QString, QString> &codeByDevice)
{
    OrvaneCompareNotifyMessage message;
    if (!SnapshotHistory::findByAlarmId(alarmId, message))
        return QString();
    QString deviceUid;
    int channelNo = 0;
    if (!VornClient::parseChannelUID(message.snapFaceInfo.snapTargetSource.channelUID, deviceUid,
                                     channelNo))
        return QString();
    auto cached = codeByDevice.constFind(deviceUid);
    if (cached != codeByDevice.constEnd())
        return cached.value();
    QString code;
    if (const OrvaneDevice *device = VornClient::instance()->getDevicesByUid(deviceUid)) {
        if (const OrvaneGroup *group =
                    VornClient::instance()->getOrgaInfoById(device->get_group_id()))
            code = group->get_group_code();
    }
    codeByDevice.insert(deviceUid, code);
    return code;
}

} // namespace

bool AlarmHandleStatistics::isWithin(const QString &orgaCode, const QStringList &scopeCodes)
{
    if (orgaCode.isEmpty())
        return false;
    for (const QString &scope : scopeCodes) {
        if (!scope.isEmpty() && orgaCode.startsWith(scope))
            return true;
    }
    return false;
}

TempAlarmHandleStatisticsList AlarmHandleStatistics::countByHour(
        const std::vector<AlarmHandlingStore::Record> &handlings,
        const std::function<bool(const AlarmHandlingStore::Record &)> &inScope)
{
    std::map<std::pair<QString, int>, int> counts;
    for (const AlarmHandlingStore::Record &handling : handlings) {
        if (!handling.objTime.isValid() || !inScope(handling))
            continue;
        ++counts[{handling.objTime.toString(QLatin1String(HourFormat)), handling.nHandleType}];
    }
    TempAlarmHandleStatisticsList rows;
    rows.reserve(counts.size());
    for (const auto &entry : counts)
        rows.push_back({entry.first.second, entry.second, entry.first.first});
    return rows;
}

bool AlarmHandleStatistics::answer(const StatisticsQueryOfOrga &query,
                                   TempAlarmHandleStatisticsList &rows, QString *error)
{
    rows.clear();
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (query.nTimeUnit != StatisticsQueryOfOrga::TimeUnitHour
        || query.nStatisticsKind != StatisticsQueryOfOrga::KindTempAlarmHandling)
        return fail(QStringLiteral("unsupported statistics query"));
    const QDateTime start = QDateTime::fromString(query.strStartTime, QLatin1String(HourFormat));
    const QDateTime end = QDateTime::fromString(query.strEndTime, QLatin1String(HourFormat));
    if (!start.isValid() || !end.isValid() || end < start)
        return fail(QStringLiteral("invalid time range"));

    QStringList scopeCodes;
    for (int orgaId : query.vecOrgaIds) {
        if (const OrvaneGroup *group = VornClient::instance()->getOrgaInfoById(orgaId))
            scopeCodes << group->get_group_code();
    }
    if (scopeCodes.isEmpty())
        return true;

    bool ok = false;
    // The end hour is counted whole.
    const std::vector<AlarmHandlingStore::Record> handlings =
            AlarmHandlingStore::recordsBetween(start, end.addSecs(3600), &ok);
    if (!ok)
        return fail(QStringLiteral("statistics store unavailable"));
    QHash<QString, QString> codeByDevice;
    rows = countByHour(handlings, [&](const AlarmHandlingStore::Record &handling) {
        return isWithin(alarmOrgaCode(handling.nAlarmId, codeByDevice), scopeCodes);
    });
    return true;
}
