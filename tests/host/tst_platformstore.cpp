#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "PlatformStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The embedded platform store under every host record fails cleanly when the configuration
// folder cannot be used. (Records surviving a restart: the record suites reopen the store.)
class TestPlatformStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

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
