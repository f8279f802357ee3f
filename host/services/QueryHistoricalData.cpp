#include "QueryHistoricalData.h"

#include "SnapshotHistory.h"

#include <QDateTime>
#include <QDebug>
#include <QTimer>

namespace {

QDateTime parseTime(const QString &text)
{
    return QDateTime::fromString(text.trimmed(), QLatin1String(SnapshotHistory::TimeFormat));
}

} // namespace

QueryHistoricalData::QueryHistoricalData(QObject *parent)
    : QObject(parent)
{
}

bool QueryHistoricalData::reqSnapHistoryData(const ReqSnapDataParam &param, bool async)
{
    const QDateTime start = parseTime(param.strStartTime);
    const QDateTime end = parseTime(param.strEndTime);
    const bool newerThanValid =
            param.strNewerThan.isEmpty() || parseTime(param.strNewerThan).isValid();
    if (!start.isValid() || !end.isValid() || !newerThanValid) {
        qDebug().noquote() << "QueryHistoricalData::reqSnapHistoryData malformed time window:"
                           << param.strStartTime << param.strEndTime << param.strNewerThan;
        return false;
    }
    if (!async)
        return run(param);

    // The store belongs to the UI thread; the query runs there too, only later.
    QTimer::singleShot(0, this, [this, param] { run(param); });
    return true;
}

bool QueryHistoricalData::run(const ReqSnapDataParam &param)
{
    SnapshotHistory::Filter filter;
    filter.maxCount = param.nMaxCount;
    filter.overTempOnly = param.bOverTempOnly;
    filter.alarmOnly = param.bOverTempAlarmOnly;
    filter.registeredOnly = param.bRegisteredOnly;
    if (!param.strNewerThan.isEmpty())
        filter.newerThan = parseTime(param.strNewerThan);
    bool ok = false;
    const OrvaneCompareNotifyMessageList found =
            SnapshotHistory::query(parseTime(param.strStartTime), parseTime(param.strEndTime),
                                   param.strChannelUIDList, filter, &ok);
    if (!ok) {
        qDebug() << "QueryHistoricalData::run history not available";
        return false;
    }
    qDebug() << "QueryHistoricalData::run" << found.size() << "snapshots from" << param.strStartTime
             << "to" << param.strEndTime;
    emit signalHistoryCompareNotifyReceived(found);
    return true;
}
