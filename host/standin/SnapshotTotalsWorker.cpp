#include "SnapshotTotalsWorker.h"

#include "CompareNotifyCodec.h"
#include "PlatformStore.h"
#include "SnapshotHistory.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr int TempStateOver = 1;
constexpr int MaskStatusNone = 2;

} // namespace

SnapshotTotalsWorker::SnapshotTotalsWorker(QObject *parent)
    : QObject(parent)
    , m_strConnection(QStringLiteral("snapshot-totals-%1").arg(quintptr(this), 0, 16))
{
}

SnapshotTotalsWorker::~SnapshotTotalsWorker()
{
    if (QSqlDatabase::contains(m_strConnection)) {
        QSqlDatabase::database(m_strConnection, false).close();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
}

bool SnapshotTotalsWorker::countsForType(int p_nType, bool p_bFromLoginServer)
{
    return p_nType == 3 || (p_nType == 1 && !p_bFromLoginServer)
           || (p_nType == 2 && p_bFromLoginServer);
}

bool SnapshotTotalsWorker::ensureOpen(const QString &p_strPath)
{
    if (!QSqlDatabase::contains(m_strConnection))
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_strConnection);
    QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
    if (db.isOpen() && m_strOpenPath == p_strPath)
        return true;
    db.close();
    db.setDatabaseName(p_strPath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_READONLY")
                                 .arg(PlatformStore::BusyTimeoutMs));
    if (!db.open()) {
        qDebug() << "SnapshotTotalsWorker cannot open" << p_strPath << db.lastError().text();
        return false;
    }
    m_strOpenPath = p_strPath;
    return true;
}

SnapshotTotalsWorker::Totals SnapshotTotalsWorker::count(const Question &p_objQuestion)
{
    Totals totals;
    if (!ensureOpen(p_objQuestion.strDatabasePath))
        return totals;
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT channel_uid, payload FROM snapshot_history"
                                 " WHERE snap_time >= ? AND snap_time <= ? AND id > ?"));
    const QString format = QLatin1String(SnapshotHistory::TimeFormat);
    query.addBindValue(p_objQuestion.objStart.toString(format));
    query.addBindValue(p_objQuestion.objEnd.toString(format));
    query.addBindValue(p_objQuestion.nAfterRow);
    if (!query.exec()) {
        // A store where nothing was ever recorded has no table yet: nothing to count.
        if (query.lastError().text().contains(QLatin1String("no such table"))) {
            totals.bOk = true;
            return totals;
        }
        qDebug() << "SnapshotTotalsWorker::count" << query.lastError().text();
        return totals;
    }
    while (query.next()) {
        if (!p_objQuestion.setChannelUids.contains(query.value(0).toString()))
            continue;
        OrvaneCompareNotifyMessage message;
        if (!CompareNotifyCodec::decode(query.value(1).toByteArray(), message))
            continue;
        const OrvaneSnapTargetSource &source = message.snapFaceInfo.snapTargetSource;
        if (!countsForType(p_objQuestion.nType,
                           source.serverUID == p_objQuestion.strLoginServerUid))
            continue;
        ++totals.nTotal;
        totals.nOverTemp += source.temperatureState == TempStateOver ? 1 : 0;
        totals.nNoMask += message.snapFaceInfo.maskStatus == MaskStatusNone ? 1 : 0;
    }
    totals.bOk = true;
    return totals;
}
