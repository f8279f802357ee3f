#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "PlatformStore.h"

#include <QFile>
#include <QTemporaryDir>

// The embedded platform store under every host record: durable across a restart, and a clean
// failure when the configuration folder cannot be used.
class TestPlatformStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void recordSurvivesReopen();
    void unusableFolderFailsCleanly();

private:
    QString m_homeFolder;
};

void TestPlatformStore::initTestCase()
{
    testsupport::installWarningGuard();
    m_homeFolder = PlatformStore::instance()->configFolder();
    QCOMPARE(m_homeFolder, QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR")));
}

void TestPlatformStore::recordSurvivesReopen()
{
    PlatformStore *store = PlatformStore::instance();
    const QByteArray payload("\x00\x01"
                             "binary"
                             "\xff",
                             9); // embedded zero and high byte
    QVERIFY(store->writeRecord("kind", "key", payload));
    QVERIFY(store->writeRecord("kind", "other", "other"));
    store->close();
    QVERIFY(!store->isOpen());
    QVERIFY(store->reopen());
    QCOMPARE(store->readRecord("kind", "key").value_or(QByteArray()), payload);
    QCOMPARE(QFileInfo(store->databaseFilePath()).absolutePath(), m_homeFolder);

    // Moving away and back opens the file afresh, as a restarted host would.
    QTemporaryDir elsewhere;
    store->setConfigFolder(elsewhere.path());
    QVERIFY(!store->readRecord("kind", "key").has_value());
    store->setConfigFolder(m_homeFolder);
    QCOMPARE(store->readRecord("kind", "key").value_or(QByteArray()), payload);
    QVERIFY(store->removeRecord("kind", "key"));
    QVERIFY(!store->readRecord("kind", "key").has_value());
    QCOMPARE(store->readRecord("kind", "other").value_or(QByteArray()), QByteArray("other"));
}

void TestPlatformStore::unusableFolderFailsCleanly()
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
    QVERIFY(!store->isOpen());
    QVERIFY(store->lastError().contains("blocker"));
    QVERIFY(!AppConfigHelper::instance()->setEpidemicPreviewConfigParam(
            3, IntelligentSnapConfigParam()));
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(3),
             IntelligentSnapConfigParam());

    AppConfigHelper::instance()->setAppConfigDirPath(m_homeFolder);
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(3), kept);
}

FEVER_TEST_MAIN(TestPlatformStore)
#include "tst_platformstore.moc"
