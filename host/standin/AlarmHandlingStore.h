#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

class QSqlQuery;

// The platform's record of how over-temperature alarms were handled: one row per alarm in the
// platform store (table "alarm_handling"). The handling type is kept as a number so that
// statistics can count handlings per hour and type. Bounded: rows older than RetentionDays
// and all but the newest MaxRecords go on every save.
class AlarmHandlingStore
{
public:
    // Handling types the operator chooses from.
    static constexpr int HandleFeverRetest = 0; // confirmed fever, sent for a retest
    static constexpr int HandleFalseAlarm = 1;
    static constexpr int HandleOther = 2;
    static constexpr int RetentionDays = 90;
    static constexpr int MaxRecords = 100000;
    static constexpr const char *TimeFormat = "yyyy-MM-dd HH:mm:ss";

    struct Record
    {
        int nAlarmId = -99999;
        int nHandleType = HandleOther;
        QString strNote; // as typed, plain text
        int nOperatorId = -99999;
        QDateTime objTime;
    };

    enum class SaveResult { Stored, AlreadyHandled, Failed };

    static bool isValidType(int type) { return type >= HandleFeverRetest && type <= HandleOther; }

    // Stores the record unless its alarm was handled already (the earlier handling stays).
    static SaveResult save(const Record &record);
    // Whether the alarm has a handling; *ok false when the store could not be read.
    static bool isHandled(int alarmId, bool *ok = nullptr);
    // All stored handlings, oldest first; empty when the store cannot be read.
    static std::vector<Record> records();
    // Handlings made in [from, to), oldest first; *ok false when the store could not be read.
    static std::vector<Record> recordsBetween(const QDateTime &from, const QDateTime &to,
                                              bool *ok = nullptr);
    // Highest alarm id handled, -99999 when none.
    static int maxAlarmId();

    // Test switch: the next save fails as a refused write would.
    static void failNextSave();

private:
    static bool ensureTable();
    static Record readRecord(const QSqlQuery &query);
    static void applyBounds();
};
