#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "BaseHelper.h"
#include "PlatformStore.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <limits>

// Host configuration records: every field survives the store being closed and reopened, a
// window that never stored anything reads as the default record, and a configuration folder
// that cannot be used fails cleanly.
class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void windowRecordsSurviveReopen_data();
    void windowRecordsSurviveReopen();
    void unstoredWindowsReadAsDefault();
    void singleRecordsFollowChangesAndReopen();
    void unusableFolderFailsCleanly();
    void labelTextIsElidedPlainWithToolTip();
};

void TestAppConfig::initTestCase()
{
    testsupport::installWarningGuard();
}

void TestAppConfig::windowRecordsSurviveReopen_data()
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
    preview.vecLayoutList = {{0, 11}, {1, -99999}, {3, 2}};
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

    IntelligentSnapConfigParam markers;
    markers.nOrgaId = -99999;
    markers.nStatisticsType = -99999;
    markers.strChannelUIDList = QStringList{QString()};
    QTest::newRow("no-value markers, an empty UID, default layout")
            << 0 << markers << PREVIEWCONFIGPARAM();
    QTest::newRow("default records, large window id")
            << std::numeric_limits<int>::max() << IntelligentSnapConfigParam()
            << PREVIEWCONFIGPARAM();
}

void TestAppConfig::windowRecordsSurviveReopen()
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

void TestAppConfig::unstoredWindowsReadAsDefault()
{
    QVERIFY(AppConfigHelper::instance()->setEpidemicPreviewConfigParam(
            10, IntelligentSnapConfigParam{true, 1, {"x"}, "", 1, 1}));
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(11),
             IntelligentSnapConfigParam());
    QCOMPARE(BaseHelper::instance()->getEpidemicPreviewConfigParam(11), PREVIEWCONFIGPARAM());
}

void TestAppConfig::singleRecordsFollowChangesAndReopen()
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

    QVERIFY(config->setOEMConfig(AppConfigOEM()));
    QCOMPARE(config->getOEMConfig(), AppConfigOEM());
    QVERIFY(config->setTemperatureUnitConfig(AppConfigTemperatureUnit()));
    QCOMPARE(config->getTemperatureUnitConfigHistory(), AppConfigTemperatureUnit());
    // An empty save path is a value too: storing it used to fail on the store's NOT NULL
    // payload, leaving the previous folder remembered.
    QVERIFY(BaseHelper::instance()->setMouseRightSavePath(QString()));
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), QString());
}

void TestAppConfig::unusableFolderFailsCleanly()
{
    const QString home = PlatformStore::instance()->configFolder();
    QCOMPARE(home, QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR")));
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

    AppConfigHelper::instance()->setAppConfigDirPath(home);
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(3), kept);
}

void TestAppConfig::labelTextIsElidedPlainWithToolTip()
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

FEVER_TEST_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
