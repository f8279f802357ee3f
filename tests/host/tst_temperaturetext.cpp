#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "AppConfigTemperatureUnit.h"
#include "ScheduleTime.h"
#include "TemperatureText.h"
#include "VORNClientAIManager.h"

// Every temperature the screen shows or speaks goes through this text, in the user's unit; and
// the broadcast time bounds as the voice strategies store them.
class TestTemperatureText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void cleanup()
    {
        AppConfigHelper::instance()->setTemperatureUnitConfig(AppConfigTemperatureUnit());
    }

    void formats_data()
    {
        QTest::addColumn<float>("celsius");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("withUnit");
        QTest::addColumn<QString>("withoutUnit");

        QTest::newRow("36.5 C") << 36.5f << 0 << QString::fromUtf8("36.5\u2103") << "36.5";
        QTest::newRow("36.5 F") << 36.5f << 1 << QString::fromUtf8("97.7\u2109") << "97.7";
        QTest::newRow("38.26 C one decimal")
                << 38.26f << 0 << QString::fromUtf8("38.3\u2103") << "38.3";
        QTest::newRow("zero F") << 0.0f << 1 << QString::fromUtf8("32.0\u2109") << "32.0";
        // No reading: stays negative in every unit so that readers testing the sign still see it.
        QTest::newRow("negative F") << -1.0f << 1 << QString::fromUtf8("-1.0\u2103") << "-1.0";
        QTest::newRow("tiny negative") << -0.04f << 0 << QString::fromUtf8("-0.1\u2103") << "-0.1";
    }

    void formats()
    {
        QFETCH(float, celsius);
        QFETCH(int, unit);
        QFETCH(QString, withUnit);
        QFETCH(QString, withoutUnit);
        const auto u = TemperatureText::Unit(unit);
        QCOMPARE(TemperatureText::format(celsius, true, u), withUnit);
        QCOMPARE(TemperatureText::format(celsius, false, u), withoutUnit);
    }

    void followsTheUsersUnit()
    {
        const auto text = [](int unit, bool withUnit, bool userUnit) {
            AppConfigTemperatureUnit config;
            config.nTemperatureUnit = unit;
            AppConfigHelper::instance()->setTemperatureUnitConfig(config);
            return VORNClientAIManager::instance()->convertNumberToTemperature(36.5f, withUnit,
                                                                               userUnit);
        };
        QCOMPARE(text(1, true, true), QString::fromUtf8("97.7\u2109"));
        QCOMPARE(text(1, false, true), QString("97.7"));
        QCOMPARE(text(1, true, false), QString::fromUtf8("36.5\u2103")); // user's unit not asked
        QCOMPARE(text(0, true, true), QString::fromUtf8("36.5\u2103"));
        QCOMPARE(text(7, false, true), QString("36.5")); // anything but 1 is Celsius
    }

    void textWithoutUnitReadsBackAsNumber()
    {
        // The card reads the unit-less text back with toFloat to decide whether to announce, and
        // its sign must agree with the sign of the reading.
        for (int unit : {0, 1}) {
            for (int tenth = -500; tenth <= 500; tenth += 7) {
                const float celsius = tenth / 10.0f;
                const QString text =
                        TemperatureText::format(celsius, false, TemperatureText::Unit(unit));
                bool ok = false;
                const float back = text.toFloat(&ok);
                QVERIFY2(ok, qPrintable(text));
                QCOMPARE(back < 0.0f, celsius < 0.0f);
                QCOMPARE(text.section('.', 1).size(), 1);
            }
        }
    }

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
};

FEVER_TEST_MAIN(TestTemperatureText)
#include "tst_temperaturetext.moc"
