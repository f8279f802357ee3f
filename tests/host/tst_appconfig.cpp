#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "BaseHelper.h"
#include "PlatformStore.h"

#include <QLabel>
#include <limits>

// Host configuration records: every field survives the store being closed and reopened, a
// window that never stored anything reads as the default record, and damaged rows do not
// break the reader.
class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void snapConfigSurvivesReopen_data();
    void snapConfigSurvivesReopen();
    void previewConfigSurvivesReopen_data();
    void previewConfigSurvivesReopen();
    void singleRecordsSurviveReopen();
    void temperatureUnitFollowsChangesAndReopen();
    void unstoredWindowsReadAsDefault();
    void damagedRowReadsAsDefault();

    void labelTextIsElidedPlainWithToolTip();
};

void TestAppConfig::initTestCase()
{
    testsupport::installWarningGuard();
}

void TestAppConfig::snapConfigSurvivesReopen_data()
{
    QTest::addColumn<int>("windowId");
    QTest::addColumn<IntelligentSnapConfigParam>("record");

    IntelligentSnapConfigParam full;
    full.bAllChannel = true;
    full.nChannelCount = 4;
    full.strChannelUIDList =
            QStringList{"dev1#0", "dev1#1", "dev\"2\"#0", QString::fromUtf8("通道#3")};
    full.strClearOverTempTime = "2024-03-01 08:15:30";
    full.nOrgaId = 7;
    full.nStatisticsType = 2;
    QTest::newRow("every field set") << 1 << full;

    IntelligentSnapConfigParam markers;
    markers.nOrgaId = -99999;
    markers.nStatisticsType = -99999;
    markers.strChannelUIDList = QStringList{QString()};
    QTest::newRow("no-value markers and an empty UID") << 0 << markers;

    QTest::newRow("default record, large window id")
            << std::numeric_limits<int>::max() << IntelligentSnapConfigParam();
    IntelligentSnapConfigParam onlyTime;
    onlyTime.strClearOverTempTime = "2024-12-31 23:59:59";
    QTest::newRow("negative window id") << -5 << onlyTime;
}

void TestAppConfig::snapConfigSurvivesReopen()
{
    QFETCH(int, windowId);
    QFETCH(IntelligentSnapConfigParam, record);
    AppConfigHelper *config = AppConfigHelper::instance();

    // Start from a different stored value, so a write that silently does nothing is caught.
    IntelligentSnapConfigParam previous;
    previous.nChannelCount = 99;
    QVERIFY(config->setEpidemicPreviewConfigParam(windowId, previous));
    QVERIFY(config->setEpidemicPreviewConfigParam(windowId, record));
    PlatformStore::instance()->close();
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(config->getEpidemicPreviewConfigParam(windowId), record);
}

void TestAppConfig::previewConfigSurvivesReopen_data()
{
    QTest::addColumn<PREVIEWCONFIGPARAM>("record");

    PREVIEWCONFIGPARAM full;
    full.strLayoutName = QString::fromUtf8("大厅 4 画面");
    full.strLayoutId = "layout-17";
    full.strLayoutMode = "4";
    full.strReserve1 = "r1";
    full.strReserve2 = "r2";
    full.vecLayoutList = {{0, 11}, {1, -99999}, {3, 2}};
    full.nReserve1 = 0;
    full.nReserve2 = 5;
    full.nPicInPic = 1;
    full.vecPicInPicPos = {"10,10,200,120", ""};
    full.llReserve = (qint64(1) << 53) + 1; // not representable as a double
    full.bReserve1 = false;
    full.bReserve2 = false;
    full.bReserve3 = true;
    full.nReserve3 = -3;
    QTest::newRow("every field differs from the default") << full;
    QTest::newRow("default record") << PREVIEWCONFIGPARAM();

    PREVIEWCONFIGPARAM extremes;
    extremes.llReserve = std::numeric_limits<qint64>::min();
    extremes.nReserve3 = std::numeric_limits<int>::min();
    QTest::newRow("integer extremes") << extremes;
}

void TestAppConfig::previewConfigSurvivesReopen()
{
    QFETCH(PREVIEWCONFIGPARAM, record);
    BaseHelper *helper = BaseHelper::instance();
    PREVIEWCONFIGPARAM previous;
    previous.strLayoutId = "stale";
    QVERIFY(helper->setEpidemicPreviewConfigParam(2, previous));
    QVERIFY(helper->setEpidemicPreviewConfigParam(2, record));
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(helper->getEpidemicPreviewConfigParam(2), record);
}

void TestAppConfig::singleRecordsSurviveReopen()
{
    AppConfigHelper *config = AppConfigHelper::instance();
    AppConfigOEM oem;
    oem.nPreviewScreenType = 1;
    oem.bCollapsibleSnapPanel = true;
    AppConfigTemperatureUnit unit;
    unit.nTemperatureUnit = 1;
    const QString savePath = QString::fromUtf8("/tmp/图片 save");

    QVERIFY(config->setOEMConfig(oem));
    QVERIFY(config->setTemperatureUnitConfig(unit));
    QVERIFY(BaseHelper::instance()->setMouseRightSavePath(savePath));
    QVERIFY(PlatformStore::instance()->reopen());

    QCOMPARE(config->getOEMConfig(), oem);
    QCOMPARE(config->getTemperatureUnitConfigHistory(), unit);
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), savePath);

    QVERIFY(config->setOEMConfig(AppConfigOEM()));
    QCOMPARE(config->getOEMConfig(), AppConfigOEM());

    // An empty save path is a value too: storing it used to fail on the store's NOT NULL
    // payload, leaving the previous folder remembered.
    QVERIFY(BaseHelper::instance()->setMouseRightSavePath(QString()));
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), QString());
}

void TestAppConfig::temperatureUnitFollowsChangesAndReopen()
{
    // The unit is kept in memory between reads; a change or a reopen of the store must
    // still be seen, or cards and announcements would keep the old unit.
    AppConfigHelper *config = AppConfigHelper::instance();
    AppConfigTemperatureUnit fahrenheit;
    fahrenheit.nTemperatureUnit = 1;
    QVERIFY(config->setTemperatureUnitConfig(AppConfigTemperatureUnit()));
    QCOMPARE(config->getTemperatureUnitConfigHistory(), AppConfigTemperatureUnit());
    QVERIFY(config->setTemperatureUnitConfig(fahrenheit));
    QCOMPARE(config->getTemperatureUnitConfigHistory(), fahrenheit);
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(config->getTemperatureUnitConfigHistory(), fahrenheit);
    QVERIFY(config->setTemperatureUnitConfig(AppConfigTemperatureUnit()));
    QCOMPARE(config->getTemperatureUnitConfigHistory(), AppConfigTemperatureUnit());
}

void TestAppConfig::unstoredWindowsReadAsDefault()
{
    QVERIFY(AppConfigHelper::instance()->setEpidemicPreviewConfigParam(
            10, IntelligentSnapConfigParam{true, 1, {"x"}, "", 1, 1}));
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(11),
             IntelligentSnapConfigParam());
    QCOMPARE(BaseHelper::instance()->getEpidemicPreviewConfigParam(11), PREVIEWCONFIGPARAM());
    const PREVIEWCONFIGPARAM fresh = BaseHelper::instance()->getEpidemicPreviewConfigParam(12345);
    QVERIFY(fresh.strLayoutId.isEmpty());
    QCOMPARE(fresh.nReserve1, 1);
    QCOMPARE(fresh.nReserve2, -1);
}

void TestAppConfig::damagedRowReadsAsDefault()
{
    QVERIFY(PlatformStore::instance()->writeRecord("IntelligentSnapConfigParam", "20",
                                                   "{not json"));
    QVERIFY(PlatformStore::instance()->writeRecord("PREVIEWCONFIGPARAM", "20", "[1,2]"));
    QCOMPARE(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(20),
             IntelligentSnapConfigParam());
    QCOMPARE(BaseHelper::instance()->getEpidemicPreviewConfigParam(20), PREVIEWCONFIGPARAM());

    // A field of the wrong type keeps its default while the others are read.
    QVERIFY(PlatformStore::instance()->writeRecord("IntelligentSnapConfigParam", "21",
                                                   R"({"nOrgaId":"seven","nStatisticsType":3})"));
    const IntelligentSnapConfigParam partial =
            AppConfigHelper::instance()->getEpidemicPreviewConfigParam(21);
    QCOMPARE(partial.nOrgaId, 0);
    QCOMPARE(partial.nStatisticsType, 3);
}

void TestAppConfig::labelTextIsElidedPlainWithToolTip()
{
    QCOMPARE(BaseHelper::availableTextWidth(200, 30, 150), 170);
    QCOMPARE(BaseHelper::availableTextWidth(100, 30, 150), 150);
    QCOMPARE(BaseHelper::availableTextWidth(10, 30, 0), 0);

    QLabel label;
    label.resize(80, 20);
    const QString longText = QStringLiteral("An organisation with a very long name indeed");
    BaseHelper::adjustShowLabelText(&label, longText, 0, 0);
    QCOMPARE(label.textFormat(), Qt::PlainText);
    QVERIFY(label.text() != longText);
    QVERIFY(label.text().endsWith(QChar(0x2026)));
    QVERIFY(label.fontMetrics().horizontalAdvance(label.text()) <= 80);
    QCOMPARE(label.toolTip(), longText);

    BaseHelper::adjustShowLabelText(&label, "Short", 0, 0);
    QCOMPARE(label.text(), QStringLiteral("Short"));

    // A platform name that looks like markup is shown literally, in the tool tip as well.
    const QString markup = QStringLiteral("<b>HQ</b>");
    BaseHelper::adjustShowLabelText(&label, markup, 0, 200);
    QCOMPARE(label.text(), markup);
    QVERIFY(label.toolTip().contains("&lt;b&gt;HQ&lt;/b&gt;"));

    BaseHelper::adjustShowLabelText(nullptr, longText); // no crash without a label
}

FEVER_TEST_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
