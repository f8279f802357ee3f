#include "SnapshotHistory.h"

#include "CompareNotifyCodec.h"
#include "LogText.h"
#include "PlatformStore.h"

#include <QDebug>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

QString timeKey(const QDateTime &time)
{
    return time.toString(QLatin1String(SnapshotHistory::TimeFormat));
}

} // namespace

bool SnapshotHistory::ensureTable()
{
    QSqlDatabase db = PlatformStore::instance()->database();
    if (!PlatformStore::instance()->isOpen())
        return false;
    // Times are stored normalised so that text order is time order.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS snapshot_history ("
                                   " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                   " snap_time TEXT NOT NULL,"
                                   " channel_uid TEXT NOT NULL,"
                                   " payload BLOB NOT NULL)"))
        || !query.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS snapshot_history_time"
                                      " ON snapshot_history (snap_time)"))) {
        qDebug().noquote() << "SnapshotHistory::ensureTable" << query.lastError().text();
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
    QSqlQuery query(PlatformStore::instance()->database());
    query.prepare(QStringLiteral("INSERT INTO snapshot_history (snap_time, channel_uid, payload)"
                                 " VALUES (?, ?, ?)"));
    query.addBindValue(date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
                       + clock.toString(QStringLiteral("HH:mm:ss")));
    query.addBindValue(source.channelUID);
    query.addBindValue(CompareNotifyCodec::encode(message));
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

    // Channels are matched here rather than in SQL: a long selection would exceed the
    // statement's parameter limit, and rows of other channels are never decoded anyway.
    const QSet<QString> channels(channelUids.cbegin(), channelUids.cend());
    QSqlQuery query(PlatformStore::instance()->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, channel_uid, payload FROM snapshot_history"
                                 " WHERE snap_time >= ? AND snap_time <= ?"
                                 " ORDER BY snap_time DESC, id DESC"));
    query.addBindValue(timeKey(start));
    query.addBindValue(timeKey(end));
    if (!query.exec()) {
        qDebug().noquote() << "SnapshotHistory::query" << query.lastError().text();
        if (ok)
            *ok = false;
        return result;
    }
    while (query.next() && (maxCount <= 0 || int(result.size()) < maxCount)) {
        if (!channels.contains(query.value(1).toString()))
            continue;
        OrvaneCompareNotifyMessage message;
        if (!CompareNotifyCodec::decode(query.value(2).toByteArray(), message)) {
            qDebug() << "SnapshotHistory::query skipped damaged row" << query.value(0).toLongLong();
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
