#include "SnapBuilder.h"
#include "TestSupport.h"

#include "OrvaneMetaTypes.h"
#include "PlatformStore.h"
#include "QueryHistoricalData.h"
#include "SnapshotHistory.h"

namespace {

OrvaneCompareNotifyMessage makeMessage(const QString &time, const QString &channel, qint64 snapId)
{
    return snaptest::SnapBuilder()
            .snapId(snapId)
            .server("iau-1")
            .picture("snap/" + QString::number(snapId) + ".jpg")
            .channel(channel)
            .deviceType(55)
            .at(time)
            .state(1)
            .temperature(37.85)
            .alarm(777)
            .mask(2)
            .registered(12, QString::fromUtf8("<b>Zh\xc4\x81ng</b>"), 3, 0.8765f)
            .archivePicture("archive/12.jpg")
            .stranger()
            .notification();
}

QStringList timesOf(const OrvaneCompareNotifyMessageList &list)
{
    QStringList times;
    for (const OrvaneCompareNotifyMessage &message : list)
        times << message.snapFaceInfo.snapTargetSource.snapTime;
    return times;
}

// Every field the screen reads, as text: a field lost or read into another shows as a difference.
QStringList readFields(const OrvaneCompareNotifyMessage &message)
{
    const OrvaneSnapTargetSource &s = message.snapFaceInfo.snapTargetSource;
    QStringList fields{s.serverUID, s.snapDetailImageURL, s.channelUID, s.snapTime};
    for (qint64 number : {message.snapFaceInfo.snapId, qint64(message.snapFaceInfo.maskStatus),
                          qint64(s.deviceTypeId), qint64(s.skipFlag), qint64(s.compareResult),
                          qint64(s.hasTemperature), qint64(s.temperatureState),
                          qint64(s.overTempListFlag), qint64(s.alarmId)})
        fields << QString::number(number);
    fields << QString::number(s.temperature, 'g', 17);
    for (const CompareInfo &match : message.compareInfoVec) {
        fields << QStringLiteral("match %1 %2 %3 %4 %5 %6")
                          .arg(match.archiveImage.archiveId)
                          .arg(match.archiveImage.archiveGroupId)
                          .arg(match.archiveImage.url, match.archive.get_name())
                          .arg(match.matchFlag)
                          .arg(double(match.score), 0, 'g', 9);
    }
    return fields;
}

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
}

} // namespace

// The platform's snapshot history that the screen loads today's cards from: every field the
// screen reads survives, the time window and channel filter, and how the query answers.
class TestSnapshotHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        orvane::registerMetaTypes();
    }

    void init()
    {
        QVERIFY(SnapshotHistory::removeOlderThan(at("9999-12-31 23:59:59")) >= 0);
        QCOMPARE(SnapshotHistory::count(), 0);
        // Recorded out of time order on purpose: queries must sort by snapshot time.
        QVERIFY(SnapshotHistory::record(makeMessage("2026-12-06 08:00:00", "dev1_1", 1)));
        QVERIFY(SnapshotHistory::record(makeMessage("2026-12-05 23:59:59", "dev1_1", 2)));
        QVERIFY(SnapshotHistory::record(makeMessage("2026-12-06 12:30:00", "dev2_1", 3)));
        QCOMPARE(SnapshotHistory::recordAll({makeMessage("2026-12-06 00:00:00", "dev1_2", 4),
                                             makeMessage("2026-12-06 23:59:59", "dev1_1", 5)}),
                 2);
        QCOMPARE(SnapshotHistory::count(), 5);
    }

    void everyFieldSurvivesTheStore()
    {
        PlatformStore::instance()->close();
        QVERIFY(PlatformStore::instance()->reopen());
        QCOMPARE(SnapshotHistory::count(), 5);
        const OrvaneCompareNotifyMessageList found = SnapshotHistory::query(
                at("2026-12-06 08:00:00"), at("2026-12-06 08:00:00"), {"dev1_1"});
        QCOMPARE(found.size(), std::size_t(1));
        QCOMPARE(readFields(found.front()),
                 readFields(makeMessage("2026-12-06 08:00:00", "dev1_1", 1)));
    }

    void timeWindowAndChannelFilter_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("channels");
        QTest::addColumn<QStringList>("times");

        const auto row = [](const char *tag, const char *start, const char *end,
                            const QStringList &channels, const QStringList &times) {
            QTest::newRow(tag) << QString(start) << QString(end) << channels << times;
        };
        const QStringList all{"dev1_1", "dev1_2", "dev2_1"};
        row("today, all channels, ends included", "2026-12-06 00:00:00", "2026-12-06 23:59:59", all,
            {"2026-12-06 00:00:00", "2026-12-06 08:00:00", "2026-12-06 12:30:00",
             "2026-12-06 23:59:59"});
        row("one channel", "2026-12-05 00:00:00", "2026-12-07 00:00:00", {"dev1_1"},
            {"2026-12-05 23:59:59", "2026-12-06 08:00:00", "2026-12-06 23:59:59"});
        row("channel must match exactly", "2026-12-05 00:00:00", "2026-12-07 00:00:00",
            {"dev1_", "DEV2_1", "dev2_1 "}, {});
        row("no channels selects nothing", "2026-12-05 00:00:00", "2026-12-07 00:00:00", {}, {});
        row("reversed window", "2026-12-06 23:00:00", "2026-12-06 01:00:00", all, {});
    }

    void timeWindowAndChannelFilter()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QStringList, channels);
        QFETCH(QStringList, times);
        bool ok = false;
        QCOMPARE(timesOf(SnapshotHistory::query(at(start), at(end), channels, 0, &ok)), times);
        QVERIFY(ok);

        // The same through the platform query, delivered during the call: the screen deletes the
        // query object as soon as the call returns.
        QueryHistoricalData query;
        QSignalSpy spy(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived);
        QVERIFY(query.reqSnapHistoryData({start, end, channels}, false));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(timesOf(spy.first().first().value<OrvaneCompareNotifyMessageList>()), times);
    }
};

FEVER_TEST_MAIN(TestSnapshotHistory)
#include "tst_snapshothistory.moc"
