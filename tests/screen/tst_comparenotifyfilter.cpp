#include "MessageLog.h"
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "CompareNotifyFilter.h"
#include "FeverValues.h"
#include "SnapHistoryRequest.h"

#include "QueryHistoricalData.h"
#include "SnapshotHistory.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Stranger = FeverValues::NoValue;
const QString GateA = QStringLiteral("TC-GATE-A_1");

// One notification and the window it reaches; rows change only what they look at.
struct Arrival
{
    int deviceType = 20; // thermal types of the bundled scenario: 20 and 21; 1 is a plain camera
    int skip = 0;
    QString channel = GateA;
    bool allChannels = false;
    QStringList selection{GateA};
    int showStranger = FeverValues::SwitchOn; // 0: the window has no strategy
    int recordMode = 1;
    int state = FeverValues::TempStateNormal;
    QList<int> matches{501};
};

Arrival arrival(const std::function<void(Arrival &)> &tweak)
{
    Arrival a;
    tweak(a);
    return a;
}

// Every row of a history test is the only snapshot on record, taken that morning.
const QDateTime Evening(QDate(2026, 3, 5), QTime(19, 8, 9));
const QString Morning = QStringLiteral("2026-03-05 10:00:00");

bool onlySnapshotFound(OrvaneCompareNotifyMessage notify, const ReqSnapDataParam &param)
{
    notify.snapFaceInfo.snapTargetSource.snapTime = Morning;
    if (SnapshotHistory::removeOlderThan(QDateTime(QDate(9999, 1, 1), QTime(0, 0))) < 0
        || !SnapshotHistory::record(notify))
        qFatal("history store not available");
    QueryHistoricalData query;
    QSignalSpy answer(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived);
    if (!query.reqSnapHistoryData(param, false) || answer.size() != 1)
        qFatal("history query failed");
    return !answer.first().first().value<OrvaneCompareNotifyMessageList>().empty();
}

} // namespace

Q_DECLARE_METATYPE(Arrival)

class TestCompareNotifyFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void acceptance_data()
    {
        QTest::addColumn<Arrival>("in");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<bool>("urlLogged");

        const QList<int> none;
        const QList<int> three{501, Stranger, 502};
        QTest::newRow("registered on selected channel") << Arrival() << QList<int>{501} << true;
        QTest::newRow("not a thermal device")
                << arrival([](Arrival &a) { a.deviceType = 1; }) << none << false;
        QTest::newRow("skip marker") << arrival([](Arrival &a) { a.skip = 1; }) << none << false;
        QTest::newRow("channel outside selection")
                << arrival([](Arrival &a) { a.channel = "TC-GATE-B_1"; }) << none << false;
        QTest::newRow("channel differs in case")
                << arrival([](Arrival &a) { a.channel = "tc-gate-a_1"; }) << none << false;
        QTest::newRow("all channels") << arrival([](Arrival &a) {
            a.deviceType = 21;
            a.channel = "TC-GATE-B_1";
            a.allChannels = true;
            a.selection.clear();
        }) << QList<int>{501} << true;
        QTest::newRow("over-temperature only drops normal registered")
                << arrival([](Arrival &a) { a.recordMode = 2; }) << none << true;
        QTest::newRow("over-temperature only keeps over-temperature") << arrival([](Arrival &a) {
            a.recordMode = 2;
            a.state = FeverValues::TempStateOver;
        }) << QList<int>{501} << true;
        QTest::newRow("no match, strangers shown")
                << arrival([](Arrival &a) { a.matches.clear(); }) << QList<int>{Stranger} << true;
        QTest::newRow("no match, strangers hidden") << arrival([](Arrival &a) {
            a.matches.clear();
            a.showStranger = FeverValues::SwitchOff;
        }) << none << true;
        QTest::newRow("no match, no strategy shows strangers") << arrival([](Arrival &a) {
            a.matches.clear();
            a.showStranger = 0;
        }) << QList<int>{Stranger} << true;
        QTest::newRow("three matches, stranger hidden") << arrival([&](Arrival &a) {
            a.matches = three;
            a.showStranger = FeverValues::SwitchOff;
        }) << QList<int>{501, 502} << true;
        QTest::newRow("three matches, stranger shown")
                << arrival([&](Arrival &a) { a.matches = three; }) << three << true;
    }

    void acceptance()
    {
        QFETCH(Arrival, in);
        QFETCH(QList<int>, expected);
        QFETCH(bool, urlLogged);

        snaptest::SnapBuilder notify;
        notify.deviceType(in.deviceType)
                .skip(in.skip)
                .channel(in.channel)
                .state(in.state)
                .noMatch();
        for (int archiveId : in.matches)
            archiveId == Stranger ? notify.stranger() : notify.registered(archiveId);
        IntelligentSnapConfigParam snapSource;
        snapSource.bAllChannel = in.allChannels;
        snapSource.strChannelUIDList = in.selection;
        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.set_show_stranger(in.showStranger);
        strategy.temp_record_mode = in.recordMode;

        MessageLog log;
        const CompareNotifyFilter::Acceptance accepted = CompareNotifyFilter::acceptedMatches(
                notify.notification(), snapSource, in.showStranger != 0 ? &strategy : nullptr);
        QList<int> ids;
        for (const CompareInfo &info : accepted.matches)
            ids.append(info.archiveImage.archiveId);
        QCOMPARE(ids, expected);
        QCOMPARE(log.contains(QStringLiteral("URL:")), urlLogged);
        if (!urlLogged)
            QVERIFY2(log.lines.isEmpty(), qPrintable(log.lines.join('\n')));
        QCOMPARE(accepted.bHiddenWithoutMatch,
                 in.matches.isEmpty() && expected.isEmpty() && urlLogged && in.recordMode != 2);

        // The history a new screen asks for leaves out what the strategy drops (it would take
        // the place of a snapshot the strip shows) and nothing the screen would show.
        const QStringList channels = in.allChannels ? QStringList{in.channel} : in.selection;
        const bool found = onlySnapshotFound(
                notify.notification(),
                SnapHistoryRequest::build(in.showStranger != 0 ? &strategy : nullptr, channels,
                                          QString(), Evening)
                        .strip);
        if (!expected.isEmpty())
            QVERIFY(found);
        else if (urlLogged) // dropped by the strategy alone
            QVERIFY(!found);
    }

    void overTempList_data()
    {
        QTest::addColumn<int>("hasTemperature");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("listFlag");
        QTest::addColumn<QString>("clearTime");
        QTest::addColumn<bool>("expected");

        // Every row's snapshot was taken at 2026-03-05 10:00:00.
        QTest::newRow("never cleared") << 1 << 1 << 1 << QString() << true;
        QTest::newRow("cleared before") << 1 << 1 << 1 << "2026-03-05 09:59:59" << true;
        QTest::newRow("cleared at the same second")
                << 1 << 1 << 1 << "2026-03-05 10:00:00" << false;
        QTest::newRow("no temperature measured") << 0 << 1 << 1 << QString() << false;
        QTest::newRow("normal") << 1 << 0 << 1 << QString() << false;
        QTest::newRow("not flagged for the list") << 1 << 1 << 0 << QString() << false;
        QTest::newRow("unreadable clear time") << 1 << 1 << 1 << "yesterday" << true;
    }

    void overTempList()
    {
        QFETCH(int, hasTemperature);
        QFETCH(int, state);
        QFETCH(int, listFlag);
        QFETCH(QString, clearTime);
        QFETCH(bool, expected);

        OrvaneCompareNotifyMessage notify;
        OrvaneSnapTargetSource &source = notify.snapFaceInfo.snapTargetSource;
        source.snapTime = Morning;
        source.channelUID = GateA;
        source.hasTemperature = hasTemperature;
        source.temperatureState = state;
        source.overTempListFlag = listFlag;
        QCOMPARE(CompareNotifyFilter::belongsInOverTempList(source, clearTime), expected);

        // The platform picks the list's history by the same rule, or the list would start with
        // cards it never takes live (or lack some it does).
        QCOMPARE(onlySnapshotFound(notify,
                                   SnapHistoryRequest::build(nullptr, {GateA}, clearTime, Evening)
                                           .overTempList),
                 expected);
    }

    void pictureFlow_data()
    {
        QTest::addColumn<bool>("hasStrategy");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("thermometryMode");
        QTest::addColumn<bool>("expected");

        QTest::newRow("no strategy") << false << 0 << 0 << true;
        QTest::newRow("display 1, thermometry 1") << true << 1 << 1 << true;
        QTest::newRow("display 1, thermometry 2") << true << 1 << 2 << false;
        QTest::newRow("display 1, thermometry 3") << true << 1 << 3 << true;
        QTest::newRow("display 1, thermometry 4") << true << 1 << 4 << true;
        QTest::newRow("display 2, thermometry 1") << true << 2 << 1 << false;
    }

    void pictureFlow()
    {
        QFETCH(bool, hasStrategy);
        QFETCH(int, displayMode);
        QFETCH(int, thermometryMode);
        QFETCH(bool, expected);

        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.set_display_mode(displayMode);
        strategy.set_thermometry_mode(thermometryMode);
        QCOMPARE(CompareNotifyFilter::showsInPictureFlow(hasStrategy ? &strategy : nullptr),
                 expected);
    }

    void organisationCounting_data()
    {
        QTest::addColumn<QString>("deviceCode");
        QTest::addColumn<QString>("screenCode");
        QTest::addColumn<bool>("expected");

        const auto row = [](const char *tag, const char *device, const char *screen, bool counts) {
            QTest::newRow(tag) << QString(device) << QString(screen) << counts;
        };
        row("same organisation", "001", "001", true);
        row("two levels below", "001001001", "001", true);
        row("parent of the screen's", "001", "001001", false);
        row("sibling", "001002", "001001", false);
        // Holding the code further inside is another branch of the tree, not a child.
        row("code inside another branch", "002001", "001", false);
    }

    void organisationCounting()
    {
        QFETCH(QString, deviceCode);
        QFETCH(QString, screenCode);
        QFETCH(bool, expected);
        QCOMPARE(CompareNotifyFilter::countsForOrganisation(deviceCode, screenCode), expected);
    }

    void historyWindow_data()
    {
        QTest::addColumn<bool>("hasStrategy");
        QTest::addColumn<int>("overTempClear");
        QTest::addColumn<int>("normalClear");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");

        const auto row = [](const char *tag, bool hasStrategy, int overTempClear, int normalClear,
                            const QDateTime &now, const char *start, const char *end) {
            QTest::newRow(tag) << hasStrategy << overTempClear << normalClear << now
                               << QString(start) << QString(end);
        };
        row("no strategy: today so far", false, 0, 0, Evening, "2026-03-05 00:00:00",
            "2026-03-05 19:08:09");
        row("no timed clear", true, -1, -1, Evening, "2026-03-05 00:00:00", "2026-03-05 19:08:09");
        row("normal clear only", true, -1, 120, Evening, "2026-03-05 19:08:09",
            "2026-03-05 19:10:09");
        row("the longer of both", true, 600, 120, Evening, "2026-03-05 19:08:09",
            "2026-03-05 19:18:09");
        row("across midnight", true, 60, 0, QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30)),
            "2026-12-31 23:59:30", "2027-01-01 00:00:30");
        row("morning in 24-hour digits", true, -1, -1, QDateTime(QDate(2026, 1, 2), QTime(7, 5, 3)),
            "2026-01-02 00:00:00", "2026-01-02 07:05:03");
    }

    void historyWindow()
    {
        QFETCH(bool, hasStrategy);
        QFETCH(int, overTempClear);
        QFETCH(int, normalClear);
        QFETCH(QDateTime, now);
        QFETCH(QString, start);
        QFETCH(QString, end);

        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.over_temp_clear_time = overTempClear;
        strategy.normal_temp_clear_time = normalClear;
        const QStringList channels{GateA, QStringLiteral("NVR-NORTH_3")};
        const SnapHistoryRequest::Requests requests =
                SnapHistoryRequest::build(hasStrategy ? &strategy : nullptr, channels,
                                          QStringLiteral("2026-03-05 08:00:00"), now);
        // Never more than the lists can show, from the same window and channels.
        for (const ReqSnapDataParam &param : {requests.strip, requests.overTempList}) {
            QCOMPARE(param.strStartTime, start);
            QCOMPARE(param.strEndTime, end);
            QCOMPARE(param.strChannelUIDList, channels);
            QCOMPARE(param.nMaxCount, 30);
        }
    }
};

FEVER_TEST_MAIN(TestCompareNotifyFilter)

#include "tst_comparenotifyfilter.moc"
