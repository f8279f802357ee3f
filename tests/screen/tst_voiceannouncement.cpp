#include "TestSupport.h"

#include "VoiceAnnouncement.h"

#include "AppTranslationHelper.h"

#include <QDate>

#include <functional>

using VoiceAnnouncement::TempVoiceInfo;
using VoiceAnnouncement::VoiceContext;
using Strategy = ST_MSGVoiceBroadcastStrategy;
using StrategyList = std::vector<ST_MSGVoiceBroadcastStrategy>;

Q_DECLARE_METATYPE(TempVoiceInfo)
Q_DECLARE_METATYPE(VoiceContext)

namespace {

constexpr int On = 2;
constexpr int Off = 1;
constexpr int Registry = 1;
constexpr int Stranger = 2;
constexpr int NoGroup = -99999;
constexpr int AliceGroup = 7;

std::vector<VoiceTimeRange> wholeWeek()
{
    std::vector<VoiceTimeRange> ranges;
    for (int day = 0; day < 7; ++day)
        ranges.push_back({day, "00-00", "24-00"});
    return ranges;
}

// Every switch off, speaking all week: rows switch on only what they look at.
Strategy quiet(int recognitionType, std::vector<int> groups = {})
{
    Strategy strategy;
    strategy.set_recognition_type(recognitionType);
    strategy.vecPersonGroupId = std::move(groups);
    strategy.vecTimeRange = wholeWeek();
    return strategy;
}

Strategy tweaked(Strategy strategy, const std::function<void(Strategy &)> &tweak)
{
    tweak(strategy);
    return strategy;
}

// A registry strategy for Alice's group that only speaks the temperature.
Strategy temperatureOnly(int type, int result)
{
    return tweaked(quiet(Registry, {AliceGroup}), [=](Strategy &s) {
        s.set_show_temperature(On);
        s.set_temperature_type(type);
        s.set_thermometry_result(result);
    });
}

Strategy namedRegistry(std::vector<int> groups = {AliceGroup})
{
    return tweaked(quiet(Registry, std::move(groups)), [](Strategy &s) { s.set_show_name(On); });
}

Strategy namedStranger(const char *content = "TK_Stranger")
{
    return tweaked(quiet(Stranger), [=](Strategy &s) {
        s.set_report_stranger(On);
        s.set_report_stranger_content(content);
    });
}

Strategy withRanges(Strategy strategy, std::vector<VoiceTimeRange> ranges)
{
    strategy.vecTimeRange = std::move(ranges);
    return strategy;
}

TempVoiceInfo alice(int state = 0, const QString &temp = QStringLiteral("36.5"),
                    const QString &time = QStringLiteral("08:15:30"), int mask = 1)
{
    return {QStringLiteral("Alice Marsh"), temp, state, time, AliceGroup, mask};
}

TempVoiceInfo visitor(int state = 0, const QString &temp = QStringLiteral("36.5"),
                      const QString &time = QStringLiteral("08:15:30"), int mask = 1)
{
    return {QString(), temp, state, time, NoGroup, mask};
}

VoiceContext context(int weekday = 3, int language = AppTranslationHelper::English,
                     bool fahrenheit = false)
{
    return {weekday, language, fahrenheit};
}

} // namespace

class TstVoiceAnnouncement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(
                AppTranslationHelper::English));
    }

    void cleanupTestCase()
    {
        AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English);
    }

    void weekdayCountsSundayAsZero()
    {
        QCOMPARE(VoiceAnnouncement::weekdayOf(QDate(2024, 6, 2)), 0); // a Sunday
        QCOMPARE(VoiceAnnouncement::weekdayOf(QDate(2024, 6, 3)), 1);
        QCOMPARE(VoiceAnnouncement::weekdayOf(QDate(2024, 6, 8)), 6);
    }

    void announcement_data()
    {
        QTest::addColumn<StrategyList>("strategies");
        QTest::addColumn<TempVoiceInfo>("info");
        QTest::addColumn<VoiceContext>("ctx");
        QTest::addColumn<QString>("expected");

        const Strategy stranger = namedStranger();

        // Strategy choice.
        QTest::newRow("registered person takes the registry strategy of the group")
                << StrategyList{stranger, namedRegistry()} << alice() << context()
                << QStringLiteral("Alice Marsh");
        QTest::newRow("registered person of an unserved group says nothing despite a stranger "
                      "strategy")
                << StrategyList{stranger, namedRegistry({3, 4})} << alice() << context()
                << QString();
        QTest::newRow("stranger takes the stranger strategy")
                << StrategyList{namedRegistry(), stranger} << visitor() << context()
                << QStringLiteral("Stranger");
        QTest::newRow("a name without a group is a stranger")
                << StrategyList{namedRegistry(), stranger}
                << TempVoiceInfo{QStringLiteral("Alice Marsh"),
                                 QStringLiteral("36.5"),
                                 0,
                                 QStringLiteral("08:15:30"),
                                 NoGroup,
                                 1}
                << context() << QStringLiteral("Stranger");
        QTest::newRow("a group without a name is a stranger")
                << StrategyList{namedRegistry(), stranger}
                << TempVoiceInfo{QString(),  QStringLiteral("36.5"),
                                 0,          QStringLiteral("08:15:30"),
                                 AliceGroup, 1}
                << context() << QStringLiteral("Stranger");
        QTest::newRow("the first registry strategy holding the group wins")
                << StrategyList{namedRegistry(),
                                tweaked(namedRegistry(), [](Strategy &s) { s.set_show_time(On); })}
                << alice() << context() << QStringLiteral("Alice Marsh");
        QTest::newRow("stranger without a stranger strategy says nothing")
                << StrategyList{namedRegistry()} << visitor() << context() << QString();
        QTest::newRow("empty strategy list says nothing")
                << StrategyList{} << visitor() << context() << QString();

        // Weekday and time window.
        const Strategy morning = withRanges(stranger, {{3, "08-00", "09-30"}});
        QTest::newRow("Sunday matches weekday 0")
                << StrategyList{withRanges(stranger, {{0, "00-00", "24-00"}})} << visitor()
                << context(0) << QStringLiteral("Stranger");
        QTest::newRow("Sunday never matches weekday 7")
                << StrategyList{withRanges(stranger, {{7, "00-00", "24-00"}})} << visitor()
                << context(0) << QString();
        QTest::newRow("another weekday's range does not apply")
                << StrategyList{withRanges(stranger, {{1, "00-00", "24-00"}})} << visitor()
                << context(2) << QString();
        QTest::newRow("start of the window is included")
                << StrategyList{morning} << visitor(0, "36.5", "08:00:00") << context()
                << QStringLiteral("Stranger");
        QTest::newRow("a second before the start is outside")
                << StrategyList{morning} << visitor(0, "36.5", "07:59:59") << context()
                << QString();
        QTest::newRow("end of the window is included")
                << StrategyList{morning} << visitor(0, "36.5", "09:30:00") << context()
                << QStringLiteral("Stranger");
        QTest::newRow("a second after the end is outside")
                << StrategyList{morning} << visitor(0, "36.5", "09:30:01") << context()
                << QString();
        QTest::newRow("24-00 covers the last second of the day")
                << StrategyList{stranger} << visitor(0, "36.5", "23:59:59") << context()
                << QStringLiteral("Stranger");
        QTest::newRow("a later range of the day matches")
                << StrategyList{withRanges(stranger,
                                           {{3, "08-00", "09-00"}, {3, "12-00", "13-00"}})}
                << visitor(0, "36.5", "12:30:00") << context() << QStringLiteral("Stranger");
        QTest::newRow("a time that is not 8 characters says nothing")
                << StrategyList{stranger} << visitor(0, "36.5", "8:15:30") << context()
                << QString();
        QTest::newRow("a malformed bound does not open the range")
                << StrategyList{withRanges(stranger, {{3, "8h", "09-00"}})}
                << visitor(0, "36.5", "08:30:00") << context() << QString();
        QTest::newRow("a strategy without ranges says nothing")
                << StrategyList{withRanges(stranger, {})} << visitor() << context() << QString();

        // Temperature: type T (1 all, 2 over only, 3 abnormal only) and result R (1 number,
        // 3 verdict) against each state.
        struct TempCase
        {
            const char *tag;
            int type;
            int result;
            int state;
            const char *temp;
            const char *expected;
        };
        const TempCase tempCases[] = {
                {"T1 R1 normal", 1, 1, 0, "36.5", " 36.5 degrees Celsius"},
                {"T1 R1 normal without temperature", 1, 1, 0, "", ""},
                {"T1 R3 normal", 1, 3, 0, "36.5", "Normal temperature"},
                {"T1 R1 over", 1, 1, 1, "38.2", " 38.2 degrees Celsius"},
                {"T1 R3 over", 1, 3, 1, "38.2", "Over-temperature"},
                {"T1 R3 abnormal 2", 1, 3, 2, "35.1", "Abnormal temperature"},
                {"T1 R3 unknown state counts as normal", 1, 3, 9, "36.5", "Normal temperature"},
                {"T1 R2 speaks no temperature", 1, 2, 1, "38.2", ""},
                {"T2 normal", 2, 1, 0, "36.5", ""},
                {"T2 R1 over", 2, 1, 1, "38.2", " 38.2 degrees Celsius"},
                {"T2 abnormal 2", 2, 1, 2, "35.1", ""},
                {"T3 normal", 3, 1, 0, "36.5", ""},
                {"T3 over", 3, 1, 1, "38.2", ""},
                {"T3 R3 abnormal 3", 3, 3, 3, "35.1", "Abnormal temperature"},
        };
        for (const TempCase &c : tempCases)
            QTest::newRow(c.tag) << StrategyList{temperatureOnly(c.type, c.result)}
                                 << alice(c.state, QString::fromLatin1(c.temp)) << context()
                                 << QString::fromLatin1(c.expected);
        QTest::newRow("show_temperature off says no temperature words")
                << StrategyList{tweaked(temperatureOnly(1, 1),
                                        [](Strategy &s) { s.set_show_temperature(Off); })}
                << alice(1, "38.2") << context() << QString();
        QTest::newRow("Fahrenheit unit") << StrategyList{temperatureOnly(1, 1)} << alice(1, "100.8")
                                         << context(3, AppTranslationHelper::English, true)
                                         << QStringLiteral(" 100.8 degrees Fahrenheit");
        QTest::newRow("language 96 speaks the point as TK_And")
                << StrategyList{temperatureOnly(1, 1)} << alice(1, "38.2")
                << context(3, AppTranslationHelper::Chinese) << QString::fromUtf8(" 38点2 摄氏度");
        // The replacement follows the language value 96, not merely "not English".
        QTest::newRow("any other language keeps the point")
                << StrategyList{temperatureOnly(1, 1)} << alice(1, "38.2") << context(3, 2)
                << QStringLiteral(" 38.2 degrees Celsius");

        // Mask phrase: only with show_mask on, mask status 2 and mask_type 2.
        const auto masked = [](int showMask, int maskType, const char *content) {
            return tweaked(quiet(Registry, {AliceGroup}), [=](Strategy &s) {
                s.set_show_mask(showMask);
                s.set_mask_type(maskType);
                s.set_mask_content(content);
            });
        };
        QTest::newRow("mask phrase for no mask")
                << StrategyList{masked(On, 2, "TK_NoMask")} << alice(0, "36.5", "08:15:30", 2)
                << context() << QStringLiteral(" No mask");
        QTest::newRow("mask phrase free text kept")
                << StrategyList{masked(On, 2, "Please wear a mask")}
                << alice(0, "36.5", "08:15:30", 2) << context()
                << QStringLiteral(" Please wear a mask");
        QTest::newRow("no mask phrase while a mask is worn")
                << StrategyList{masked(On, 2, "TK_NoMask")} << alice(0, "36.5", "08:15:30", 1)
                << context() << QString();
        QTest::newRow("no mask phrase with another mask_type")
                << StrategyList{masked(On, 1, "TK_NoMask")} << alice(0, "36.5", "08:15:30", 2)
                << context() << QString();
        QTest::newRow("no mask phrase with show_mask off")
                << StrategyList{masked(Off, 2, "TK_NoMask")} << alice(0, "36.5", "08:15:30", 2)
                << context() << QString();

        // Verdicts by state.
        const Strategy verdicts = tweaked(quiet(Registry, {AliceGroup}), [](Strategy &s) {
            s.set_temparature_report_enable(On);
            s.set_report_normal_temperature("TK_YouCanPass");
            s.set_report_over_temperature("TK_YouCanNotPassForOverTemperature");
            s.set_report_abnormal_temperature("TK_TestAgainForAbnormalTemperature");
        });
        QTest::newRow("verdict normal") << StrategyList{verdicts} << alice(0) << context()
                                        << QStringLiteral(" You may pass");
        QTest::newRow("verdict over-temperature")
                << StrategyList{verdicts} << alice(1, "38.2") << context()
                << QStringLiteral(" Temperature too high, you cannot pass");
        QTest::newRow("verdict abnormal 2")
                << StrategyList{verdicts} << alice(2, "35.1") << context()
                << QStringLiteral(" Abnormal temperature, please measure again");
        QTest::newRow("verdict abnormal 3")
                << StrategyList{verdicts} << alice(3, "35.1") << context()
                << QStringLiteral(" Abnormal temperature, please measure again");
        QTest::newRow("verdict free text kept") << StrategyList{tweaked(verdicts, [](Strategy &s) {
            s.set_report_over_temperature("not OK");
        })} << alice(1, "38.2") << context() << QStringLiteral(" not OK");
        QTest::newRow("verdicts off") << StrategyList{tweaked(
                verdicts, [](Strategy &s) { s.set_temparature_report_enable(Off); })}
                                      << alice(1, "38.2") << context() << QString();

        // Greeting: the two greeting keys are translated, free text is spoken as stored.
        const auto greeting = [](const char *content) {
            return tweaked(quiet(Registry, {AliceGroup}), [=](Strategy &s) {
                s.set_show_content(On);
                s.set_speech_content(content);
            });
        };
        QTest::newRow("greeting TK_Hello") << StrategyList{greeting("TK_Hello")} << alice()
                                           << context() << QStringLiteral(" Hello");
        QTest::newRow("greeting TK_VisitorHello")
                << StrategyList{greeting("TK_VisitorHello")} << alice() << context()
                << QStringLiteral(" Hello, visitor");
        QTest::newRow("greeting free text kept")
                << StrategyList{greeting("Welcome to hall B")} << alice() << context()
                << QStringLiteral(" Welcome to hall B");

        // Name pieces.
        QTest::newRow("stranger content free text")
                << StrategyList{namedStranger("Visitor")} << visitor() << context()
                << QStringLiteral("Visitor");
        QTest::newRow("report_stranger off")
                << StrategyList{tweaked(stranger, [](Strategy &s) { s.set_report_stranger(Off); })}
                << visitor() << context() << QString();
        QTest::newRow("show_name off")
                << StrategyList{tweaked(namedRegistry(), [](Strategy &s) { s.set_show_name(Off); })}
                << alice() << context() << QString();
        // show_name belongs to registry strategies and report_stranger to the stranger one.
        QTest::newRow("show_name does not name a stranger")
                << StrategyList{tweaked(quiet(Stranger), [](Strategy &s) { s.set_show_name(On); })}
                << visitor() << context() << QString();
        QTest::newRow("time piece") << StrategyList{tweaked(
                quiet(Registry, {AliceGroup}), [](Strategy &s) { s.set_show_time(On); })}
                                    << alice() << context() << QStringLiteral(",08:15:30,");

        // Whole sentences in their order: name, time, temperature, mask, verdict, greeting.
        const auto everything = [&](Strategy s) {
            s.set_show_time(On);
            s.set_show_temperature(On);
            s.set_temperature_type(1);
            s.set_show_mask(On);
            s.set_mask_type(2);
            s.set_mask_content("TK_NoMask");
            s.set_temparature_report_enable(On);
            s.set_report_normal_temperature("TK_YouCanPass");
            s.set_report_over_temperature("TK_YouCanNotPassForOverTemperature");
            s.set_show_content(On);
            return s;
        };
        QTest::newRow("registry sentence, all pieces")
                << StrategyList{tweaked(everything(namedRegistry()),
                                        [](Strategy &s) {
                                            s.set_thermometry_result(1);
                                            s.set_speech_content("TK_Hello");
                                        })}
                << alice(0, "36.5", "08:15:30", 2) << context()
                << QStringLiteral("Alice Marsh,08:15:30, 36.5 degrees Celsius No mask You may "
                                  "pass Hello");
        QTest::newRow("stranger sentence, all pieces")
                << StrategyList{tweaked(everything(stranger),
                                        [](Strategy &s) {
                                            s.set_thermometry_result(3);
                                            s.set_speech_content("TK_VisitorHello");
                                        })}
                << visitor(1, "38.2", "23:59:59", 2) << context()
                << QStringLiteral("Stranger,23:59:59,Over-temperature No mask Temperature too "
                                  "high, you cannot pass Hello, visitor");
        QTest::newRow("every switch off says nothing")
                << StrategyList{quiet(Registry, {AliceGroup}), quiet(Stranger)}
                << alice(1, "38.2", "08:15:30", 2) << context() << QString();
    }

    void announcement()
    {
        QFETCH(StrategyList, strategies);
        QFETCH(TempVoiceInfo, info);
        QFETCH(VoiceContext, ctx);
        QFETCH(QString, expected);
        // The catalogue follows the language as the host's would; any language but 96 reads
        // the English one here.
        const int catalogue = ctx.language == AppTranslationHelper::Chinese
                                      ? AppTranslationHelper::Chinese
                                      : AppTranslationHelper::English;
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(catalogue));

        QCOMPARE(VoiceAnnouncement::announcement(strategies, info, ctx), expected);
    }
};

FEVER_TEST_MAIN(TstVoiceAnnouncement)
#include "tst_voiceannouncement.moc"
