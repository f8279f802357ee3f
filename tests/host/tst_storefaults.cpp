#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "PlatformStore.h"
#include "VORNClientAIManager.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int Window = 3;

bool addStrategy(int windowId, const std::string &greeting)
{
    ST_MSGVoiceBroadcastStrategy strategy;
    strategy.set_window_id(windowId);
    strategy.set_speech_content(greeting);
    OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.setVoiceBroadcastStrategy(strategy);
    return VORNClientAIManager::instance()->addAiCompareVoiceBroadcastStrategy(request, response);
}

// Another connection that keeps the whole file to itself, readers included, until it goes.
class ExclusiveLock
{
public:
    explicit ExclusiveLock(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        db.setDatabaseName(path);
        m_bHeld = db.open();
        QSqlQuery query(db);
        m_bHeld = m_bHeld && query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"))
                  && query.exec(QStringLiteral("BEGIN EXCLUSIVE"))
                  && query.exec(QStringLiteral("INSERT OR REPLACE INTO host_records VALUES"
                                               " ('locker', 'k', x'00', 0)"));
    }
    ~ExclusiveLock()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name(), false);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name());
    }
    bool isHeld() const { return m_bHeld; }

private:
    static QString name() { return QStringLiteral("tst_storefaults_locker"); }
    bool m_bHeld = false;
};

} // namespace

// The stand-in store under faults the client meets in the field: a file another program keeps
// locked, and a file (or folder) nobody may write to.
class TstStoreFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        // The strategy store reports a database it cannot use as a warning.
        testsupport::allowWarning(QRegularExpression(QStringLiteral("^VoiceStrategyStore::")));
        m_homeFolder = PlatformStore::instance()->configFolder();
    }

    void cleanup()
    {
        if (m_scratch) {
            QFile::setPermissions(m_scratch->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(PlatformStore::instance()->databaseFilePath(),
                                  QFile::ReadOwner | QFile::WriteOwner);
        }
        AppConfigHelper::instance()->setAppConfigDirPath(m_homeFolder);
        m_scratch.reset();
    }

    void lockedStoreCostsOneWaitAndIsReadWhenFree()
    {
        PlatformStore *store = PlatformStore::instance();
        AppConfigHelper *config = AppConfigHelper::instance();
        IntelligentSnapConfigParam stored;
        stored.nOrgaId = 42;
        QVERIFY(config->setEpidemicPreviewConfigParam(Window, stored));
        store->close(); // as at the start of the client

        bool ok = true;
        {
            ExclusiveLock lock(store->databaseFilePath());
            QVERIFY(lock.isHeld());

            QElapsedTimer clock;
            clock.start();
            QCOMPARE(config->getEpidemicPreviewConfigParam(Window, &ok),
                     IntelligentSnapConfigParam());
            QVERIFY2(!ok, "a locked store must not pass for one without a record");
            const qint64 firstCall = clock.restart();
            // A first show makes calls like these; before, each one waited for the lock anew.
            for (int i = 0; i < 10; ++i) {
                config->getEpidemicPreviewConfigParam(Window, &ok);
                config->getTemperatureUnitConfigHistory();
            }
            const qint64 laterCalls = clock.elapsed();
            QVERIFY2(firstCall < 1000, qPrintable(QString::number(firstCall)));
            QVERIFY2(laterCalls < 1000, qPrintable(QString::number(laterCalls)));
            QVERIFY(!store->isOpen());
            QVERIFY(store->lastError().contains(QStringLiteral("locked")));
        }

        // Tried again once the pause after the failed open is over.
        const auto readable = [config] {
            bool read = false;
            config->getEpidemicPreviewConfigParam(Window, &read);
            return read;
        };
        QTRY_VERIFY_WITH_TIMEOUT(readable(), PlatformStore::RetryOpenMs * 3);
        QCOMPARE(config->getEpidemicPreviewConfigParam(Window), stored);
        // A window without a record reads fine: ok, with the default.
        QCOMPARE(config->getEpidemicPreviewConfigParam(Window + 1, &ok),
                 IntelligentSnapConfigParam());
        QVERIFY(ok);
    }

    void readOnlyStoreServesReads_data()
    {
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("file") << false;
        // SQLite could not even make its shared-memory file there.
        QTest::newRow("file and folder") << true;
    }

    void readOnlyStoreServesReads()
    {
        QFETCH(bool, folderReadOnly);
        m_scratch = std::make_unique<QTemporaryDir>();
        AppConfigHelper *config = AppConfigHelper::instance();
        config->setAppConfigDirPath(m_scratch->path());
        PlatformStore *store = PlatformStore::instance();
        IntelligentSnapConfigParam stored;
        stored.strChannelUIDList = QStringList{QStringLiteral("ch-1")};
        QVERIFY(config->setEpidemicPreviewConfigParam(Window, stored));
        QVERIFY(addStrategy(Window + 1, "hello"));
        store->close();

        const QString path = store->databaseFilePath();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        if (folderReadOnly)
            QVERIFY(QFile::setPermissions(m_scratch->path(), QFile::ReadOwner | QFile::ExeOwner));

        QVERIFY2(store->reopen(), qPrintable(store->lastError()));
        QVERIFY(store->isReadOnly());
        bool ok = false;
        QCOMPARE(config->getEpidemicPreviewConfigParam(Window, &ok), stored);
        QVERIFY(ok);
        std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
        QVERIFY(VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(Window + 1,
                                                                                      strategies));
        QCOMPARE(strategies.size(), std::size_t(1));
        QCOMPARE(strategies[0].get_speech_content(), std::string("hello"));

        // Writes fail, reported, and leave the file as it was.
        QVERIFY(!config->setEpidemicPreviewConfigParam(Window, IntelligentSnapConfigParam()));
        QVERIFY(store->lastError().contains(QStringLiteral("read-only")));
        QVERIFY(!addStrategy(Window + 1, "again"));
        store->close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

private:
    QString m_homeFolder;
    std::unique_ptr<QTemporaryDir> m_scratch;
};

FEVER_TEST_MAIN(TstStoreFaults)
#include "tst_storefaults.moc"
