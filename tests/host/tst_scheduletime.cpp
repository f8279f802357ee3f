#include "TestSupport.h"

#include "HostTesting.h"
#include "ScheduleTime.h"
#include "System.h"

// Broadcast time bounds as the voice strategies store them, and the steady second count the
// cards are cleared by.
class TestScheduleTime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void textToSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");
        QTest::newRow("start of day") << "00-00" << 0;
        QTest::newRow("end of day") << "24-00" << 86400;
        QTest::newRow("morning") << "08-30" << 30600;
        // A bound that is not understood must not silently become midnight.
        QTest::newRow("past end of day") << "24-01" << -1;
        QTest::newRow("minute 60") << "12-60" << -1;
        QTest::newRow("colon") << "08:30" << -1;
        QTest::newRow("one-digit hour") << "8-30" << -1;
        QTest::newRow("trailing space") << "08-30 " << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("full-width digits") << QString::fromUtf8("０８-３０") << -1;
    }

    void textToSeconds()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QCOMPARE(ScheduleTime::timeFormatConvert(text), seconds);
    }

    void everyMinuteRoundTrips()
    {
        for (int minute = 0; minute <= 24 * 60; ++minute) {
            const QString text = ScheduleTime::timeFormatConvert(minute * 60);
            QCOMPARE(text.size(), 5);
            QCOMPARE(ScheduleTime::timeFormatConvert(text), minute * 60);
        }
    }

    void secondCountIsSteadyAndAdvances()
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
};

FEVER_TEST_MAIN(TestScheduleTime)
#include "tst_scheduletime.moc"
