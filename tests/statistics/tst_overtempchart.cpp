#include "SnapBuilder.h"
#include "TestSupport.h"

#include "AlarmHandlingStore.h"
#include "HostTesting.h"
#include "SnapshotHistory.h"

#include "OverTempChartRules.h"
#include "OverTempChartWidget.h"

#include "AppLanguageTr.h"
#include "SNChartView.h"

#include <QLabel>
#include <QTimer>
#include <QtCharts/QLineSeries>

using HourList = OverTempChartRules::HourList;
Q_DECLARE_METATYPE(HourList)
Q_DECLARE_METATYPE(TempAlarmHandleStatisticsList)

// The over-temperature chart: its rules with the platform's numbers, and the widget against the
// stand-in platform's stored handlings.
class TestOverTempChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        const QDateTime now = m_objStoredAt = QDateTime::currentDateTime();
        const int base = std::max(AlarmHandlingStore::maxAlarmId(), 0) + 1;
        // Gate A belongs to Building A Entrance, below North Campus; the warehouse is elsewhere.
        storeHandling(base, snaptest::DefaultChannel, AlarmHandlingStore::HandleFeverRetest, now);
        storeHandling(base + 1, snaptest::DefaultChannel, AlarmHandlingStore::HandleFalseAlarm,
                      now);
        storeHandling(base + 2, snaptest::DefaultChannel, AlarmHandlingStore::HandleOther, now);
        storeHandling(base + 3, QStringLiteral("TC-WAREHOUSE_1"), AlarmHandlingStore::HandleOther,
                      now);
        storeHandling(base + 4, snaptest::DefaultChannel, AlarmHandlingStore::HandleOther,
                      now.addDays(-1));
    }

    // Each load hands the replaced chart to deleteLater.
    void cleanup() { testsupport::flushDeferredDeletes(); }

    void init()
    {
        HostTesting::setAlarmHandleStatisticsAnswer(HostTesting::StatisticsAnswer::Stored);
    }

    void hourList_data()
    {
        QTest::addColumn<TempAlarmHandleStatisticsList>("records");
        QTest::addColumn<HourList>("expected");
        const QString h8 = QStringLiteral("2026-12-07 08");
        const QString h9 = QStringLiteral("2026-12-07 09");
        QTest::newRow("types 0 and 2 count, 1 does not")
                << TempAlarmHandleStatisticsList{{0, 3, h8},
                                                 {1, 5, h8},
                                                 {2, 1, h8},
                                                 {1, 4, h9},
                                                 {2, 2, h9}}
                << HourList{{h8, 4}, {h9, 2}};
        QTest::newRow("an hour of type 1 only keeps its point")
                << TempAlarmHandleStatisticsList{{1, 6, h9}, {0, 1, h8}}
                << HourList{{h9, 0}, {h8, 1}};
        QTest::newRow("unknown types count 0")
                << TempAlarmHandleStatisticsList{{7, 9, h8}, {-1, 9, h8}} << HourList{{h8, 0}};
    }

    void hourList()
    {
        QFETCH(TempAlarmHandleStatisticsList, records);
        QFETCH(HourList, expected);
        HourList hours;
        OverTempChartRules::addRecords(hours, records);
        QCOMPARE(hours, expected);
    }

    void pointX_data()
    {
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<double>("x");
        QTest::newRow("08") << QStringLiteral("2026-12-07 08") << 96.0;
        // Twelve characters or fewer: the whole text is the key; not an hour, so midnight.
        QTest::newRow("short text") << QStringLiteral("2026-12-07 8") << 0.0;
        QTest::newRow("two-digit short text") << QStringLiteral("14") << 168.0;
        QTest::newRow("bad hour") << QStringLiteral("2026-12-07 xx") << 0.0;
    }

    void pointX()
    {
        QFETCH(QString, timeText);
        QFETCH(double, x);
        QCOMPARE(OverTempChartRules::points({{timeText, 5}}), QVector<QPointF>{QPointF(x, 5)});
    }

    void axisTop()
    {
        const QVector<QPair<int, int>> maxToTop{{-2, 5},  {0, 5},     {1, 10},
                                                {9, 10},  {10, 20},   {37, 40},
                                                {40, 50}, {123, 200}, {1999, 2000}};
        for (const auto &row : maxToTop)
            QCOMPARE(OverTempChartRules::axisTop(row.first), row.second);
    }

    void tipAndTiming()
    {
        QCOMPARE(OverTempChartRules::tipText(QPointF(150, 3.9)),
                 QStringLiteral("time: 12:30  num: 3"));
        QCOMPARE(OverTempChartRules::tipText(QPointF(149.6, 0)),
                 QStringLiteral("time: 12:30  num: 0"));
        QCOMPARE(OverTempChartRules::tipPosition({100, 50}, {140, 35}, 400), QPoint(115, 35));
        QCOMPARE(OverTempChartRules::tipPosition({250, 50}, {140, 35}, 400), QPoint(95, 35));
        QCOMPARE(OverTempChartRules::firstRefreshDelayMs(QTime(10, 40, 20)), (19 * 60 + 40) * 1000);
        QCOMPARE(OverTempChartRules::firstRefreshDelayMs(QTime(23, 0, 0)), 3600000);
        const auto labels = OverTempChartRules::xAxisLabels();
        QCOMPARE(labels.size(), 13);
        QCOMPARE(labels.last(), qMakePair(QStringLiteral("24:00"), 288));
    }

    void chartsStoredHandlingsOfOrgaAndBelow()
    {
        const QDateTime now = m_objStoredAt;
        OverTempChartWidget chart;
        chart.addOrgaId(2);
        chart.refreshChart();
        const QPointF hourPoint(now.time().hour() * 12, 2);
        QCOMPARE(shownPoints(chart), QList<QPointF>{hourPoint});

        // A second organisation joins the first in the query; a repeated one is not listed twice.
        chart.addOrgaId(6);
        chart.addOrgaId(2);
        chart.refreshChart();
        const StatisticsQueryOfOrga query = HostTesting::lastAlarmHandleStatisticsQuery();
        QCOMPARE(query.vecOrgaIds, (std::vector<int>{2, 6}));
        QCOMPARE((QVector<int>{query.nTimeUnit, query.nUserId, query.nStatisticsKind,
                               query.nDeviceId, query.nChannelId}),
                 (QVector<int>{1, 7, 3, -99999, -99999}));
        const QString today = now.date().toString(QStringLiteral("yyyy-MM-dd"));
        QCOMPARE(query.strStartTime, today + QStringLiteral(" 00"));
        QVERIFY(query.strEndTime.startsWith(today + QLatin1Char(' ')));
        QCOMPARE(shownPoints(chart), QList<QPointF>{QPointF(hourPoint.x(), 3)});
    }

    void failureAndEmptyAnswerKeepTheChart()
    {
        OverTempChartWidget chart;
        chart.addOrgaId(1);
        const QTime before = QTime::currentTime();
        chart.refreshChart();
        auto *timer = chart.findChild<QTimer *>();
        QVERIFY(timer && timer->isActive());
        // The first refresh waits for the next full hour (the clock may pass a second meanwhile).
        QVERIFY(timer->interval() <= OverTempChartRules::firstRefreshDelayMs(before));
        QVERIFY(timer->interval() >= OverTempChartRules::firstRefreshDelayMs(before) - 1000);
        const QList<QPointF> shown = shownPoints(chart);
        QVERIFY(!shown.isEmpty());

        HostTesting::setAlarmHandleStatisticsAnswer(HostTesting::StatisticsAnswer::Fail);
        chart.refreshChart();
        QCOMPARE(timer->interval(), 3600000);
        const QString failed = AppLanguageTr::translate(QStringLiteral("TK_GetFailed"))
                               + QStringLiteral("platform unreachable");
        QCOMPARE(HostTesting::recentTips(&chart).last(), qMakePair(failed, 3));
        auto *view = chart.findChild<SNChartView *>();
        QVERIFY(!view->chart()->isVisible());
        QCOMPARE(shownPoints(chart), shown);

        HostTesting::setAlarmHandleStatisticsAnswer(HostTesting::StatisticsAnswer::Empty);
        chart.refreshChart();
        QCOMPARE(HostTesting::recentTips(&chart).last(),
                 qMakePair(AppLanguageTr::translate(QStringLiteral("TK_NoRecords")), 1));
        QCOMPARE(shownPoints(chart), shown);
    }

    void hoverShowsTheTip()
    {
        OverTempChartWidget chart;
        chart.resize(400, 300);
        chart.show();
        chart.addOrgaId(1);
        chart.refreshChart();
        auto *view = chart.findChild<SNChartView *>();
        QVERIFY(view);
        auto *series = static_cast<QtCharts::QLineSeries *>(view->chart()->series().first());
        // Called directly, not from the series: nothing shows.
        chart.slotLineSelected(QPointF(150, 4), true);
        QVERIFY(!chart.findChild<QLabel *>());
        emit series->hovered(QPointF(150, 4.5), true);
        auto *tip = chart.findChild<QLabel *>();
        QVERIFY(tip && tip->isVisible());
        QCOMPARE(tip->text(), QStringLiteral("time: 12:30  num: 4"));
        emit series->hovered(QPointF(150, 4.5), false);
        QVERIFY(!tip->isVisible());
    }

private:
    QDateTime m_objStoredAt;
    static QList<QPointF> shownPoints(OverTempChartWidget &chart)
    {
        auto *view = chart.findChild<SNChartView *>();
        if (!view || !view->chart() || view->chart()->series().isEmpty())
            return {};
        return static_cast<QtCharts::QLineSeries *>(view->chart()->series().first())->points();
    }

    static void storeHandling(int alarmId, const QString &channel, int type, const QDateTime &at)
    {
        QVERIFY(SnapshotHistory::record(
                snaptest::SnapBuilder().channel(channel).alarm(alarmId).notification()));
        QCOMPARE(AlarmHandlingStore::save({alarmId, type, QString(), 7, at}),
                 AlarmHandlingStore::SaveResult::Stored);
    }
};

FEVER_TEST_MAIN(TestOverTempChart)
#include "tst_overtempchart.moc"
