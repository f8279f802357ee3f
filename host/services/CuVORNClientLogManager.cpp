#include "CuVORNClientLogManager.h"

#include "PlatformStore.h"
#include "VornClient.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A null QString binds as SQL NULL; an empty text is still a text.
QString notNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

bool ensureTable(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS operation_log ("
                                  " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                  " code INTEGER NOT NULL, user_name TEXT NOT NULL,"
                                  " logged_at INTEGER NOT NULL, text TEXT NOT NULL,"
                                  " detail TEXT NOT NULL)")))
        return true;
    qDebug() << "CuVORNClientLogManager: operation log not usable:" << query.lastError().text();
    return false;
}

} // namespace

CuVORNClientLogManager *CuVORNClientLogManager::instance()
{
    static CuVORNClientLogManager manager;
    return &manager;
}

bool CuVORNClientLogManager::addLog(int p_nCode, const QString &p_strUser, const QString &p_strText,
                                    const QString &p_strDetail)
{
    QSqlDatabase db = PlatformStore::instance()->database();
    if (!PlatformStore::instance()->isOpen() || PlatformStore::instance()->isReadOnly()
        || !ensureTable(db)) {
        qDebug() << "CuVORNClientLogManager::addLog entry" << p_nCode << "not stored";
        return false;
    }
    const QString user = p_strUser.isEmpty()
                                 ? VornClient::instance()->getCurUserInfo().get_user_name()
                                 : p_strUser;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO operation_log (code, user_name, logged_at, text,"
                                 " detail) VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(p_nCode);
    query.addBindValue(notNull(user));
    query.addBindValue(QDateTime::currentMSecsSinceEpoch());
    query.addBindValue(notNull(p_strText));
    query.addBindValue(notNull(p_strDetail));
    if (!query.exec()) {
        qDebug() << "CuVORNClientLogManager::addLog failed:" << query.lastError().text();
        return false;
    }
    QSqlQuery trim(db);
    trim.prepare(QStringLiteral("DELETE FROM operation_log WHERE id <= ?"));
    trim.addBindValue(query.lastInsertId().toLongLong() - MaxEntries);
    if (!trim.exec())
        qDebug() << "CuVORNClientLogManager::addLog old entries kept:" << trim.lastError().text();
    return true;
}

std::vector<CuVORNClientLogManager::Entry> CuVORNClientLogManager::getLogs(int p_nMax) const
{
    std::vector<Entry> entries;
    QSqlDatabase db = PlatformStore::instance()->database();
    if (!PlatformStore::instance()->isOpen() || p_nMax <= 0)
        return entries;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT code, user_name, logged_at, text, detail FROM"
                                 " operation_log ORDER BY id DESC LIMIT ?"));
    query.addBindValue(p_nMax);
    if (!query.exec())
        return entries; // no table yet: nothing logged
    while (query.next()) {
        Entry entry;
        entry.nCode = query.value(0).toInt();
        entry.strUser = query.value(1).toString();
        entry.time = QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong());
        entry.strText = query.value(3).toString();
        entry.strDetail = query.value(4).toString();
        entries.push_back(entry);
    }
    return entries;
}
