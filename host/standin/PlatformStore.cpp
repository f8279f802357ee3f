#include "PlatformStore.h"

#include "VORNClientAIManager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <QVariant>

#include <algorithm>

namespace {

QMutex g_instanceMutex;
PlatformStore *g_instance = nullptr;

bool hasWriteBits(const QFileInfo &info)
{
    // WriteUser would be the caller's own access, which root always has.
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

enum class Access { ReadWrite, ReadOnlyFile, ReadOnlyFolder };

// Root passes every access check, but a store its owner made read-only is meant to stay as it
// is, so the permission bits decide too. In a folder nobody may write to, SQLite cannot make
// the shared-memory file a write-ahead log needs even for reading; since nobody can change the
// file there either, it is opened as immutable.
Access accessOf(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || hasWriteBits(file))
        return Access::ReadWrite;
    return hasWriteBits(QFileInfo(file.absolutePath())) ? Access::ReadOnlyFile
                                                        : Access::ReadOnlyFolder;
}

} // namespace

PlatformStore *PlatformStore::instance()
{
    QMutexLocker lock(&g_instanceMutex);
    if (!g_instance) {
        g_instance = new PlatformStore;
        // The connection must go before the SQL driver plug-in is unloaded with the application.
        qAddPostRoutine(&PlatformStore::destroyInstance);
    }
    return g_instance;
}

void PlatformStore::destroyInstance()
{
    QMutexLocker lock(&g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
}

QString PlatformStore::defaultConfigFolder()
{
    const QString fromEnv = qEnvironmentVariable("FEVER_CONFIG_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(fromEnv));
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                           + QStringLiteral("/config"));
}

PlatformStore::PlatformStore()
    : m_connectionName(QStringLiteral("PlatformStore_%1_%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(quintptr(this), 0, 16))
{
}

PlatformStore::~PlatformStore()
{
    close();
    if (m_connectionAdded)
        QSqlDatabase::removeDatabase(m_connectionName);
}

QString PlatformStore::configFolder() const
{
    // Worker threads ask for the folder to build file paths; only the connection is confined.
    QMutexLocker lock(&m_folderMutex);
    if (m_folder.isEmpty())
        m_folder = defaultConfigFolder();
    return m_folder;
}

void PlatformStore::setConfigFolder(const QString &folder)
{
    const QString cleaned = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (cleaned == configFolder())
        return;
    close();
    {
        QMutexLocker lock(&m_folderMutex);
        m_folder = cleaned;
    }
    m_lastError.clear();
    m_objOpenRetry = QDeadlineTimer(0);
    qDebug() << "PlatformStore::setConfigFolder" << cleaned;
}

QString PlatformStore::databaseFilePath() const
{
    return configFolder() + QLatin1Char('/') + databaseFileName();
}

QSqlDatabase PlatformStore::database()
{
    if (!usableFromHere("PlatformStore::database"))
        return QSqlDatabase();
    if (!m_open)
        open();
    if (!m_connectionAdded)
        return QSqlDatabase();
    return QSqlDatabase::database(m_connectionName, false);
}

bool PlatformStore::isOpen() const
{
    return m_open;
}

void PlatformStore::close()
{
    if (!m_connectionAdded || !m_open)
        return;
    if (!usableFromHere("PlatformStore::close"))
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    db.close();
    m_open = false;
    qDebug() << "PlatformStore::close" << databaseFilePath();
}

bool PlatformStore::reopen()
{
    close();
    m_objOpenRetry = QDeadlineTimer(0);
    return open();
}

bool PlatformStore::usableFromHere(const char *function) const
{
    if (!m_ownerThread || m_ownerThread == QThread::currentThread())
        return true;
    qDebug() << function << "called from a thread that does not own the connection; ignored";
    return false;
}

void PlatformStore::fail(const char *function, const QString &message)
{
    // Every read retries a failed open; the same failure is reported once, not per call.
    if (message != m_lastError)
        qInfo().noquote() << function << message;
    m_lastError = message;
}

bool PlatformStore::open()
{
    if (m_open)
        return true;
    if (!usableFromHere("PlatformStore::open"))
        return false;
    // A locked file would otherwise cost every call its own wait, and a first show makes many.
    if (!m_objOpenRetry.hasExpired())
        return false;
    m_objOpenRetry = QDeadlineTimer(RetryOpenMs);

    const QString folder = configFolder();
    if (!QDir().mkpath(folder)) {
        fail("PlatformStore::open",
             QStringLiteral("cannot create the configuration folder ") + folder);
        return false;
    }
    if (!m_connectionAdded) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
            fail("PlatformStore::open", QStringLiteral("the QSQLITE driver is not available"));
            return false;
        }
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_connectionAdded = true;
        m_ownerThread = QThread::currentThread();
    }

    const Access access = accessOf(databaseFilePath());
    const bool readOnly = access != Access::ReadWrite;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    if (access == Access::ReadOnlyFolder) {
        options += QStringLiteral(";QSQLITE_OPEN_URI");
        db.setDatabaseName(QUrl::fromLocalFile(databaseFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?immutable=1"));
    } else {
        db.setDatabaseName(databaseFilePath());
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        fail("PlatformStore::open", QStringLiteral("cannot open ") + databaseFilePath()
                                            + QStringLiteral(": ") + db.lastError().text());
        return false;
    }
    // SQLite opens lazily; the schema statement is the first real access, so a damaged or
    // foreign file shows up here and is left untouched.
    if (!ensureSchema(db, readOnly)) {
        db.close();
        return false;
    }
    m_open = true;
    m_bReadOnly = readOnly;
    m_objOpenRetry = QDeadlineTimer(0);
    ++m_nOpenCount;
    m_lastError.clear();
    qDebug() << "PlatformStore::open" << databaseFilePath() << (readOnly ? "read-only" : "");
    return true;
}

bool PlatformStore::ensureSchema(QSqlDatabase &db, bool readOnly)
{
    QSqlQuery query(db);
    if (readOnly) {
        // Nothing can be created or switched; reading the schema proves the file usable.
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            fail("PlatformStore::ensureSchema", databaseFilePath()
                                                        + QStringLiteral(" is not readable: ")
                                                        + query.lastError().text());
            return false;
        }
        return true;
    }
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS host_records ("
                                   " kind TEXT NOT NULL,"
                                   " record_key TEXT NOT NULL,"
                                   " payload BLOB NOT NULL,"
                                   " updated_at INTEGER NOT NULL,"
                                   " PRIMARY KEY (kind, record_key))"))) {
        fail("PlatformStore::ensureSchema",
             databaseFilePath() + QStringLiteral(" is not usable: ") + query.lastError().text());
        return false;
    }
    // Write-ahead logging keeps a write to one short append instead of a full journal cycle,
    // which matters because the user-interface thread writes here. A crash of the process loses
    // nothing committed; a mode the file system refuses just leaves the default journal.
    QSqlQuery pragma(db);
    // Asked first: switching needs the file to itself and may wait for a lock, reading does not.
    const bool wal =
            pragma.exec(QStringLiteral("PRAGMA journal_mode")) && pragma.next()
            && pragma.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    if ((!wal && !pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        || !pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        qDebug() << "PlatformStore::ensureSchema journal settings not applied:"
                 << pragma.lastError().text();
    return true;
}

bool PlatformStore::writeRecord(const QString &kind, const QString &key, const QByteArray &payload)
{
    QSqlDatabase db = database();
    if (!m_open) {
        qDebug().noquote() << "PlatformStore::writeRecord store not open, record not written:"
                           << kind << key;
        return false;
    }
    if (m_bReadOnly) {
        fail("PlatformStore::writeRecord",
             QStringLiteral("%1/%2 not written: the store is read-only").arg(kind, key));
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO host_records (kind, record_key, payload, updated_at)"
            " VALUES (?, ?, ?, ?)"));
    query.addBindValue(kind);
    query.addBindValue(key);
    // A null QByteArray binds as SQL NULL; an empty record (an empty path, say) is still a
    // record, so it is stored as an empty blob.
    query.addBindValue(payload.isNull() ? QByteArray("") : payload);
    query.addBindValue(QDateTime::currentSecsSinceEpoch());
    if (!query.exec()) {
        fail("PlatformStore::writeRecord",
             QStringLiteral("%1/%2 not written: %3").arg(kind, key, query.lastError().text()));
        return false;
    }
    return true;
}

std::optional<QByteArray> PlatformStore::readRecord(const QString &kind, const QString &key,
                                                    bool *ok)
{
    if (ok)
        *ok = false;
    QSqlDatabase db = database();
    if (!m_open)
        return std::nullopt;
    QSqlQuery query(db);
    query.prepare(
            QStringLiteral("SELECT payload FROM host_records WHERE kind = ? AND record_key = ?"));
    query.addBindValue(kind);
    query.addBindValue(key);
    if (!query.exec()) {
        fail("PlatformStore::readRecord",
             QStringLiteral("%1/%2 not read: %3").arg(kind, key, query.lastError().text()));
        return std::nullopt;
    }
    if (ok)
        *ok = true;
    if (!query.next())
        return std::nullopt;
    return query.value(0).toByteArray();
}

bool PlatformStore::removeRecord(const QString &kind, const QString &key)
{
    QSqlDatabase db = database();
    if (!m_open)
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM host_records WHERE kind = ? AND record_key = ?"));
    query.addBindValue(kind);
    query.addBindValue(key);
    if (!query.exec()) {
        fail("PlatformStore::removeRecord",
             QStringLiteral("%1/%2 not removed: %3").arg(kind, key, query.lastError().text()));
        return false;
    }
    return true;
}

QStringList PlatformStore::recordKeys(const QString &kind)
{
    QStringList keys;
    QSqlDatabase db = database();
    if (!m_open)
        return keys;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
            "SELECT record_key FROM host_records WHERE kind = ? ORDER BY record_key"));
    query.addBindValue(kind);
    if (!query.exec()) {
        fail("PlatformStore::recordKeys", kind + QStringLiteral(": ") + query.lastError().text());
        return keys;
    }
    while (query.next())
        keys.append(query.value(0).toString());
    return keys;
}

namespace {

const QString DailyResetKind = QStringLiteral("daily_reset");
const QString DailyResetKey = QStringLiteral("snapshot_totals");

} // namespace

bool PlatformStore::recordDailyReset(ResetNotice notice)
{
    QSqlDatabase db = database();
    if (!isOpen())
        return false;
    qint64 lastRow = 0;
    QSqlQuery query(db);
    // No history table yet: nothing was recorded, so nothing is left out.
    if (query.exec(QStringLiteral("SELECT MAX(id) FROM snapshot_history")) && query.next())
        lastRow = query.value(0).toLongLong();
    QJsonObject record;
    record.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    record.insert(QStringLiteral("lastSnapshotRow"), QString::number(lastRow));
    if (!writeRecord(DailyResetKind, DailyResetKey,
                     QJsonDocument(record).toJson(QJsonDocument::Compact)))
        return false;
    qDebug() << "PlatformStore::recordDailyReset after snapshot row" << lastRow;
    if (notice == ResetNotice::Announce)
        VORNClientAIManager::instance()->notifySnapZero();
    return true;
}

PlatformStore::DailyReset PlatformStore::lastDailyReset()
{
    DailyReset reset;
    const std::optional<QByteArray> payload = readRecord(DailyResetKind, DailyResetKey);
    if (!payload)
        return reset;
    const QJsonObject record = QJsonDocument::fromJson(*payload).object();
    reset.time = QDateTime::fromString(record.value(QStringLiteral("time")).toString(),
                                       Qt::ISODateWithMs);
    reset.lastSnapshotRow = std::max<qint64>(
            0, record.value(QStringLiteral("lastSnapshotRow")).toString().toLongLong());
    return reset;
}
