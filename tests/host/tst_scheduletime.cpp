#include "TestSupport.h"

#include "HostTesting.h"
#include "ScheduleTime.h"
#include "System.h"

// Schedule bounds in both directions, and the small system utilities the screens rely on.
class TestScheduleTime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void textToSeconds_data();
    void textToSeconds();
    void secondsToText_data();
    void secondsToText();
    void everyMinuteRoundTrips();

    void aiDetectTypes_data();
    void aiDetectTypes();
    void secondCountIsSteadyAndAdvances();
};

void TestScheduleTime::initTestCase()
{
    testsupport::installWarningGuard();
}

void TestScheduleTime::textToSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("start of day") << "00-00" << 0;
    QTest::newRow("end of day") << "24-00" << 86400;
    QTest::newRow("last minute") << "23-59" << 86340;
    QTest::newRow("morning") << "08-30" << 30600;
    QTest::newRow("noon") << "12-00" << 43200;
    QTest::newRow("past end of day") << "24-01" << -1;
    QTest::newRow("hour 25") << "25-00" << -1;
    QTest::newRow("minute 60") << "12-60" << -1;
    QTest::newRow("colon") << "08:30" << -1;
    QTest::newRow("one-digit hour") << "8-30" << -1;
    QTest::newRow("three-digit minute") << "08-300" << -1;
    QTest::newRow("no separator") << "0830" << -1;
    QTest::newRow("letters") << "ab-cd" << -1;
    QTest::newRow("leading space") << " 08-30" << -1;
    QTest::newRow("trailing space") << "08-30 " << -1;
    QTest::newRow("negative") << "-1-00" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("full-width digits") << QString::fromUtf8("０８-３０") << -1;
}

void TestScheduleTime::textToSeconds()
{
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(ScheduleTime::timeFormatConvert(text), seconds);
}

void TestScheduleTime::secondsToText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start of day") << 0 << "00-00";
    QTest::newRow("end of day") << 86400 << "24-00";
    QTest::newRow("last minute") << 86340 << "23-59";
    QTest::newRow("seconds dropped") << 30659 << "08-30";
    QTest::newRow("last second") << 86399 << "23-59";
    QTest::newRow("negative") << -1 << "";
    QTest::newRow("past end of day") << 86401 << "";
}

void TestScheduleTime::secondsToText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(ScheduleTime::timeFormatConvert(seconds), text);
}

void TestScheduleTime::everyMinuteRoundTrips()
{
    for (int minute = 0; minute <= 24 * 60; ++minute) {
        const QString text = ScheduleTime::timeFormatConvert(minute * 60);
        QCOMPARE(text.size(), 5);
        QCOMPARE(ScheduleTime::timeFormatConvert(text), minute * 60);
    }
}

void TestScheduleTime::aiDetectTypes_data()
{
    QTest::addColumn<int>("aiDetect");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("held");
    const int fiveAndTwo = System::aiDetectValue({5, 2});
    QTest::newRow("held type") << fiveAndTwo << 5 << true;
    QTest::newRow("other held type") << fiveAndTwo << 2 << true;
    QTest::newRow("neighbour not held") << fiveAndTwo << 4 << false;
    QTest::newRow("unset value") << -99999 << 5 << false;
    QTest::newRow("zero holds nothing") << 0 << 0 << false;
    QTest::newRow("type out of range") << -1 << 31 << false;
    QTest::newRow("negative type") << fiveAndTwo << -1 << false;
    QTest::newRow("highest type") << System::aiDetectValue({30}) << 30 << true;
}

void TestScheduleTime::aiDetectTypes()
{
    QFETCH(int, aiDetect);
    QFETCH(int, type);
    QFETCH(bool, held);
    QCOMPARE(System::isHaveTheAIdetectType(aiDetect, type), held);
}

void TestScheduleTime::secondCountIsSteadyAndAdvances()
{
    const qint64 first = System::getSecondCount();
    QVERIFY(first > 0);
    HostTesting::advanceSecondCount(90);
    const qint64 advanced = System::getSecondCount();
    HostTesting::advanceSecondCount(-90);
    // A second may tick over between the readings.
    QVERIFY(advanced - first >= 90 && advanced - first <= 91);
    QVERIFY(System::getSecondCount() >= first);
}

FEVER_TEST_MAIN(TestScheduleTime)
#include "tst_scheduletime.moc"
