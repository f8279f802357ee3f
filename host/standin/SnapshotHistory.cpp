#include "SnapshotHistory.h"

#include "CompareNotifyCodec.h"
#include "LogText.h"
#include "OrvaneArchiveImageInfo.h"
#include "PlatformStore.h"

#include <QDebug>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <functional>

namespace {

// Temperature state of an over-temperature snapshot.
constexpr int TempStateOver = 1;

QString timeKey(const QDateTime &time)
{
    return time.toString(QLatin1String(SnapshotHistory::TimeFormat));
}

// What the queries filter on, repeated beside the payload so that no row is decoded to be
// judged.
struct Facets
{
    int tempState = 0;
    bool alarm = false;
    bool registered = false;
};

Facets facetsOf(const OrvaneCompareNotifyMessage &message)
{
    const OrvaneSnapTargetSource &source = message.snapFaceInfo.snapTargetSource;
    Facets facets;
    facets.tempState = source.temperatureState;
    facets.alarm = source.hasTemperature == 1 && source.temperatureState == TempStateOver
                   && source.overTempListFlag != 0;
    const int stranger = OrvaneArchiveImageInfo().archiveId;
    for (const CompareInfo &match : message.compareInfoVec)
        facets.registered = facets.registered || match.archiveImage.archiveId != stranger;
    return facets;
}

bool hasColumn(const QSqlDatabase &db, const QString &column)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(snapshot_history)")))
        return false;
    while (query.next()) {
        if (query.value(1).toString() == column)
            return true;
    }
    return false;
}

// Adds columns to a store written before they existed and fills them from the payloads of the
// rows that select picks, once, in one transaction. bind adds the new values of one row to the
// update, in the order of its placeholders before the row id.
QString addColumnsFromPayloads(
        QSqlDatabase &db, const QStringList &columnDefinitions, const QString &select,
        const QString &update,
        const std::function<void(const OrvaneCompareNotifyMessage &, QSqlQuery &)> &bind)
{
    const bool transaction = db.transaction();
    QSqlQuery query(db);
    QString failure;
    for (const QString &definition : columnDefinitions) {
        if (failure.isEmpty()
            && !query.exec(QStringLiteral("ALTER TABLE snapshot_history ADD COLUMN ") + definition))
            failure = query.lastError().text();
    }
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    QSqlQuery writer(db);
    writer.prepare(update);
    if (failure.isEmpty() && !rows.exec(select))
        failure = rows.lastError().text();
    while (failure.isEmpty() && rows.next()) {
        OrvaneCompareNotifyMessage message;
        if (!CompareNotifyCodec::decode(rows.value(1).toByteArray(), message))
            continue; // skipped by every query anyway
        bind(message, writer);
        writer.addBindValue(rows.value(0));
        if (!writer.exec())
            failure = writer.lastError().text();
    }
    if (failure.isEmpty() && transaction && !db.commit())
        failure = db.lastError().text();
    if (!failure.isEmpty() && transaction)
        db.rollback();
    return failure;
}

// A store written before the facet columns existed.
QString addFacetColumns(QSqlDatabase &db)
{
    return addColumnsFromPayloads(
            db,
            {QStringLiteral("temp_state INTEGER NOT NULL DEFAULT 0"),
             QStringLiteral("alarm INTEGER NOT NULL DEFAULT 0"),
             QStringLiteral("registered INTEGER NOT NULL DEFAULT 0")},
            QStringLiteral("SELECT id, payload FROM snapshot_history"),
            QStringLiteral("UPDATE snapshot_history SET temp_state = ?, alarm = ?,"
                           " registered = ? WHERE id = ?"),
            [](const OrvaneCompareNotifyMessage &message, QSqlQuery &update) {
                const Facets facets = facetsOf(message);
                update.addBindValue(facets.tempState);
                update.addBindValue(facets.alarm ? 1 : 0);
                update.addBindValue(facets.registered ? 1 : 0);
            });
}

// A store written before alarm ids were kept apart: only alarms carry one.
QString addAlarmIdColumn(QSqlDatabase &db)
{
    return addColumnsFromPayloads(
            db, {QStringLiteral("alarm_id INTEGER NOT NULL DEFAULT -99999")},
            QStringLiteral("SELECT id, payload FROM snapshot_history WHERE alarm = 1"),
            QStringLiteral("UPDATE snapshot_history SET alarm_id = ? WHERE id = ?"),
            [](const OrvaneCompareNotifyMessage &message, QSqlQuery &update) {
                update.addBindValue(message.snapFaceInfo.snapTargetSource.alarmId);
            });
}

} // namespace

bool SnapshotHistory::ensureTable()
{
    PlatformStore *store = PlatformStore::instance();
    store->database(); // opens the file on first use
    if (!store->isOpen())
        return false;
    // Checked once per opened file rather than on every call.
    static quint64 s_nCheckedOpen = 0;
    if (s_nCheckedOpen == store->openCount())
        return true;
    if (!createSchema())
        return false;
    s_nCheckedOpen = store->openCount();
    return true;
}

bool SnapshotHistory::createSchema()
{
    QSqlDatabase db = PlatformStore::instance()->database();
    // Times are stored normalised so that text order is time order.
    QSqlQuery query(db);
    QString failure;
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS snapshot_history ("
                                   " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                   " snap_time TEXT NOT NULL,"
                                   " channel_uid TEXT NOT NULL,"
                                   " payload BLOB NOT NULL,"
                                   " temp_state INTEGER NOT NULL DEFAULT 0,"
                                   " alarm INTEGER NOT NULL DEFAULT 0,"
                                   " registered INTEGER NOT NULL DEFAULT 0,"
                                   " alarm_id INTEGER NOT NULL DEFAULT -99999)")))
        failure = query.lastError().text();
    if (failure.isEmpty() && !hasColumn(db, QStringLiteral("registered")))
        failure = addFacetColumns(db);
    if (failure.isEmpty() && !hasColumn(db, QStringLiteral("alarm_id")))
        failure = addAlarmIdColumn(db);
    // Newest first by (time, id) with every column a query filters on, so that a query walks
    // the index alone and reads payloads only for the rows it returns. Alarms are few: their
    // own index spares a query for them walking the whole day. The plain time index of older
    // stores is a prefix of the first one.
    for (const char *statement :
         {"CREATE INDEX IF NOT EXISTS snapshot_history_newest ON snapshot_history"
          " (snap_time, id, channel_uid, temp_state, registered)",
          "CREATE INDEX IF NOT EXISTS snapshot_history_alarms ON snapshot_history"
          " (snap_time, id, channel_uid, temp_state, registered, alarm) WHERE alarm = 1",
          "CREATE INDEX IF NOT EXISTS snapshot_history_alarm_id ON snapshot_history (alarm_id)",
          "DROP INDEX IF EXISTS snapshot_history_time"}) {
        if (failure.isEmpty() && !query.exec(QLatin1String(statement)))
            failure = query.lastError().text();
    }
    if (!failure.isEmpty()) {
        qDebug().noquote() << "SnapshotHistory::ensureTable" << failure;
        return false;
    }
    return true;
}

bool SnapshotHistory::record(const OrvaneCompareNotifyMessage &message)
{
    const OrvaneSnapTargetSource &source = message.snapFaceInfo.snapTargetSource;
    // Date and time are checked apart: a local time in a daylight-saving gap is still a
    // snapshot time the platform may send.
    const QString text = source.snapTime.trimmed();
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime clock = QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss"));
    if (text.size() != 19 || text.at(10) != QLatin1Char(' ') || !date.isValid()
        || !clock.isValid()) {
        qDebug().noquote() << "SnapshotHistory::record snapshot time not understood, not stored:"
                           << LogText::quoted(source.snapTime);
        return false;
    }
    if (!ensureTable()) {
        qDebug() << "SnapshotHistory::record store not available, not stored";
        return false;
    }
    const Facets facets = facetsOf(message);
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("INSERT INTO snapshot_history (snap_time, channel_uid, payload,"
                                 " temp_state, alarm, registered, alarm_id)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
                       + clock.toString(QStringLiteral("HH:mm:ss")));
    query.addBindValue(source.channelUID);
    query.addBindValue(CompareNotifyCodec::encode(message));
    query.addBindValue(facets.tempState);
    query.addBindValue(facets.alarm ? 1 : 0);
    query.addBindValue(facets.registered ? 1 : 0);
    query.addBindValue(source.alarmId);
    if (!query.exec()) {
        qDebug().noquote() << "SnapshotHistory::record" << query.lastError().text();
        return false;
    }
    return true;
}

int SnapshotHistory::recordAll(const OrvaneCompareNotifyMessageList &messages)
{
    if (messages.empty() || !ensureTable())
        return 0;
    QSqlDatabase db = PlatformStore::instance()->database();
    // One transaction for the list: a burst of snapshots costs one disk sync, not one each.
    const bool transaction = db.transaction();
    int stored = 0;
    for (const OrvaneCompareNotifyMessage &message : messages)
        stored += record(message) ? 1 : 0;
    if (transaction && !db.commit()) {
        qDebug().noquote() << "SnapshotHistory::recordAll" << db.lastError().text();
        db.rollback();
        return 0;
    }
    return stored;
}

OrvaneCompareNotifyMessageList SnapshotHistory::query(const QDateTime &start, const QDateTime &end,
                                                      const QStringList &channelUids, int maxCount,
                                                      bool *ok)
{
    Filter filter;
    filter.maxCount = maxCount;
    return query(start, end, channelUids, filter, ok);
}

OrvaneCompareNotifyMessageList SnapshotHistory::query(const QDateTime &start, const QDateTime &end,
                                                      const QStringList &channelUids,
                                                      const Filter &filter, bool *ok)
{
    if (ok)
        *ok = false;
    OrvaneCompareNotifyMessageList result;
    if (!ensureTable()) {
        qDebug() << "SnapshotHistory::query store not available";
        return result;
    }
    if (ok)
        *ok = true;
    if (channelUids.isEmpty() || !start.isValid() || !end.isValid() || end < start)
        return result;

    QString sql = QStringLiteral("SELECT id, channel_uid FROM snapshot_history"
                                 " WHERE snap_time >= ? AND snap_time <= ?");
    if (filter.newerThan.isValid())
        sql += QStringLiteral(" AND snap_time > ?");
    if (filter.overTempOnly)
        sql += QStringLiteral(" AND temp_state = %1").arg(TempStateOver);
    if (filter.alarmOnly)
        sql += QStringLiteral(" AND alarm = 1");
    if (filter.registeredOnly)
        sql += QStringLiteral(" AND registered = 1");
    sql += QStringLiteral(" ORDER BY snap_time DESC, id DESC");

    // Channels are matched here rather than in SQL: a long selection would exceed the
    // statement's parameter limit. Stopping at maxCount does what a LIMIT would; rows of other
    // channels cost an index entry each, and only the rows kept are read and decoded.
    QSqlDatabase db = PlatformStore::instance()->database();
    const QSet<QString> channels(channelUids.cbegin(), channelUids.cend());
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    rows.prepare(sql);
    rows.addBindValue(timeKey(start));
    rows.addBindValue(timeKey(end));
    if (filter.newerThan.isValid())
        rows.addBindValue(timeKey(filter.newerThan));
    QSqlQuery payload(db);
    payload.setForwardOnly(true);
    payload.prepare(QStringLiteral("SELECT payload FROM snapshot_history WHERE id = ?"));
    if (!rows.exec()) {
        qDebug().noquote() << "SnapshotHistory::query" << rows.lastError().text();
        if (ok)
            *ok = false;
        return result;
    }
    while (rows.next() && (filter.maxCount <= 0 || int(result.size()) < filter.maxCount)) {
        if (!channels.contains(rows.value(1).toString()))
            continue;
        const QVariant id = rows.value(0);
        payload.bindValue(0, id);
        OrvaneCompareNotifyMessage message;
        // A row removed since the walk began (another connection's sweep) is simply not there.
        if (!payload.exec() || !payload.next())
            continue;
        if (!CompareNotifyCodec::decode(payload.value(0).toByteArray(), message)) {
            qDebug() << "SnapshotHistory::query skipped damaged row" << id.toLongLong();
            continue;
        }
        result.push_back(std::move(message));
    }
    std::reverse(result.begin(), result.end());
    return result;
}

int SnapshotHistory::removeOlderThan(const QDateTime &time, int maxCount,
                                     QStringList *snapshotPictures)
{
    if (!ensureTable())
        return -1;
    QSqlDatabase db = PlatformStore::instance()->database();
    QSqlQuery query(db);
    if (maxCount <= 0 && !snapshotPictures) {
        query.prepare(QStringLiteral("DELETE FROM snapshot_history WHERE snap_time < ?"));
        query.addBindValue(timeKey(time));
        if (!query.exec()) {
            qDebug().noquote() << "SnapshotHistory::removeOlderThan" << query.lastError().text();
            return -1;
        }
        return query.numRowsAffected();
    }

    // Selected and deleted by id in one transaction, so the names reported are those of the
    // rows that went.
    const bool transaction = db.transaction();
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, payload FROM snapshot_history WHERE snap_time < ?"
                                 " ORDER BY snap_time, id LIMIT ?"));
    query.addBindValue(timeKey(time));
    query.addBindValue(maxCount > 0 ? maxCount : -1);
    QVariantList ids;
    QStringList pictures;
    QString failure;
    if (!query.exec())
        failure = query.lastError().text();
    while (failure.isEmpty() && query.next()) {
        ids.append(query.value(0));
        OrvaneCompareNotifyMessage message;
        if (snapshotPictures && CompareNotifyCodec::decode(query.value(1).toByteArray(), message))
            pictures.append(message.snapFaceInfo.snapTargetSource.snapDetailImageURL);
    }
    if (failure.isEmpty() && !ids.isEmpty()) {
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM snapshot_history WHERE id = ?"));
        remove.addBindValue(ids);
        if (!remove.execBatch())
            failure = remove.lastError().text();
    }
    if (failure.isEmpty() && transaction && !db.commit())
        failure = db.lastError().text();
    if (!failure.isEmpty()) {
        qDebug().noquote() << "SnapshotHistory::removeOlderThan" << failure;
        if (transaction)
            db.rollback();
        return -1;
    }
    if (snapshotPictures)
        snapshotPictures->append(pictures);
    return ids.size();
}

int SnapshotHistory::count()
{
    if (!ensureTable())
        return -1;
    QSqlQuery query(PlatformStore::instance()->database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM snapshot_history")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool SnapshotHistory::findByAlarmId(int alarmId, OrvaneCompareNotifyMessage &message)
{
    if (alarmId == OrvaneSnapTargetSource().alarmId || !ensureTable())
        return false;
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("SELECT payload FROM snapshot_history WHERE alarm_id = ?"
                                 " ORDER BY id DESC LIMIT 1"));
    query.addBindValue(alarmId);
    if (!query.exec()) {
        qDebug().noquote() << "SnapshotHistory::findByAlarmId" << query.lastError().text();
        return false;
    }
    return query.next() && CompareNotifyCodec::decode(query.value(0).toByteArray(), message);
}

int SnapshotHistory::maxAlarmId()
{
    if (!ensureTable())
        return OrvaneSnapTargetSource().alarmId;
    QSqlQuery query(PlatformStore::instance()->database());
    if (!query.exec(QStringLiteral("SELECT MAX(alarm_id) FROM snapshot_history")) || !query.next()
        || query.value(0).isNull())
        return OrvaneSnapTargetSource().alarmId;
    return query.value(0).toInt();
}
