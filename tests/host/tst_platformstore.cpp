#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "PlatformStore.h"
#include "VORNClientOemManager.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

// The embedded platform store: durability across close/reopen and folder switches, and clean
// failure when the folder or the file cannot be used.
class TestPlatformStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void recordSurvivesReopen();
    void recordIsOnDiskNotCached();
    void overwriteAndRemove();
    void folderThatCannotBeCreatedFailsCleanly();
    void damagedFileIsLeftUntouched();
    void lockedFileRejectsWriteAndKeepsOldRecord();
    void customisationSwitchesPersist();

private:
    QString m_homeFolder;
};

void TestPlatformStore::initTestCase()
{
    testsupport::installWarningGuard();
    m_homeFolder = PlatformStore::instance()->configFolder();
    QCOMPARE(m_homeFolder, QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR")));
}

void TestPlatformStore::cleanup()
{
    PlatformStore::instance()->setConfigFolder(m_homeFolder);
}

void TestPlatformStore::recordSurvivesReopen()
{
    PlatformStore *store = PlatformStore::instance();
    const QByteArray payload("\x00\x01"
                             "binary"
                             "\xff",
                             9); // embedded zero and high byte
    QVERIFY(store->writeRecord("kind", "key", payload));
    store->close();
    QVERIFY(!store->isOpen());
    QVERIFY(store->reopen());
    QCOMPARE(store->readRecord("kind", "key").value_or(QByteArray()), payload);
    QCOMPARE(QFileInfo(store->databaseFilePath()).fileName(), QStringLiteral("platform.sqlite"));
    QCOMPARE(QFileInfo(store->databaseFilePath()).absolutePath(), m_homeFolder);
}

void TestPlatformStore::recordIsOnDiskNotCached()
{
    PlatformStore *store = PlatformStore::instance();
    QVERIFY(store->writeRecord("disk", "k1", "on disk"));

    // A second, independent connection plays the next process opening the same file.
    const QString name = QStringLiteral("tst_platformstore_raw");
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", name);
        raw.setDatabaseName(store->databaseFilePath());
        QVERIFY(raw.open());
        QSqlQuery query(raw);
        QVERIFY(query.exec(
                "SELECT payload FROM host_records WHERE kind = 'disk' AND record_key = 'k1'"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toByteArray(), QByteArray("on disk"));
    }
    QSqlDatabase::removeDatabase(name);

    // Moving away and back opens the file afresh, as a restarted host would.
    QTemporaryDir elsewhere;
    store->setConfigFolder(elsewhere.path());
    QVERIFY(!store->readRecord("disk", "k1").has_value());
    store->setConfigFolder(m_homeFolder);
    QCOMPARE(store->readRecord("disk", "k1").value_or(QByteArray()), QByteArray("on disk"));
}

void TestPlatformStore::overwriteAndRemove()
{
    PlatformStore *store = PlatformStore::instance();
    QVERIFY(store->writeRecord("ow", "a", "first"));
    QVERIFY(store->writeRecord("ow", "b", "other"));
    QVERIFY(store->writeRecord("ow", "a", "second"));
    QCOMPARE(store->readRecord("ow", "a").value_or(QByteArray()), QByteArray("second"));
    QCOMPARE(store->recordKeys("ow"), QStringList({"a", "b"}));
    QVERIFY(store->removeRecord("ow", "a"));
    QVERIFY(!store->readRecord("ow", "a").has_value());
    QCOMPARE(store->readRecord("ow", "b").value_or(QByteArray()), QByteArray("other"));
}

void TestPlatformStore::folderThatCannotBeCreatedFailsCleanly()
{
    IntelligentSnapConfigParam kept;
    kept.nOrgaId = 42;
    QVERIFY(AppConfigHelper::instance()->setEpidemicPreviewConfigParam(3, kept));

    // A regular file where a parent folder should be: mkpath fails even for root.
    QTemporaryDir scratch;
    QFile blocker(scratch.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AppConfigHelper::instance()->setAppConfigDirPath(scratch.filePath("blocker/config"));

    PlatformStore *store = PlatformStore::instance();
    QVERIFY(!store->database().isOpen());
    QVERIFY(!store->isOpen());
    QVERIFY(store->lastError().contains("blocker"));
    QVERIFY(!AppConfigHelper::instance()->setEpidemicPreviewConfigParam(
            3, IntelligentSnapConfigParam()));
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(3),
             IntelligentSnapConfigParam());

    AppConfigHelper::instance()->setAppConfigDirPath(m_homeFolder);
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(3), kept);
}

void TestPlatformStore::damagedFileIsLeftUntouched()
{
    QTemporaryDir folder;
    const QByteArray garbage(2048, 'x');
    QFile file(folder.filePath("platform.sqlite"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();

    PlatformStore *store = PlatformStore::instance();
    store->setConfigFolder(folder.path());
    QVERIFY(!store->reopen());
    QVERIFY(!store->writeRecord("kind", "key", "value"));
    QVERIFY(!store->readRecord("kind", "key").has_value());

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), garbage);
}

void TestPlatformStore::lockedFileRejectsWriteAndKeepsOldRecord()
{
    PlatformStore *store = PlatformStore::instance();
    QVERIFY(store->writeRecord("lock", "k", "old"));

    const QString name = QStringLiteral("tst_platformstore_locker");
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", name);
        locker.setDatabaseName(store->databaseFilePath());
        QVERIFY(locker.open());
        QSqlQuery query(locker);
        QVERIFY(query.exec("BEGIN EXCLUSIVE"));

        QVERIFY(!store->writeRecord("lock", "k", "new"));
        QVERIFY(store->lastError().contains("lock/k"));

        QVERIFY(query.exec("ROLLBACK"));
        locker.close();
    }
    QSqlDatabase::removeDatabase(name);

    QCOMPARE(store->readRecord("lock", "k").value_or(QByteArray()), QByteArray("old"));
    QVERIFY(store->writeRecord("lock", "k", "new"));
    QCOMPARE(store->readRecord("lock", "k").value_or(QByteArray()), QByteArray("new"));
}

void TestPlatformStore::customisationSwitchesPersist()
{
    VORNClientOemManager *oem = VORNClientOemManager::instance();
    QVERIFY(!oem->containCustomizationFunc("Func_PasswordAgainAuth"));
    QVERIFY(oem->setCustomizationFunc("Func_PasswordAgainAuth", true));
    QVERIFY(PlatformStore::instance()->reopen());
    QVERIFY(oem->containCustomizationFunc("Func_PasswordAgainAuth"));
    QVERIFY(!oem->containCustomizationFunc("Func_Other"));
    QVERIFY(!oem->containCustomizationFunc(QString()));
    QVERIFY(oem->setCustomizationFunc("Func_PasswordAgainAuth", false));
    QVERIFY(!oem->containCustomizationFunc("Func_PasswordAgainAuth"));
}

FEVER_TEST_MAIN(TestPlatformStore)
#include "tst_platformstore.moc"
