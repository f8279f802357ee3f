#include "AlarmHandlingStore.h"

#include "PlatformStore.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

bool g_bFailNextSave = false;

QString timeText(const QDateTime &time)
{
    return time.toString(QLatin1String(AlarmHandlingStore::TimeFormat));
}

} // namespace

void AlarmHandlingStore::failNextSave()
{
    g_bFailNextSave = true;
}

bool AlarmHandlingStore::ensureTable()
{
    PlatformStore *store = PlatformStore::instance();
    QSqlDatabase db = store->database();
    if (!store->isOpen())
        return false;
    static quint64 s_nCheckedOpen = 0;
    if (s_nCheckedOpen == store->openCount())
        return true;
    if (store->isReadOnly()) {
        s_nCheckedOpen = store->openCount();
        return true;
    }
    QSqlQuery query(db);
    // One handling per alarm: the unique key makes a second save of the same alarm fail
    // without touching the first, even from another client.
    for (const char *statement : {"CREATE TABLE IF NOT EXISTS alarm_handling ("
                                  " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                  " alarm_id INTEGER NOT NULL UNIQUE,"
                                  " handle_type INTEGER NOT NULL,"
                                  " note TEXT NOT NULL,"
                                  " operator_id INTEGER NOT NULL,"
                                  " handled_at TEXT NOT NULL)",
                                  "CREATE INDEX IF NOT EXISTS alarm_handling_time ON alarm_handling"
                                  " (handled_at, handle_type)"}) {
        if (!query.exec(QLatin1String(statement))) {
            qDebug().noquote() << "AlarmHandlingStore::ensureTable" << query.lastError().text();
            return false;
        }
    }
    s_nCheckedOpen = store->openCount();
    return true;
}

AlarmHandlingStore::SaveResult AlarmHandlingStore::save(const Record &record)
{
    if (record.nAlarmId == -99999 || !isValidType(record.nHandleType)
        || !record.objTime.isValid()) {
        qDebug() << "AlarmHandlingStore::save refused record of alarm" << record.nAlarmId;
        return SaveResult::Failed;
    }
    if (g_bFailNextSave) {
        g_bFailNextSave = false;
        qDebug() << "AlarmHandlingStore::save failure injected for alarm" << record.nAlarmId;
        return SaveResult::Failed;
    }
    bool ok = false;
    const bool handled = isHandled(record.nAlarmId, &ok);
    if (!ok)
        return SaveResult::Failed;
    if (handled)
        return SaveResult::AlreadyHandled;
    if (PlatformStore::instance()->isReadOnly())
        return SaveResult::Failed;
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("INSERT INTO alarm_handling (alarm_id, handle_type, note,"
                                 " operator_id, handled_at) VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(record.nAlarmId);
    query.addBindValue(record.nHandleType);
    query.addBindValue(record.strNote.isNull() ? QString(QLatin1String("")) : record.strNote);
    query.addBindValue(record.nOperatorId);
    query.addBindValue(timeText(record.objTime));
    if (!query.exec()) {
        qDebug().noquote() << "AlarmHandlingStore::save" << query.lastError().text();
        // Another client may have handled it between the check and the write.
        return isHandled(record.nAlarmId) ? SaveResult::AlreadyHandled : SaveResult::Failed;
    }
    applyBounds();
    return SaveResult::Stored;
}

void AlarmHandlingStore::applyBounds()
{
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("DELETE FROM alarm_handling WHERE handled_at < ?"));
    query.addBindValue(timeText(QDateTime::currentDateTime().addDays(-RetentionDays)));
    bool ok = query.exec();
    ok = ok
         && query.exec(QStringLiteral("DELETE FROM alarm_handling WHERE id <= (SELECT id FROM"
                                      " alarm_handling ORDER BY id DESC LIMIT 1 OFFSET %1)")
                               .arg(MaxRecords));
    if (!ok)
        qDebug().noquote() << "AlarmHandlingStore::applyBounds" << query.lastError().text();
}

bool AlarmHandlingStore::isHandled(int alarmId, bool *ok)
{
    if (ok)
        *ok = false;
    if (!ensureTable())
        return false;
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("SELECT 1 FROM alarm_handling WHERE alarm_id = ?"));
    query.addBindValue(alarmId);
    if (!query.exec()) {
        // A read-only store written before the table existed has no handling at all.
        qDebug().noquote() << "AlarmHandlingStore::isHandled" << query.lastError().text();
        return false;
    }
    if (ok)
        *ok = true;
    return query.next();
}

std::vector<AlarmHandlingStore::Record> AlarmHandlingStore::records()
{
    std::vector<Record> result;
    if (!ensureTable())
        return result;
    QSqlQuery query(PlatformStore::instance()->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT alarm_id, handle_type, note, operator_id, handled_at"
                                   " FROM alarm_handling ORDER BY id"))) {
        qDebug().noquote() << "AlarmHandlingStore::records" << query.lastError().text();
        return result;
    }
    while (query.next())
        result.push_back(readRecord(query));
    return result;
}

AlarmHandlingStore::Record AlarmHandlingStore::readRecord(const QSqlQuery &query)
{
    Record record;
    record.nAlarmId = query.value(0).toInt();
    record.nHandleType = query.value(1).toInt();
    record.strNote = query.value(2).toString();
    record.nOperatorId = query.value(3).toInt();
    record.objTime = QDateTime::fromString(query.value(4).toString(), QLatin1String(TimeFormat));
    return record;
}

std::vector<AlarmHandlingStore::Record>
AlarmHandlingStore::recordsBetween(const QDateTime &from, const QDateTime &to, bool *ok)
{
    if (ok)
        *ok = false;
    std::vector<Record> result;
    if (!ensureTable())
        return result;
    QSqlQuery query(PlatformStore::instance()->database());
    query.setForwardOnly(true);
    // The stored times sort as text, so the time index serves the range.
    query.prepare(QStringLiteral("SELECT alarm_id, handle_type, note, operator_id, handled_at"
                                 " FROM alarm_handling WHERE handled_at >= ? AND handled_at < ?"
                                 " ORDER BY handled_at, id"));
    query.addBindValue(timeText(from));
    query.addBindValue(timeText(to));
    if (!query.exec()) {
        qDebug().noquote() << "AlarmHandlingStore::recordsBetween" << query.lastError().text();
        return result;
    }
    while (query.next())
        result.push_back(readRecord(query));
    if (ok)
        *ok = true;
    return result;
}

int AlarmHandlingStore::maxAlarmId()
{
    if (!ensureTable())
        return -99999;
    QSqlQuery query(PlatformStore::instance()->database());
    if (!query.exec(QStringLiteral("SELECT MAX(alarm_id) FROM alarm_handling")) || !query.next()
        || query.value(0).isNull())
        return -99999;
    return query.value(0).toInt();
}
