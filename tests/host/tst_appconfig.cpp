#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "BaseHelper.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "PlatformStore.h"
#include "VORNClientAIManager.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <limits>
#include <memory>

namespace {

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

} // namespace

// Host configuration records: every field survives the store being closed and reopened, a
// window that never stored anything reads as the default record, and a store the client meets
// in the field (a folder that cannot be used, a file another program keeps locked, a file or
// folder nobody may write to) fails cleanly.
class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        // The strategy store reports a database it cannot use as a warning.
        testsupport::allowWarning(QRegularExpression(QStringLiteral("^VoiceStrategyStore::")));
        m_homeFolder = PlatformStore::instance()->configFolder();
        QCOMPARE(m_homeFolder, QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR")));
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

    void windowRecordsSurviveReopen_data()
    {
        QTest::addColumn<int>("windowId");
        QTest::addColumn<IntelligentSnapConfigParam>("snap");
        QTest::addColumn<PREVIEWCONFIGPARAM>("preview");

        IntelligentSnapConfigParam snap;
        snap.bAllChannel = true;
        snap.nChannelCount = 4;
        snap.strChannelUIDList =
                QStringList{"dev1#0", "dev1#1", "dev\"2\"#0", QString::fromUtf8("通道#3")};
        snap.strClearOverTempTime = "2024-03-01 08:15:30";
        snap.nOrgaId = 7;
        snap.nStatisticsType = 2;
        PREVIEWCONFIGPARAM preview;
        preview.strLayoutName = QString::fromUtf8("大厅 4 画面");
        preview.strLayoutId = "layout-17";
        preview.strLayoutMode = "4";
        preview.strReserve1 = "r1";
        preview.strReserve2 = "r2";
        preview.vecLayoutList = {{0, 11}, {1, -99999}, {3, 2}}; // -99999: an empty window
        preview.nReserve1 = 0;
        preview.nReserve2 = 5;
        preview.nPicInPic = 1;
        preview.vecPicInPicPos = {"10,10,200,120", ""};
        preview.llReserve = (qint64(1) << 53) + 1; // not representable as a double
        preview.bReserve1 = false;
        preview.bReserve2 = false;
        preview.bReserve3 = true;
        preview.nReserve3 = -3;
        QTest::newRow("every field differs from the default") << 1 << snap << preview;

        QTest::newRow("default records, large window id")
                << std::numeric_limits<int>::max() << IntelligentSnapConfigParam()
                << PREVIEWCONFIGPARAM();
    }

    void windowRecordsSurviveReopen()
    {
        QFETCH(int, windowId);
        QFETCH(IntelligentSnapConfigParam, snap);
        QFETCH(PREVIEWCONFIGPARAM, preview);
        AppConfigHelper *config = AppConfigHelper::instance();
        BaseHelper *helper = BaseHelper::instance();

        // Start from different stored values, so a write that silently does nothing is caught.
        IntelligentSnapConfigParam previousSnap;
        previousSnap.nChannelCount = 99;
        PREVIEWCONFIGPARAM previousPreview;
        previousPreview.strLayoutId = "stale";
        QVERIFY(config->setEpidemicPreviewConfigParam(windowId, previousSnap));
        QVERIFY(helper->setEpidemicPreviewConfigParam(windowId, previousPreview));
        QVERIFY(config->setEpidemicPreviewConfigParam(windowId, snap));
        QVERIFY(helper->setEpidemicPreviewConfigParam(windowId, preview));
        PlatformStore::instance()->close();
        QVERIFY(PlatformStore::instance()->reopen());
        QCOMPARE(config->getEpidemicPreviewConfigParam(windowId), snap);
        QCOMPARE(helper->getEpidemicPreviewConfigParam(windowId), preview);
    }

    void singleRecordsFollowChangesAndReopen()
    {
        AppConfigHelper *config = AppConfigHelper::instance();
        AppConfigOEM oem;
        oem.nPreviewScreenType = 1;
        oem.bCollapsibleSnapPanel = true;
        AppConfigTemperatureUnit fahrenheit;
        fahrenheit.nTemperatureUnit = 1;
        const QString savePath = QString::fromUtf8("/tmp/图片 save");

        // The unit is kept in memory between reads; a change must still be seen at once, or cards
        // and announcements would keep the old unit.
        QVERIFY(config->setTemperatureUnitConfig(AppConfigTemperatureUnit()));
        QCOMPARE(config->getTemperatureUnitConfigHistory(), AppConfigTemperatureUnit());
        QVERIFY(config->setTemperatureUnitConfig(fahrenheit));
        QCOMPARE(config->getTemperatureUnitConfigHistory(), fahrenheit);
        QVERIFY(config->setOEMConfig(oem));
        QVERIFY(BaseHelper::instance()->setMouseRightSavePath(savePath));
        QVERIFY(PlatformStore::instance()->reopen());
        QCOMPARE(config->getOEMConfig(), oem);
        QCOMPARE(config->getTemperatureUnitConfigHistory(), fahrenheit);
        QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), savePath);

        // An empty save path is a value too: storing it used to fail on the store's NOT NULL
        // payload, leaving the previous folder remembered.
        QVERIFY(BaseHelper::instance()->setMouseRightSavePath(QString()));
        QVERIFY(PlatformStore::instance()->reopen());
        QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), QString());
    }

    void lockedStoreCostsOneWaitAndIsReadWhenFree()
    {
        PlatformStore *store = PlatformStore::instance();
        AppConfigHelper *config = AppConfigHelper::instance();
        IntelligentSnapConfigParam stored;
        stored.nOrgaId = 42;
        QVERIFY(config->setEpidemicPreviewConfigParam(5, stored));
        store->close(); // as at the start of the client

        bool ok = true;
        testsupport::StoreLock lock(true);
        QVERIFY(lock.isHeld());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(config->getEpidemicPreviewConfigParam(5, &ok), IntelligentSnapConfigParam());
        QVERIFY2(!ok, "a locked store must not pass for one without a record");
        const qint64 firstCall = clock.restart();
        // A first show makes calls like these; before, each one waited for the lock anew.
        for (int i = 0; i < 10; ++i) {
            config->getEpidemicPreviewConfigParam(5, &ok);
            config->getTemperatureUnitConfigHistory();
        }
        const qint64 laterCalls = clock.elapsed();
        QVERIFY2(firstCall < 1000, qPrintable(QString::number(firstCall)));
        QVERIFY2(laterCalls < 1000, qPrintable(QString::number(laterCalls)));
        QVERIFY(!store->isOpen());
        QVERIFY(store->lastError().contains(QStringLiteral("locked")));
        lock.release();

        // Tried again once the pause after the failed open is over.
        const auto readable = [config] {
            bool read = false;
            config->getEpidemicPreviewConfigParam(5, &read);
            return read;
        };
        QTRY_VERIFY_WITH_TIMEOUT(readable(), PlatformStore::RetryOpenMs * 3);
        QCOMPARE(config->getEpidemicPreviewConfigParam(5), stored);
        // A window without a record reads fine: ok, with the defaults.
        QCOMPARE(config->getEpidemicPreviewConfigParam(6, &ok), IntelligentSnapConfigParam());
        QVERIFY(ok);
        QCOMPARE(BaseHelper::instance()->getEpidemicPreviewConfigParam(6), PREVIEWCONFIGPARAM());
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
        QVERIFY(config->setEpidemicPreviewConfigParam(3, stored));
        QVERIFY(addStrategy(4, "hello"));
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
        QCOMPARE(config->getEpidemicPreviewConfigParam(3, &ok), stored);
        QVERIFY(ok);
        std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
        QVERIFY(VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(4,
                                                                                      strategies));
        QCOMPARE(strategies.size(), std::size_t(1));
        QCOMPARE(strategies[0].get_speech_content(), std::string("hello"));

        // Writes fail, reported, and leave the file as it was.
        QVERIFY(!config->setEpidemicPreviewConfigParam(3, IntelligentSnapConfigParam()));
        QVERIFY(store->lastError().contains(QStringLiteral("read-only")));
        QVERIFY(!addStrategy(4, "again"));
        store->close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void labelTextIsElidedPlainWithToolTip()
    {
        // The statistics panel fits its title, which holds the organisation name, this way.
        QLabel label;
        label.resize(80, 20);
        const QString longText = QStringLiteral("An organisation with a very long name indeed");
        BaseHelper::adjustShowLabelText(&label, longText, 0, 0);
        QCOMPARE(label.textFormat(), Qt::PlainText);
        QVERIFY(label.text().endsWith(QChar(0x2026)));
        QVERIFY(label.fontMetrics().horizontalAdvance(label.text()) <= 80);
        QCOMPARE(label.toolTip(), longText);

        // A platform name that looks like markup is shown literally, in the tool tip as well.
        const QString markup = QStringLiteral("<b>HQ</b>");
        BaseHelper::adjustShowLabelText(&label, markup, 0, 200);
        QCOMPARE(label.text(), markup);
        QVERIFY(label.toolTip().contains("&lt;b&gt;HQ&lt;/b&gt;"));
    }

private:
    QString m_homeFolder;
    std::unique_ptr<QTemporaryDir> m_scratch;
};

FEVER_TEST_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
