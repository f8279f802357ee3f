#include "TestSupport.h"

#include "SnapBuilder.h"

#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "TempSnapItem.h"
#include "TemperatureReading.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <limits>

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr float NoReading = TemperatureReading::NoReading;

} // namespace

// Readings a faulty device may send must become "no reading", never a float conversion out of
// range (undefined behaviour) or an empty temperature that is still announced.
class TstTemperatureReading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(m_dir.isValid());
        m_strPicture = snaptest::writeFacePicture(m_dir.path(), QStringLiteral("face.png"));
    }

    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void readings_data()
    {
        QTest::addColumn<double>("reading");
        QTest::addColumn<float>("expected");
        QTest::addColumn<QString>("cardText"); // with thermometry result 1: the number
        QTest::newRow("body temperature") << 36.5 << 36.5f << QStringLiteral("36.5\u2103");
        // Zero is a reading, announced; anything below is not, however little.
        QTest::newRow("zero") << 0.0 << 0.0f << QStringLiteral("0.0\u2103");
        QTest::newRow("just below zero") << -0.04 << -0.04f << QStringLiteral("...");
        QTest::newRow("lowest") << -100.0 << -100.0f << QStringLiteral("...");
        QTest::newRow("highest") << 200.0 << 200.0f << QStringLiteral("200.0\u2103");
        QTest::newRow("above the highest") << 200.5 << NoReading << QStringLiteral("...");
        QTest::newRow("below the lowest") << -100.5 << NoReading << QStringLiteral("...");
        QTest::newRow("not a number") << Nan << NoReading << QStringLiteral("...");
        QTest::newRow("infinity") << Inf << NoReading << QStringLiteral("...");
        QTest::newRow("minus infinity") << -Inf << NoReading << QStringLiteral("...");
        QTest::newRow("beyond float") << 1e300 << NoReading << QStringLiteral("...");
        QTest::newRow("beyond float, negative") << -1e300 << NoReading << QStringLiteral("...");
    }

    void readings()
    {
        QFETCH(double, reading);
        QFETCH(float, expected);
        QFETCH(QString, cardText);
        QCOMPARE(TemperatureReading::toFloat(reading), expected);

        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.set_thermometry_result(1);
        TempSnapItem card(snaptest::SnapBuilder()
                                  .picture(m_strPicture)
                                  .temperature(reading)
                                  .announce()
                                  .record(),
                          nullptr, 330, 143, strategy, false);
        QSignalSpy announced(&card, &TempSnapItem::sendTempInfo);
        QCOMPARE(card.findChild<QLabel *>(QStringLiteral("labelTemp"))->text(), cardText);
        // Three times the delay: long enough for a wrongly sent announcement to show up.
        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(announced.count(), expected >= 0.0f ? 1 : 0);
    }

private:
    QTemporaryDir m_dir;
    QString m_strPicture;
};

FEVER_TEST_MAIN(TstTemperatureReading)
#include "tst_temperaturereading.moc"
