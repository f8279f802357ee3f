#include "TestSupport.h"

#include "FaultNotices.h"

#include <QSignalSpy>
#include <QTimer>

namespace {

// "<ms> <kind> fail|ok" reports, or "<ms> tick" for the timer's delivery.
struct Step
{
    qint64 at = 0;
    bool tick = false;
    FaultNotices::Kind kind = FaultNotices::Store;
    bool failing = false;
};

Step parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    Step step;
    step.at = parts.at(0).toLongLong();
    step.tick = parts.at(1) == QLatin1String("tick");
    if (!step.tick) {
        step.kind =
                parts.at(1) == QLatin1String("speech") ? FaultNotices::Speech : FaultNotices::Store;
        step.failing = parts.at(2) == QLatin1String("fail");
    }
    return step;
}

} // namespace

// When the operator is told about a fault: once as it starts, once as it ends, at most once a
// minute per kind, and late rather than never.
class TstFaultNotices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void tipsFollowTheFaults_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("tips"); // "<ms> <key> <tip kind>"

        QTest::newRow("start and end")
                << QStringList{"0 store fail", "120000 store ok"}
                << QStringList{"0 TK_StoreFailed 2", "120000 TK_StoreRecovered 1"};
        QTest::newRow("repeated failures tell once")
                << QStringList{"0 store fail", "1000 store fail", "90000 store fail"}
                << QStringList{"0 TK_StoreFailed 2"};
        QTest::newRow("quick recovery is told when the minute is over")
                << QStringList{"0 store fail", "10000 store ok", "59999 tick", "60000 tick"}
                << QStringList{"0 TK_StoreFailed 2", "60000 TK_StoreRecovered 1"};
        QTest::newRow("flapping within the minute adds nothing")
                << QStringList{"0 store fail", "10000 store ok", "20000 store fail", "60000 tick"}
                << QStringList{"0 TK_StoreFailed 2"};
        QTest::newRow("a fault that came and went unseen is not told")
                << QStringList{"0 store fail", "70000 store ok", "80000 store fail",
                               "90000 store ok", "130000 tick"}
                << QStringList{"0 TK_StoreFailed 2", "70000 TK_StoreRecovered 1"};
        QTest::newRow("kinds are counted apart")
                << QStringList{"0 store fail", "1000 speech fail", "2000 speech ok", "61000 tick"}
                << QStringList{"0 TK_StoreFailed 2", "1000 TK_SpeechUnavailable 2",
                               "61000 TK_SpeechRecovered 1"};
        QTest::newRow("recovery without a failure") << QStringList{"0 store ok"} << QStringList{};
    }

    void tipsFollowTheFaults()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, tips);
        FaultNotices notices;
        qint64 now = 0;
        notices.setClock([&now] { return now; });
        QStringList shown;
        connect(&notices, &FaultNotices::tip, this, [&](const QString &key, int kind) {
            shown << QStringLiteral("%1 %2 %3").arg(now).arg(key).arg(kind);
        });

        for (const QString &text : qAsConst(steps)) {
            const Step step = parse(text);
            now = step.at;
            if (step.tick)
                notices.deliverDue();
            else
                notices.report(step.kind, step.failing);
        }
        QCOMPARE(shown, tips);
    }

    void heldBackTipIsScheduledForTheEndOfTheMinute()
    {
        FaultNotices notices;
        qint64 now = 0;
        notices.setClock([&now] { return now; });
        QTimer *timer = notices.findChild<QTimer *>();
        QVERIFY(timer);

        notices.report(FaultNotices::Transfer, true);
        QVERIFY(!timer->isActive());
        now = 10000;
        notices.report(FaultNotices::Transfer, false);
        // Without the timer nobody would call deliverDue, and the recovery would go untold.
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), int(FaultNotices::MinTipIntervalMs - 10000));
    }
};

FEVER_TEST_MAIN(TstFaultNotices)
#include "tst_faultnotices.moc"
