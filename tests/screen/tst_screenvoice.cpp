#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "AppTranslationHelper.h"
#include "HostTesting.h"
#include "RecordingSpeechEngine.h"
#include "SpeechHelper.h"
#include "VoiceStrategyStore.h"

#include <QPushButton>
#include <QSignalSpy>

#include <memory>

namespace {

constexpr int On = 2;
constexpr int AliceGroup = 7;
constexpr int NoGroup = -99999;

std::vector<VoiceTimeRange> wholeWeek()
{
    std::vector<VoiceTimeRange> ranges;
    for (int day = 0; day < 7; ++day)
        ranges.push_back({day, "00-00", "24-00"});
    return ranges;
}

// Registry: "<name> <temp> <unit>"; stranger: "Stranger <temp> <unit>"; all temperatures.
std::vector<ST_MSGVoiceBroadcastStrategy> speakingStrategies(int strategyWindowId)
{
    ST_MSGVoiceBroadcastStrategy stranger;
    stranger.set_window_id(strategyWindowId);
    stranger.set_recognition_type(2);
    stranger.set_report_stranger(On);
    stranger.set_report_stranger_content("TK_Stranger");
    stranger.set_show_temperature(On);
    stranger.set_temperature_type(1);
    stranger.set_thermometry_result(1);
    stranger.vecTimeRange = wholeWeek();

    ST_MSGVoiceBroadcastStrategy registry = stranger;
    registry.set_recognition_type(1);
    registry.set_show_name(On);
    registry.vecPersonGroupId = {AliceGroup};
    return {stranger, registry};
}

// Both strategies match and speak all week, with every switch off.
std::vector<ST_MSGVoiceBroadcastStrategy> silentStrategies(int strategyWindowId)
{
    std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
    for (int type : {2, 1}) {
        ST_MSGVoiceBroadcastStrategy strategy;
        strategy.set_window_id(strategyWindowId);
        strategy.set_recognition_type(type);
        strategy.set_temperature_type(1);
        strategy.set_thermometry_result(1);
        strategy.set_mask_type(2);
        strategy.set_speech_content("TK_Hello");
        strategy.vecPersonGroupId = {AliceGroup};
        strategy.vecTimeRange = wholeWeek();
        strategies.push_back(strategy);
    }
    return strategies;
}

bool storeStrategies(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    for (const ST_MSGVoiceBroadcastStrategy &strategy : strategies) {
        int id = 0;
        if (!VoiceStrategyStore::instance()->add(strategy, id))
            return false;
    }
    return true;
}

// A shown screen of its own window whose strategy list was stored beforehand.
struct VoiceScreen
{
    explicit VoiceScreen(int windowId)
    {
        screen.setProperty("priviewWinId", windowId);
        screen.resize(1280, 800);
        screen.show();
    }

    TempSnapWidget *strip() const
    {
        return screen.findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
    }
    QPushButton *soundButton() const
    {
        return screen.findChild<QPushButton *>(QStringLiteral("pushButtonSound"));
    }
    // A live card's announcement, as the strip relays it.
    void snapshot(const QString &name, const QString &temp, int state = 0,
                  int group = AliceGroup) const
    {
        emit strip()->sendTempInfo(name, temp, state, QStringLiteral("08:15:30"),
                                   name.isEmpty() ? NoGroup : group, 1);
    }

    EpidemicPreview screen;
};

} // namespace

class TstScreenVoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(
                AppTranslationHelper::English));
        QVERIFY(storeStrategies(speakingStrategies(WindowSpeaking + 1)));
        QVERIFY(storeStrategies(silentStrategies(WindowSilent + 1)));
    }

    void init()
    {
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(60000); // a sentence lasts until the test moves on
        m_engine = engine.get();
        HostTesting::setSpeechEngine(std::move(engine));
        AppConfigHelper::instance()->setTemperatureUnitConfig(AppConfigTemperatureUnit());
        AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English);
    }

    void cleanup() { SpeechHelper::instance()->clearList(); }

    void liveSnapshotIsAnnouncedWithUnitAndLanguage_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("registered, Celsius") << 0 << 1 << QStringLiteral("Alice Marsh")
                                             << QStringLiteral("Alice Marsh 38.2 degrees Celsius");
        QTest::newRow("stranger, Fahrenheit")
                << 1 << 1 << QString() << QStringLiteral("Stranger 38.2 degrees Fahrenheit");
        QTest::newRow("registered, language 96") << 0 << 96 << QStringLiteral("Alice Marsh")
                                                 << QString::fromUtf8("Alice Marsh 38点2 摄氏度");
    }

    void liveSnapshotIsAnnouncedWithUnitAndLanguage()
    {
        QFETCH(int, unit);
        QFETCH(int, language);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        AppConfigTemperatureUnit record;
        record.nTemperatureUnit = unit;
        QVERIFY(AppConfigHelper::instance()->setTemperatureUnitConfig(record));
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(language));
        VoiceScreen voice(WindowSpeaking);
        QVERIFY(QTest::qWaitForWindowExposed(&voice.screen));
        QVERIFY(voice.strip());

        voice.snapshot(name, QStringLiteral("38.2"), 1);

        QCOMPARE(SpeechHelper::instance()->pendingSpeech(), QStringList{expected});
        QTRY_COMPARE(m_engine->currentSentence(), expected);
    }

    void everySwitchOffQueuesNothing()
    {
        VoiceScreen voice(WindowSilent);
        QVERIFY(QTest::qWaitForWindowExposed(&voice.screen));
        QSignalSpy queued(SpeechHelper::instance(), &SpeechHelper::speechQueued);
        voice.snapshot(QStringLiteral("Alice Marsh"), QStringLiteral("38.2"), 1);
        voice.snapshot(QString(), QStringLiteral("36.5"), 0);
        QCOMPARE(queued.count(), 0);
        QCOMPARE(SpeechHelper::instance()->pendingCount(), 0);
    }

    void soundOffStopsAndSilencesUntilSwitchedOn()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        VoiceScreen voice(WindowSpeaking);
        QVERIFY(QTest::qWaitForWindowExposed(&voice.screen));
        QPushButton *sound = voice.soundButton();
        QVERIFY(sound);
        QSignalSpy queued(speech, &SpeechHelper::speechQueued);

        voice.snapshot(QStringLiteral("Alice Marsh"), QStringLiteral("38.1"), 1);
        QTRY_VERIFY(m_engine->isSpeaking());
        voice.snapshot(QStringLiteral("Alice Marsh"), QStringLiteral("38.2"), 1);
        QCOMPARE(speech->pendingCount(), 1);

        sound->click();
        QCOMPARE(sound->property("stated").toString(), QStringLiteral("close"));
        QVERIFY(sound->icon().isNull());
        QVERIFY(!m_engine->isSpeaking());
        QCOMPARE(m_engine->stoppedSentences(),
                 QStringList{QStringLiteral("Alice Marsh 38.1 degrees Celsius")});
        QCOMPARE(speech->pendingCount(), 0);

        voice.snapshot(QStringLiteral("Alice Marsh"), QStringLiteral("38.3"), 1);
        QCOMPARE(queued.count(), 2);

        sound->click();
        QCOMPARE(sound->property("stated").toString(), QStringLiteral("open"));
        voice.snapshot(QStringLiteral("Alice Marsh"), QStringLiteral("38.4"), 1);
        QTRY_COMPARE(m_engine->currentSentence(),
                     QStringLiteral("Alice Marsh 38.4 degrees Celsius"));
        // Only the first and the last were ever handed to the voice.
        QCOMPARE(m_engine->spokenSentences(), QStringList({"Alice Marsh 38.1 degrees Celsius",
                                                           "Alice Marsh 38.4 degrees Celsius"}));
    }

    void burstKeepsOnlyTheNewestWaiting()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        VoiceScreen voice(WindowSpeaking);
        QVERIFY(QTest::qWaitForWindowExposed(&voice.screen));
        voice.snapshot(QStringLiteral("Person 1"), QStringLiteral("36.5"));
        QTRY_VERIFY(m_engine->isSpeaking());
        QSignalSpy dropped(speech, &SpeechHelper::speechDropped);

        for (int i = 2; i <= 8; ++i)
            voice.snapshot(QStringLiteral("Person %1").arg(i), QStringLiteral("36.5"));

        QStringList waiting;
        for (int i = 4; i <= 8; ++i)
            waiting << QStringLiteral("Person %1 36.5 degrees Celsius").arg(i);
        QCOMPARE(speech->pendingSpeech(), waiting);
        QCOMPARE(dropped.count(), 2);
        QCOMPARE(dropped.at(0).at(0).toString(), QStringLiteral("Person 2 36.5 degrees Celsius"));
        QCOMPARE(m_engine->currentSentence(), QStringLiteral("Person 1 36.5 degrees Celsius"));
    }

private:
    static constexpr int WindowSpeaking = 41;
    static constexpr int WindowSilent = 42;
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstScreenVoice)
#include "tst_screenvoice.moc"
