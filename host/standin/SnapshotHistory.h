#pragma once

#include "OrvaneCompareNotifyMessage.h"

#include <QDateTime>
#include <QStringList>

// The platform's record of every snapshot notification it emitted, kept in the platform store
// (table "snapshot_history"), so that a screen started later can load the day's snapshots.
class SnapshotHistory
{
public:
    static constexpr const char *TimeFormat = "yyyy-MM-dd HH:mm:ss";

    // Stores one notification. False (with a log line) when its snapshot time is not a
    // "yyyy-MM-dd hh:mm:ss" time or the store refuses the write.
    static bool record(const OrvaneCompareNotifyMessage &message);
    static int recordAll(const OrvaneCompareNotifyMessageList &messages);

    // Narrows a query; the defaults narrow nothing.
    struct Filter
    {
        int maxCount = 0;            // > 0: only the newest so many
        bool overTempOnly = false;   // temperature state over-temperature
        bool alarmOnly = false;      // over-temperature alarms (see ReqSnapDataParam)
        bool registeredOnly = false; // a match with an archive (not only strangers)
        QDateTime newerThan;         // valid: taken strictly after it
    };

    // Notifications whose snapshot time lies in [start, end] (both included) and whose channel
    // is one of channelUids, oldest first (ties in the order recorded). An empty channel list
    // selects nothing. maxCount > 0 keeps only the newest maxCount of them. *ok (when given) is
    // false when the store could not be read; an undecodable row is skipped with a log line.
    static OrvaneCompareNotifyMessageList query(const QDateTime &start, const QDateTime &end,
                                                const QStringList &channelUids, int maxCount = 0,
                                                bool *ok = nullptr);
    // The same, narrowed by the filter. Reads only the rows it returns (and the index entries
    // it passes over), so the newest few of a long day cost as little as a short day.
    static OrvaneCompareNotifyMessageList query(const QDateTime &start, const QDateTime &end,
                                                const QStringList &channelUids,
                                                const Filter &filter, bool *ok = nullptr);

    // Drops notifications older than the given time, oldest first and at most maxCount of them
    // when maxCount > 0; appends the snapshot picture names of the dropped ones to
    // *snapshotPictures when given. Returns how many went, -1 on failure.
    static int removeOlderThan(const QDateTime &time, int maxCount = 0,
                               QStringList *snapshotPictures = nullptr);
    // Number of stored notifications, -1 when the store cannot be read.
    static int count();

    // The snapshot that raised the alarm; false when none is stored or the store failed.
    static bool findByAlarmId(int alarmId, OrvaneCompareNotifyMessage &message);
    // Highest alarm id stored, -99999 when none.
    static int maxAlarmId();

private:
    static bool ensureTable();
    static bool createSchema();
};
