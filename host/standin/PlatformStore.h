#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

class QThread;

// The embedded management platform: one SQLite file "platform.sqlite" in the configuration
// folder. The connection opens on first use and belongs to the thread that opened it; other
// host services add their own tables through database() (CREATE TABLE IF NOT EXISTS) and must
// check isOpen() before running queries, since a store that cannot be opened hands out a
// closed connection.
//
// No call may hold the user-interface thread for long: a statement waits at most
// BusyTimeoutMs for another connection's lock, and an open that failed is not tried again
// before RetryOpenMs have passed (calls in between fail at once). A file without write
// permission is opened read-only, so its records still serve; every write then fails.
class PlatformStore
{
public:
    static PlatformStore *instance();
    // FEVER_CONFIG_DIR when set, otherwise a folder under the per-user application data.
    static QString defaultConfigFolder();
    static QString databaseFileName() { return QStringLiteral("platform.sqlite"); }
    static constexpr int BusyTimeoutMs = 250;
    static constexpr int RetryOpenMs = 2000;

    QString configFolder() const;
    // Closes the current file; the next database() call opens the file in the new folder.
    void setConfigFolder(const QString &folder);
    QString databaseFilePath() const;

    QSqlDatabase database();
    bool isOpen() const;
    // The file is open without write access (see above).
    bool isReadOnly() const { return m_bReadOnly; }
    void close();
    // Opens at once, whenever the last attempt was.
    bool reopen();

    // Record table shared by the host's configuration helpers: one payload per (kind, key).
    // A write is a single statement, so a failed write leaves the previous payload intact.
    bool writeRecord(const QString &kind, const QString &key, const QByteArray &payload);
    // Without a value when nothing is stored under the key or the store could not be read;
    // ok tells the two apart.
    std::optional<QByteArray> readRecord(const QString &kind, const QString &key,
                                         bool *ok = nullptr);
    bool removeRecord(const QString &kind, const QString &key);
    QStringList recordKeys(const QString &kind);

    // The daily reset of the snapshot totals: from now on the totals count only snapshots
    // recorded after it. Stores the moment with the last snapshot recorded before it, then
    // announces the reset to the clients (VORNClientAIManager::sendSnapZero) unless the
    // requesting client announces it itself. False, with nothing announced, when the store
    // refused the write.
    enum class ResetNotice { Announce, Silent };
    bool recordDailyReset(ResetNotice notice = ResetNotice::Announce);
    struct DailyReset
    {
        QDateTime time;             // invalid: never reset
        qint64 lastSnapshotRow = 0; // snapshot history rows up to this one do not count
    };
    DailyReset lastDailyReset();

    QString lastError() const { return m_lastError; }
    QString connectionName() const { return m_connectionName; }
    // Counts successful opens: a value read before a reopen may no longer be what is stored.
    quint64 openCount() const { return m_nOpenCount; }

    PlatformStore(const PlatformStore &) = delete;
    PlatformStore &operator=(const PlatformStore &) = delete;

private:
    PlatformStore();
    ~PlatformStore();

    static void destroyInstance();
    bool open();
    bool ensureSchema(QSqlDatabase &db, bool readOnly);
    bool usableFromHere(const char *function) const;
    void fail(const char *function, const QString &message);

    QString m_connectionName;
    mutable QMutex m_folderMutex;
    mutable QString m_folder;
    QString m_lastError;
    QThread *m_ownerThread = nullptr;
    bool m_connectionAdded = false;
    bool m_open = false;
    bool m_bReadOnly = false;
    quint64 m_nOpenCount = 0;
    // After a failed open, no new attempt before it expires.
    QDeadlineTimer m_objOpenRetry{0};
};
