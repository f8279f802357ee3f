#include "TestSupport.h"

#include "CompareNotifyCodec.h"
#include "OrvaneMetaTypes.h"
#include "PlatformPictureStore.h"
#include "PlatformRetention.h"
#include "PlatformStore.h"
#include "QueryHistoricalData.h"
#include "SnapshotHistory.h"

#include <QFile>
#include <QSqlQuery>

namespace {

OrvaneCompareNotifyMessage makeMessage(const QString &time, const QString &channel, qint64 snapId)
{
    OrvaneCompareNotifyMessage message;
    OrvaneSnapFaceInfo &face = message.snapFaceInfo;
    face.snapId = snapId;
    face.faceId = 9007199254740993LL; // not exactly representable as a JSON number
    face.snapTimestampMs = -1234567890123LL;
    face.maskStatus = 2;
    face.age = 41;
    face.gender = 1;
    face.glasses = 3;
    face.faceRect = "10,20,30,40";
    OrvaneSnapTargetSource &source = face.snapTargetSource;
    source.serverUID = "iau-1";
    source.snapDetailImageURL = "snap/" + QString::number(snapId) + ".jpg";
    source.channelUID = channel;
    source.deviceTypeId = 55;
    source.snapTime = time;
    source.skipFlag = 0;
    source.compareResult = 1;
    source.hasTemperature = 1;
    source.temperature = 37.85;
    source.temperatureState = 1;
    source.overTempListFlag = 1;
    source.alarmId = 777;

    CompareInfo match;
    match.archiveImage.archiveId = 12;
    match.archiveImage.archiveGroupId = 3;
    match.archiveImage.url = "archive/12.jpg";
    match.archiveImage.imageName = "12.jpg";
    match.archive.set_id(12);
    match.archive.set_name(QString::fromUtf8("<b>Zh\xc4\x81ng</b>"));
    match.archive.set_group_id(3);
    match.archive.set_gender(2);
    match.archive.set_image_url("archive/12-full.jpg");
    match.matchFlag = 1;
    match.score = 0.8765f;
    match.libraryId = 4;
    message.compareInfoVec.push_back(match);
    CompareInfo stranger;
    message.compareInfoVec.push_back(stranger);
    return message;
}

QStringList timesOf(const OrvaneCompareNotifyMessageList &list)
{
    QStringList times;
    for (const OrvaneCompareNotifyMessage &message : list)
        times << message.snapFaceInfo.snapTargetSource.snapTime;
    return times;
}

void compareMessages(const OrvaneCompareNotifyMessage &a, const OrvaneCompareNotifyMessage &b)
{
    const OrvaneSnapFaceInfo &fa = a.snapFaceInfo;
    const OrvaneSnapFaceInfo &fb = b.snapFaceInfo;
    QCOMPARE(fb.snapId, fa.snapId);
    QCOMPARE(fb.faceId, fa.faceId);
    QCOMPARE(fb.snapTimestampMs, fa.snapTimestampMs);
    QCOMPARE(fb.maskStatus, fa.maskStatus);
    QCOMPARE(fb.age, fa.age);
    QCOMPARE(fb.gender, fa.gender);
    QCOMPARE(fb.glasses, fa.glasses);
    QCOMPARE(fb.faceRect, fa.faceRect);
    const OrvaneSnapTargetSource &sa = fa.snapTargetSource;
    const OrvaneSnapTargetSource &sb = fb.snapTargetSource;
    QCOMPARE(sb.serverUID, sa.serverUID);
    QCOMPARE(sb.snapDetailImageURL, sa.snapDetailImageURL);
    QCOMPARE(sb.channelUID, sa.channelUID);
    QCOMPARE(sb.deviceTypeId, sa.deviceTypeId);
    QCOMPARE(sb.snapTime, sa.snapTime);
    QCOMPARE(sb.skipFlag, sa.skipFlag);
    QCOMPARE(sb.compareResult, sa.compareResult);
    QCOMPARE(sb.hasTemperature, sa.hasTemperature);
    QCOMPARE(sb.temperature, sa.temperature);
    QCOMPARE(sb.temperatureState, sa.temperatureState);
    QCOMPARE(sb.overTempListFlag, sa.overTempListFlag);
    QCOMPARE(sb.alarmId, sa.alarmId);
    QCOMPARE(b.compareInfoVec.size(), a.compareInfoVec.size());
    for (std::size_t i = 0; i < a.compareInfoVec.size(); ++i) {
        const CompareInfo &ca = a.compareInfoVec[i];
        const CompareInfo &cb = b.compareInfoVec[i];
        QCOMPARE(cb.archiveImage.archiveId, ca.archiveImage.archiveId);
        QCOMPARE(cb.archiveImage.archiveGroupId, ca.archiveImage.archiveGroupId);
        QCOMPARE(cb.archiveImage.url, ca.archiveImage.url);
        QCOMPARE(cb.archiveImage.imageName, ca.archiveImage.imageName);
        QCOMPARE(cb.archive.get_id(), ca.archive.get_id());
        QCOMPARE(cb.archive.get_name(), ca.archive.get_name());
        QCOMPARE(cb.archive.get_group_id(), ca.archive.get_group_id());
        QCOMPARE(cb.archive.get_gender(), ca.archive.get_gender());
        QCOMPARE(cb.archive.get_image_url(), ca.archive.get_image_url());
        QCOMPARE(cb.matchFlag, ca.matchFlag);
        QCOMPARE(cb.score, ca.score);
        QCOMPARE(cb.libraryId, ca.libraryId);
    }
}

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
}

} // namespace

class TestSnapshotHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void everyFieldSurvivesTheStore();
    void timeWindowAndChannelFilter_data();
    void timeWindowAndChannelFilter();
    void newestCountAndPurge();
    void malformedTimesAreRefused();
    void survivesReopen();
    void damagedRowIsSkipped();
    void queryDeliversDuringSynchronousCall();
    void queryAsynchronousAndMalformed();
    void retentionSweepsOldSnapshotsAndTheirPictures();
};

void TestSnapshotHistory::initTestCase()
{
    testsupport::installWarningGuard();
    orvane::registerMetaTypes();
}

void TestSnapshotHistory::init()
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

void TestSnapshotHistory::everyFieldSurvivesTheStore()
{
    const OrvaneCompareNotifyMessageList found = SnapshotHistory::query(
            at("2026-12-06 08:00:00"), at("2026-12-06 08:00:00"), {"dev1_1"});
    QCOMPARE(found.size(), std::size_t(1));
    compareMessages(makeMessage("2026-12-06 08:00:00", "dev1_1", 1), found.front());

    OrvaneCompareNotifyMessage empty;
    OrvaneCompareNotifyMessage decoded = makeMessage("2026-01-01 00:00:00", "x_1", 5);
    QVERIFY(CompareNotifyCodec::decode(CompareNotifyCodec::encode(empty), decoded));
    compareMessages(empty, decoded);
}

void TestSnapshotHistory::timeWindowAndChannelFilter_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("channels");
    QTest::addColumn<QStringList>("times");

    const QStringList all{"dev1_1", "dev1_2", "dev2_1"};
    QTest::newRow("today, all channels, ends included")
            << "2026-12-06 00:00:00"
            << "2026-12-06 23:59:59" << all
            << QStringList{"2026-12-06 00:00:00", "2026-12-06 08:00:00", "2026-12-06 12:30:00",
                           "2026-12-06 23:59:59"};
    QTest::newRow("one channel") << "2026-12-05 00:00:00"
                                 << "2026-12-07 00:00:00" << QStringList{"dev1_1"}
                                 << QStringList{"2026-12-05 23:59:59", "2026-12-06 08:00:00",
                                                "2026-12-06 23:59:59"};
    QTest::newRow("channel must match exactly")
            << "2026-12-05 00:00:00"
            << "2026-12-07 00:00:00" << QStringList{"dev1_", "DEV2_1", "dev2_1 "} << QStringList{};
    QTest::newRow("no channels selects nothing")
            << "2026-12-05 00:00:00"
            << "2026-12-07 00:00:00" << QStringList{} << QStringList{};
    QTest::newRow("window after everything") << "2026-12-07 00:00:00"
                                             << "2026-12-07 10:00:00" << all << QStringList{};
    QTest::newRow("reversed window") << "2026-12-06 23:00:00"
                                     << "2026-12-06 01:00:00" << all << QStringList{};
}

void TestSnapshotHistory::timeWindowAndChannelFilter()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QStringList, channels);
    QFETCH(QStringList, times);
    bool ok = false;
    QCOMPARE(timesOf(SnapshotHistory::query(at(start), at(end), channels, 0, &ok)), times);
    QVERIFY(ok);

    // The same through the platform query, delivered during the call.
    QueryHistoricalData query;
    QSignalSpy spy(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived);
    QVERIFY(query.reqSnapHistoryData({start, end, channels}, false));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(timesOf(spy.first().first().value<OrvaneCompareNotifyMessageList>()), times);
}

void TestSnapshotHistory::newestCountAndPurge()
{
    const QStringList all{"dev1_1", "dev1_2", "dev2_1"};
    QCOMPARE(timesOf(SnapshotHistory::query(at("2026-12-01 00:00:00"), at("2026-12-31 00:00:00"),
                                            all, 2)),
             (QStringList{"2026-12-06 12:30:00", "2026-12-06 23:59:59"}));
    QCOMPARE(SnapshotHistory::removeOlderThan(at("2026-12-06 08:00:00")), 2);
    QCOMPARE(timesOf(SnapshotHistory::query(at("2026-12-01 00:00:00"), at("2026-12-31 00:00:00"),
                                            all)),
             (QStringList{"2026-12-06 08:00:00", "2026-12-06 12:30:00", "2026-12-06 23:59:59"}));
}

void TestSnapshotHistory::malformedTimesAreRefused()
{
    for (const QString &time : {QString(), QString("2026-12-06"), QString("2026-13-01 10:00:00"),
                                QString("2026-12-06T10:00:00"), QString("06.12.2026 10:00:00"),
                                QString("2026-12-06 25:00:00")}) {
        QVERIFY2(!SnapshotHistory::record(makeMessage(time, "dev1_1", 9)), qPrintable(time));
    }
    QCOMPARE(SnapshotHistory::count(), 5); // nothing stored is lost either
}

void TestSnapshotHistory::survivesReopen()
{
    PlatformStore::instance()->close();
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(SnapshotHistory::count(), 5);
    const auto found = SnapshotHistory::query(at("2026-12-06 12:30:00"), at("2026-12-06 12:30:00"),
                                              {"dev2_1"});
    QCOMPARE(found.size(), std::size_t(1));
    compareMessages(makeMessage("2026-12-06 12:30:00", "dev2_1", 3), found.front());
}

void TestSnapshotHistory::damagedRowIsSkipped()
{
    QSqlQuery sql(PlatformStore::instance()->database());
    QVERIFY(sql.exec("INSERT INTO snapshot_history (snap_time, channel_uid, payload)"
                     " VALUES ('2026-12-06 09:00:00', 'dev1_1', 'not json')"));
    QCOMPARE(timesOf(SnapshotHistory::query(at("2026-12-06 00:00:00"), at("2026-12-06 10:00:00"),
                                            {"dev1_1"})),
             QStringList{"2026-12-06 08:00:00"});
}

void TestSnapshotHistory::queryDeliversDuringSynchronousCall()
{
    // The screen deletes the query object as soon as the call returns, so a synchronous
    // request must have emitted by then.
    auto *query = new QueryHistoricalData;
    QSignalSpy spy(query, &QueryHistoricalData::signalHistoryCompareNotifyReceived);
    ReqSnapDataParam param;
    param.strStartTime = "2026-12-06 00:00:00";
    param.strEndTime = "2026-12-06 23:59:59";
    param.strChannelUIDList = QStringList{"dev1_1"};
    QVERIFY(query->reqSnapHistoryData(param, false));
    QCOMPARE(spy.size(), 1);
    delete query;
    QCoreApplication::processEvents();
    QCOMPARE(spy.size(), 1);
}

void TestSnapshotHistory::queryAsynchronousAndMalformed()
{
    QueryHistoricalData query;
    QSignalSpy spy(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived);
    QVERIFY(query.reqSnapHistoryData({"2026-12-06 00:00:00", "2026-12-06 23:59:59", {"dev2_1"}},
                                     true));
    QCOMPARE(spy.size(), 0);
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(timesOf(spy.first().first().value<OrvaneCompareNotifyMessageList>()),
             QStringList{"2026-12-06 12:30:00"});

    QVERIFY(!query.reqSnapHistoryData({"today", "2026-12-06 23:59:59", {"dev2_1"}}, false));
    QVERIFY(!query.reqSnapHistoryData({"2026-12-06 00:00:00", "", {"dev2_1"}}, true));
    QTest::qWait(20);
    QCOMPARE(spy.size(), 1);

    // An asynchronous answer never reaches a query object that is gone (ASan would report
    // the use after free).
    auto *gone = new QueryHistoricalData;
    QVERIFY(gone->reqSnapHistoryData({"2026-12-06 00:00:00", "2026-12-06 23:59:59", {"dev2_1"}},
                                     true));
    delete gone;
    QTest::qWait(20);
}

void TestSnapshotHistory::retentionSweepsOldSnapshotsAndTheirPictures()
{
    QVERIFY(SnapshotHistory::removeOlderThan(at("9999-12-31 23:59:59")) >= 0);
    const QDateTime now = QDateTime::currentDateTime();
    const QString old = now.addDays(-8).toString(SnapshotHistory::TimeFormat);
    const QString recent = now.addDays(-6).toString(SnapshotHistory::TimeFormat);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const auto stored = [&picture](const QString &name, const QDateTime &written) {
        QFile file(PlatformPictureStore::absolutePath(PlatformPictureStore::store(name, picture)));
        return file.open(QIODevice::ReadWrite)
               && file.setFileTime(written, QFileDevice::FileModificationTime);
    };

    // Three old snapshots, one of them sharing its picture name with a newer write, and one
    // inside the period; every one names the same face library picture.
    for (int i = 1; i <= 3; ++i) {
        OrvaneCompareNotifyMessage message = makeMessage(old, "dev1_1", 100 + i);
        message.snapFaceInfo.snapTargetSource.snapDetailImageURL =
                QString("days/old/%1.jpg").arg(i);
        QVERIFY(SnapshotHistory::record(message));
        QVERIFY(stored(QString("days/old/%1.jpg").arg(i), now.addDays(i == 3 ? 0 : -8)));
    }
    OrvaneCompareNotifyMessage kept = makeMessage(recent, "dev1_1", 200);
    kept.snapFaceInfo.snapTargetSource.snapDetailImageURL = "days/recent/1.jpg";
    QVERIFY(SnapshotHistory::record(kept));
    QVERIFY(stored("days/recent/1.jpg", now.addDays(-6)));
    QVERIFY(stored("archive/12.jpg", now.addDays(-30)));

    PlatformRetention retention;
    QCOMPARE(retention.retentionDays(), 7);
    QSignalSpy finished(&retention, &PlatformRetention::sweepFinished);
    retention.start();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toInt(), 3);
    QCOMPARE(finished.first().at(1).toInt(), 2);
    QCOMPARE(SnapshotHistory::count(), 1);
    QVERIFY(!PlatformPictureStore::contains("days/old/1.jpg"));
    QVERIFY(!PlatformPictureStore::contains("days/old/2.jpg"));
    QVERIFY(PlatformPictureStore::contains("days/old/3.jpg")); // written again since
    QVERIFY(PlatformPictureStore::contains("days/recent/1.jpg"));
    QVERIFY(PlatformPictureStore::contains("archive/12.jpg"));
}

FEVER_TEST_MAIN(TestSnapshotHistory)
#include "tst_snapshothistory.moc"
