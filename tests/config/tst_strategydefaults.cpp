#include "TestSupport.h"

#include "HostTesting.h"

#include "StrategyDefaults.h"

#include "ScheduleTime.h"
#include "VornClient.h"

namespace {

// Groups listed out of tree order: the tree is 5 > 3 > 4, then 9.
const char kScenario[] = R"({ "version": 1, "loginServer": { "uid": "login-1" },
    "user": { "id": 7, "name": "operator" },
    "personGroups": [ { "id": 5, "name": "Staff", "parentId": -99999 },
                      { "id": 3, "name": "Night shift", "parentId": 5 },
                      { "id": 9, "name": "Visitors", "parentId": -99999 },
                      { "id": 4, "name": "Guards", "parentId": 3 } ] })";

constexpr int Registry = 1;
constexpr int Stranger = 2;

// The window's registry strategy already serves 9 and 3.
std::vector<ST_MSGVoiceBroadcastStrategy> windowWithRegistry()
{
    ST_MSGVoiceBroadcastStrategy holding;
    holding.set_recognition_type(Registry);
    holding.vecPersonGroupId = {9, 3};
    return {StrategyDefaults::strangerStrategy(4), holding};
}

} // namespace

// The strategies a window starts with: checked for what a wrong entry would break rather than
// field by field.
class StrategyDefaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY2(HostTesting::loadScenarioData(kScenario),
                 qPrintable(HostTesting::lastScenarioError()));
    }

    void wellFormed_data()
    {
        QTest::addColumn<ST_MSGVoiceBroadcastStrategy>("strategy");
        QTest::addColumn<int>("recognitionType");

        QTest::newRow("stranger") << StrategyDefaults::strangerStrategy(4) << Stranger;
        QTest::newRow("registry") << StrategyDefaults::registryStrategy(4) << Registry;
        QTest::newRow("dialog registry")
                << StrategyDefaults::dialogRegistryStrategy(4, windowWithRegistry()) << Registry;
    }

    void wellFormed()
    {
        QFETCH(ST_MSGVoiceBroadcastStrategy, strategy);
        QFETCH(int, recognitionType);

        QCOMPARE(strategy.get_recognition_type(), recognitionType);
        QCOMPARE(strategy.get_window_id(), 4);
        QCOMPARE(strategy.get_user_id(), 7);
        QCOMPARE(strategy.get_id(), -99999); // not stored yet

        // Readers test switches for 2; any value but 1 and 2 is a typing error.
        const ST_MSGVoiceBroadcastStrategy &s = strategy;
        for (int value :
             {s.get_show_stranger(), s.get_show_name(), s.get_report_stranger(),
              s.get_show_temperature(), s.get_temparature_report_enable(), s.get_show_mask(),
              s.get_show_content(), s.get_show_time(), s.show_custom_picture, s.auto_full_screen,
              s.show_total_no_mask, s.show_over_temp_device_name})
            QVERIFY2(value == 1 || value == 2, qPrintable(QString::number(value)));

        // Announced all week: every weekday once, from the start to the end of the day.
        QCOMPARE(strategy.vecTimeRange.size(), std::size_t(7));
        for (int weekday = 0; weekday < 7; ++weekday) {
            const VoiceTimeRange &range = strategy.vecTimeRange[std::size_t(weekday)];
            QCOMPARE(range.weekday, weekday);
            QCOMPARE(ScheduleTime::timeFormatConvert(QString::fromStdString(range.start_time)), 0);
            QCOMPARE(ScheduleTime::timeFormatConvert(QString::fromStdString(range.end_time)),
                     ScheduleTime::kSecondsPerDay);
        }

        // Texts are keys: tst_pluginresources finds them in the sources and checks both catalogues.
        QList<int> textStates;
        for (const ScreenTextItem &item : strategy.vecScreenText)
            textStates << item.state;
        // Screen texts, when present, are one per state in state order: normal, over, abnormal.
        if (!textStates.isEmpty())
            QCOMPARE(textStates, (QList<int>{0, 1, 3}));
    }

    void startsShowingAndRecordingEverything()
    {
        // A new window shows strangers and every temperature, in the default picture mode, and
        // keeps its cards until cleared by hand; anything else would hide snapshots from the start.
        const ST_MSGVoiceBroadcastStrategy first = StrategyDefaults::strangerStrategy(4);
        QCOMPARE(first.get_show_stranger(), OrvaneAiCompareVoiceBroadcastStrategy::SwitchOn);
        QCOMPARE(first.temp_record_mode, 1);
        QCOMPARE(first.get_image_display_mode(), 1);
        QCOMPARE(first.over_temp_clear_time, -1);
        QCOMPARE(first.normal_temp_clear_time, -1);
        QCOMPARE(first.get_thermometry_result(), 1);
    }

    void strangerAndRegistryShareTheDisplay()
    {
        // Display fields are read from whichever strategy comes first, so the pair may differ only
        // in their kind and greeting.
        const ST_MSGVoiceBroadcastStrategy stranger = StrategyDefaults::strangerStrategy(4);
        ST_MSGVoiceBroadcastStrategy registry = StrategyDefaults::registryStrategy(4);
        QVERIFY(registry.get_speech_content() != stranger.get_speech_content());
        registry.set_recognition_type(Stranger);
        registry.set_speech_content(stranger.get_speech_content());
        QVERIFY(registry == stranger);
    }

    void personGroupsInTreeOrder()
    {
        const std::vector<int> tree{5, 3, 4, 9};
        QCOMPARE(StrategyDefaults::allPersonGroupIds(), tree);
        QCOMPARE(StrategyDefaults::strangerStrategy(4).vecPersonGroupId, tree);
        QCOMPARE(StrategyDefaults::registryStrategy(4).vecPersonGroupId, tree);
        // Registry strategies serve disjoint groups; the stranger strategy's groups do not count.
        QCOMPARE(StrategyDefaults::dialogRegistryStrategy(4, windowWithRegistry()).vecPersonGroupId,
                 (std::vector<int>{5, 4}));
        QVERIFY(StrategyDefaults::dialogRegistryStrategy(4, {StrategyDefaults::registryStrategy(4)})
                        .vecPersonGroupId.empty());
    }
};

FEVER_TEST_MAIN(StrategyDefaultsTest)
#include "tst_strategydefaults.moc"
