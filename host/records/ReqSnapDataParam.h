#pragma once

#include <QString>
#include <QStringList>

// A history request: the time window as "yyyy-MM-dd HH:mm:ss" texts (both ends included) and
// the channels wanted, narrowed by the optional filters below (defaults: no narrowing).
struct ReqSnapDataParam
{
    QString strStartTime;
    QString strEndTime;
    QStringList strChannelUIDList;
    // > 0: only the newest so many snapshots (still delivered oldest first).
    int nMaxCount = 0;
    // Only snapshots in the over-temperature state.
    bool bOverTempOnly = false;
    // Only over-temperature alarms: a measured temperature in the over-temperature state,
    // flagged for the over-temperature list.
    bool bOverTempAlarmOnly = false;
    // Only snapshots with at least one match that has an archive (not a stranger).
    bool bRegisteredOnly = false;
    // Not empty: only snapshots taken strictly after this time, in the window's format.
    QString strNewerThan;
};
