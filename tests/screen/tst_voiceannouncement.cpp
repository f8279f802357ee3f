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
        const auto row = [](const char *tag, const StrategyList &strategies,
                            const TempVoiceInfo &info, const QString &expected,
                            const VoiceContext &ctx = context()) {
            QTest::newRow(tag) << strategies << info << ctx << expected;
        };
        const QString silent;

        // Strategy choice.
        const Strategy stranger = namedStranger();
        const StrategyList both{namedRegistry(), stranger};
        row("registered person takes the registry strategy of the group",
            {stranger, namedRegistry()}, alice(), "Alice Marsh");
        row("registered person of an unserved group says nothing despite a stranger strategy",
            {stranger, namedRegistry({3, 4})}, alice(), silent);
        row("stranger takes the stranger strategy", both, visitor(), "Stranger");
        TempVoiceInfo nameOnly = alice();
        nameOnly.archiveGroupId = NoGroup;
        row("a name without a group is a stranger", both, nameOnly, "Stranger");
        TempVoiceInfo groupOnly = alice();
        groupOnly.name.clear();
        row("a group without a name is a stranger", both, groupOnly, "Stranger");
        row("the first registry strategy holding the group wins",
            {namedRegistry(), tweaked(namedRegistry(), [](Strategy &s) { s.set_show_time(On); })},
            alice(), "Alice Marsh");
        row("stranger without a stranger strategy says nothing", {namedRegistry()}, visitor(),
            silent);

        // Weekday and time window.
        const Strategy morning = withRanges(stranger, {{3, "08-00", "09-30"}});
        row("Sunday matches weekday 0", {withRanges(stranger, {{0, "00-00", "24-00"}})}, visitor(),
            "Stranger", context(0));
        row("Sunday never matches weekday 7", {withRanges(stranger, {{7, "00-00", "24-00"}})},
            visitor(), silent, context(0));
        row("another weekday's range does not apply",
            {withRanges(stranger, {{1, "00-00", "24-00"}})}, visitor(), silent, context(2));
        row("start of the window is included", {morning}, visitor(0, "36.5", "08:00:00"),
            "Stranger");
        row("a second before the start is outside", {morning}, visitor(0, "36.5", "07:59:59"),
            silent);
        row("end of the window is included", {morning}, visitor(0, "36.5", "09:30:00"), "Stranger");
        row("a second after the end is outside", {morning}, visitor(0, "36.5", "09:30:01"), silent);
        row("24-00 covers the last second of the day", {stranger}, visitor(0, "36.5", "23:59:59"),
            "Stranger");
        row("a later range of the day matches",
            {withRanges(stranger, {{3, "08-00", "09-00"}, {3, "12-00", "13-00"}})},
            visitor(0, "36.5", "12:30:00"), "Stranger");
        row("a time that is not 8 characters says nothing", {stranger},
            visitor(0, "36.5", "8:15:30"), silent);
        row("a malformed bound does not open the range",
            {withRanges(stranger, {{3, "8h", "09-00"}})}, visitor(0, "36.5", "08:30:00"), silent);
        row("a strategy without ranges says nothing", {withRanges(stranger, {})}, visitor(),
            silent);

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
            row(c.tag, {temperatureOnly(c.type, c.result)},
                alice(c.state, QString::fromLatin1(c.temp)), QString::fromLatin1(c.expected));
        row("show_temperature off says no temperature words",
            {tweaked(temperatureOnly(1, 1), [](Strategy &s) { s.set_show_temperature(Off); })},
            alice(1, "38.2"), silent);
        row("Fahrenheit unit", {temperatureOnly(1, 1)}, alice(1, "100.8"),
            " 100.8 degrees Fahrenheit", context(3, AppTranslationHelper::English, true));
        row("language 96 speaks the point as TK_And", {temperatureOnly(1, 1)}, alice(1, "38.2"),
            QString::fromUtf8(" 38点2 摄氏度"), context(3, AppTranslationHelper::Chinese));
        // The replacement follows the language value 96, not merely "not English".
        row("any other language keeps the point", {temperatureOnly(1, 1)}, alice(1, "38.2"),
            " 38.2 degrees Celsius", context(3, 2));

        // Mask phrase: only with show_mask on, mask status 2 and mask_type 2.
        const auto masked = [](int showMask, int maskType) {
            return StrategyList{tweaked(quiet(Registry, {AliceGroup}), [=](Strategy &s) {
                s.set_show_mask(showMask);
                s.set_mask_type(maskType);
                s.set_mask_content("TK_NoMask");
            })};
        };
        const TempVoiceInfo noMask = alice(0, "36.5", "08:15:30", 2);
        row("mask phrase for no mask", masked(On, 2), noMask, " No mask");
        row("no mask phrase while a mask is worn", masked(On, 2), alice(), silent);
        row("no mask phrase with another mask_type", masked(On, 1), noMask, silent);
        row("no mask phrase with show_mask off", masked(Off, 2), noMask, silent);

        // Verdicts by state.
        const Strategy verdicts = tweaked(quiet(Registry, {AliceGroup}), [](Strategy &s) {
            s.set_temparature_report_enable(On);
            s.set_report_normal_temperature("TK_YouCanPass");
            s.set_report_over_temperature("TK_YouCanNotPassForOverTemperature");
            s.set_report_abnormal_temperature("TK_TestAgainForAbnormalTemperature");
        });
        row("verdict normal", {verdicts}, alice(0), " You may pass");
        row("verdict over-temperature", {verdicts}, alice(1, "38.2"),
            " Temperature too high, you cannot pass");
        row("verdict abnormal", {verdicts}, alice(2, "35.1"),
            " Abnormal temperature, please measure again");

        // Greeting: the two greeting keys are translated, free text is spoken as stored.
        const auto greeting = [](const char *content) {
            return StrategyList{tweaked(quiet(Registry, {AliceGroup}), [=](Strategy &s) {
                s.set_show_content(On);
                s.set_speech_content(content);
            })};
        };
        row("greeting TK_Hello", greeting("TK_Hello"), alice(), " Hello");
        row("greeting TK_VisitorHello", greeting("TK_VisitorHello"), alice(), " Hello, visitor");
        row("greeting free text kept", greeting("Welcome to hall B"), alice(),
            " Welcome to hall B");

        // Name pieces. Free text in the other translated pieces takes the same path as here;
        // each switch off is "every switch off says nothing", each piece on a whole sentence.
        row("stranger content free text", {namedStranger("Visitor")}, visitor(), "Visitor");
        // show_name belongs to registry strategies and report_stranger to the stranger one.
        row("show_name does not name a stranger",
            {tweaked(quiet(Stranger), [](Strategy &s) { s.set_show_name(On); })}, visitor(),
            silent);

        // Whole sentences in their order: name, time, temperature, mask, verdict, greeting.
        const auto everything = [&](Strategy s, int result, const char *content) {
            s.set_show_time(On);
            s.set_show_temperature(On);
            s.set_temperature_type(1);
            s.set_thermometry_result(result);
            s.set_show_mask(On);
            s.set_mask_type(2);
            s.set_mask_content("TK_NoMask");
            s.set_temparature_report_enable(On);
            s.set_report_normal_temperature("TK_YouCanPass");
            s.set_report_over_temperature("TK_YouCanNotPassForOverTemperature");
            s.set_show_content(On);
            s.set_speech_content(content);
            return StrategyList{s};
        };
        row("registry sentence, all pieces", everything(namedRegistry(), 1, "TK_Hello"), noMask,
            "Alice Marsh,08:15:30, 36.5 degrees Celsius No mask You may pass Hello");
        row("stranger sentence, all pieces", everything(stranger, 3, "TK_VisitorHello"),
            visitor(1, "38.2", "23:59:59", 2),
            "Stranger,23:59:59,Over-temperature No mask Temperature too high, you cannot pass "
            "Hello, visitor");
        row("every switch off says nothing", {quiet(Registry, {AliceGroup}), quiet(Stranger)},
            alice(1, "38.2", "08:15:30", 2), silent);
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
