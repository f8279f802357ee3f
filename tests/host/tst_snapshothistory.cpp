#include "SnapBuilder.h"
#include "TestSupport.h"

#include "CompareNotifyCodec.h"
#include "OrvaneMetaTypes.h"
#include "PlatformPictureStore.h"
#include "PlatformRetention.h"
#include "PlatformStore.h"
#include "SnapshotHistory.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

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
// screen reads survives, the time window and channel filter, how the query answers, the retention
// sweep and a store an earlier version wrote.
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

    // The platform query that reads it for the screen is tst_comparenotifyfilter's.
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
    }

    void retentionSweepsOldSnapshotsAndTheirPictures()
    {
        QVERIFY(SnapshotHistory::removeOlderThan(at("9999-12-31 23:59:59")) >= 0);
        const QDateTime now = QDateTime::currentDateTime();
        const QImage picture = snaptest::facePicture(8, 8);
        const auto stored = [&picture](const QString &name, const QDateTime &written) {
            QFile file(
                    PlatformPictureStore::absolutePath(PlatformPictureStore::store(name, picture)));
            return file.open(QIODevice::ReadWrite)
                   && file.setFileTime(written, QFileDevice::FileModificationTime);
        };
        // Three snapshots older than the seven days kept and one inside them, each with its own
        // picture; the third old picture was written again since, and every snapshot names the
        // same face library picture, which is older still.
        const auto recordAt = [&now](int days, int snapId, const QString &name) {
            OrvaneCompareNotifyMessage message = makeMessage(
                    now.addDays(-days).toString(SnapshotHistory::TimeFormat), "dev1_1", snapId);
            message.snapFaceInfo.snapTargetSource.snapDetailImageURL = name;
            return SnapshotHistory::record(message);
        };
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(recordAt(8, 100 + i, QString("days/old/%1.jpg").arg(i)));
            QVERIFY(stored(QString("days/old/%1.jpg").arg(i), now.addDays(i == 3 ? 0 : -8)));
        }
        QVERIFY(recordAt(6, 200, "days/recent/1.jpg"));
        QVERIFY(stored("days/recent/1.jpg", now.addDays(-6)));
        QVERIFY(stored("archive/12.jpg", now.addDays(-30)));

        PlatformRetention retention;
        QCOMPARE(retention.retentionDays(), 7);
        QSignalSpy finished(&retention, &PlatformRetention::sweepFinished);
        retention.start();
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.first().at(0).toInt(), 3); // rows
        QCOMPARE(finished.first().at(1).toInt(), 2); // pictures
        QCOMPARE(SnapshotHistory::count(), 1);
        QVERIFY(!PlatformPictureStore::contains("days/old/1.jpg"));
        QVERIFY(!PlatformPictureStore::contains("days/old/2.jpg"));
        QVERIFY(PlatformPictureStore::contains("days/old/3.jpg"));
        QVERIFY(PlatformPictureStore::contains("days/recent/1.jpg"));
        QVERIFY(PlatformPictureStore::contains("archive/12.jpg"));
    }

    void storeOfAnEarlierVersionIsFiltered()
    {
        // A store whose table has no columns to filter on yet, holding an over-temperature alarm
        // of a registered person and a stranger of normal temperature.
        PlatformStore *store = PlatformStore::instance();
        const QString folder = store->configFolder();
        QTemporaryDir earlier;
        store->setConfigFolder(earlier.path());
        const OrvaneCompareNotifyMessage alarm = makeMessage("2026-12-06 08:00:00", "dev1_1", 1);
        const OrvaneCompareNotifyMessage stranger = snaptest::SnapBuilder()
                                                            .snapId(2)
                                                            .channel("dev1_1")
                                                            .at(QString("2026-12-06 09:00:00"))
                                                            .stranger()
                                                            .notification();
        {
            QSqlQuery query(store->database());
            QVERIFY(query.exec("CREATE TABLE snapshot_history (id INTEGER PRIMARY KEY"
                               " AUTOINCREMENT, snap_time TEXT NOT NULL, channel_uid TEXT NOT"
                               " NULL, payload BLOB NOT NULL)"));
            QVERIFY(query.prepare("INSERT INTO snapshot_history (snap_time, channel_uid, payload)"
                                  " VALUES (?, 'dev1_1', ?)"));
            for (const OrvaneCompareNotifyMessage &message : {alarm, stranger}) {
                query.addBindValue(message.snapFaceInfo.snapTargetSource.snapTime);
                query.addBindValue(CompareNotifyCodec::encode(message));
                QVERIFY(query.exec());
            }
        }

        // Without the columns filled from the payloads, every filtered query would fail or find
        // nothing, and a screen would start without its history.
        const auto found = [](void (*narrow)(SnapshotHistory::Filter &)) {
            SnapshotHistory::Filter filter;
            narrow(filter);
            QList<qint64> ids;
            for (const OrvaneCompareNotifyMessage &message : SnapshotHistory::query(
                         at("2026-12-06 00:00:00"), at("2026-12-06 23:59:59"), {"dev1_1"}, filter))
                ids.append(message.snapFaceInfo.snapId);
            return ids;
        };
        QCOMPARE(found([](SnapshotHistory::Filter &) {}), (QList<qint64>{1, 2}));
        QCOMPARE(found([](SnapshotHistory::Filter &f) { f.alarmOnly = true; }), QList<qint64>{1});
        QCOMPARE(found([](SnapshotHistory::Filter &f) { f.overTempOnly = true; }),
                 QList<qint64>{1});
        QCOMPARE(found([](SnapshotHistory::Filter &f) { f.registeredOnly = true; }),
                 QList<qint64>{1});
        store->setConfigFolder(folder);
    }
};

FEVER_TEST_MAIN(TestSnapshotHistory)
#include "tst_snapshothistory.moc"
