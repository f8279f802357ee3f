#include "SnapBuilder.h"
#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "StrategyDefaults.h"

#include "AppConfigHelper.h"
#include "AppTranslationHelper.h"
#include "HostTesting.h"
#include "RecordingSpeechEngine.h"
#include "SnapshotHistory.h"
#include "SpeechHelper.h"
#include "VornClient.h"

#include <QSignalSpy>

#include <memory>

using snaptest::SnapBuilder;
using testsupport::cardStrip;
using testsupport::settle;

namespace {

constexpr int Window = 41;
constexpr int RegistryGroup = 3; // the group of SnapBuilder's registered persons

// "<name> <temperature> <unit>" for the registered persons, all week. The sentences themselves
// are VoiceAnnouncement's; this suite checks only how the screen gets its cards spoken.
ST_MSGVoiceBroadcastStrategy speakingStrategy()
{
    ST_MSGVoiceBroadcastStrategy registry;
    registry.set_recognition_type(1);
    registry.set_show_name(FeverValues::SwitchOn);
    registry.set_show_temperature(FeverValues::SwitchOn);
    registry.set_temperature_type(1);
    registry.set_thermometry_result(1);
    registry.vecPersonGroupId = {RegistryGroup};
    registry.vecTimeRange = StrategyDefaults::wholeWeek();
    return registry;
}

} // namespace

class TstScreenVoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(testsupport::prepareWindow(Window, {speakingStrategy()},
                                           {snaptest::DefaultChannel}));
    }

    void init()
    {
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(60000); // a sentence lasts until the test moves on
        HostTesting::setSpeechEngine(std::move(engine));
        AppConfigHelper::instance()->setTemperatureUnitConfig(AppConfigTemperatureUnit());
        AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English);
    }

    void cleanup()
    {
        SpeechHelper::instance()->clearList();
        settle();
        testsupport::flushDeferredDeletes();
    }

    void liveCardSpeaksHistoryDoesNot_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        // The screen hands the user's unit and language to the sentence.
        QTest::newRow("Celsius, English") << 0 << 1 << "Person 501 36.5 degrees Celsius";
        QTest::newRow("Fahrenheit, language 96")
                << 1 << 96 << QString::fromUtf8("Person 501 97点7 华氏度");
    }

    void liveCardSpeaksHistoryDoesNot()
    {
        QFETCH(int, unit);
        QFETCH(int, language);
        QFETCH(QString, expected);
        AppConfigTemperatureUnit record;
        record.nTemperatureUnit = unit;
        QVERIFY(AppConfigHelper::instance()->setTemperatureUnitConfig(record));
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(language));
        // Shown at the first show, as today's history.
        QVERIFY(SnapshotHistory::record(SnapBuilder().onPlatform().registered(502).notification()));
        QSignalSpy queued(SpeechHelper::instance(), &SpeechHelper::speechQueued);

        EpidemicPreview screen;
        screen.setProperty("priviewWinId", Window);
        screen.resize(1280, 800);
        screen.show();
        settle();
        QVERIFY(cardStrip(&screen)->cardCount() > 0);
        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(queued.count(), 0);

        emit VornClient::instance()->signalCompareNotifyReceived(
                SnapBuilder().onPlatform().registered(501).list());
        settle();
        QTRY_COMPARE(queued.count(), 1);
        QCOMPARE(queued.at(0).at(0).toString(), expected);
    }
};

FEVER_TEST_MAIN(TstScreenVoice)
#include "tst_screenvoice.moc"
