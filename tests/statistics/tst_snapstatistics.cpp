#include "MessageLog.h"
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "SnapStaticFilterWidget.h"
#include "SnapStatisticRules.h"
#include "SnapStatisticWidget.h"
#include "StatisticsCircle.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage.h"
#include "SNMessageBoxFlowDownWidget.h"
#include "SnapshotHistory.h"
#include "VORNAsyncMessageRecvEvent.h"
#include "VornClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

using Fault = AsyncPlatformService::Fault;

// Scenario channels: a thermal camera of Building A (below North Campus, through the picture
// server) and a channel of the North recorder (through the login server).
const QString CameraChannel = QStringLiteral("TC-GATE-A_1");
const QString RecorderChannel = QStringLiteral("NVR-NORTH_1");
constexpr int NorthCampus = 2;

// Records snapshots in the platform's history as the platform does when it sends them.
void record(const QString &channel, int count, int state = 0, int mask = 1)
{
    const bool recorder = channel == RecorderChannel;
    for (int i = 0; i < count; ++i) {
        snaptest::SnapBuilder snap;
        snap.channel(channel).state(state).mask(mask).server(
                recorder ? snaptest::DefaultServer : QStringLiteral("IAU-SRV-02"));
        QVERIFY(SnapshotHistory::record(snap.notification()));
    }
}

std::vector<Node> orgaNodes()
{
    std::vector<Node> nodes;
    VornClient::instance()->getOrgaNodeList(nodes);
    return nodes;
}

QList<int> reportedTypes(const QSignalSpy &spy)
{
    QList<int> types;
    for (const QList<QVariant> &call : spy)
        types << int(call.at(1).value<ENUM_MSGQueryTimeTempSnapStatisticsType>());
    return types;
}

QString labelText(const SnapStatisticWidget &panel, const char *name)
{
    return panel.findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

// The daily totals: how the panel asks, what it makes of every kind of answer, when it counts
// live snapshots, and the ring's share.
class TestSnapStatistics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(
                QRegularExpression("^FormConfigSetWidget::event respMsg is NULL"));
        HostTesting::setAsyncReplyDelay(20);
    }

    void cleanup() { HostTesting::setAsyncReplyFault(Fault::None); }

    void ringPercentage_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("percent");
        QTest::newRow("1 of 3 rounds up") << 3 << 1 << 34;
        QTest::newRow("2 of 3 rounds down") << 3 << 2 << 66;
        QTest::newRow("1 of 200 is never 0") << 200 << 1 << 1;
        QTest::newRow("199 of 200 is never 100") << 200 << 199 << 99;
        QTest::newRow("7 of 10 exact in float") << 10 << 7 << 70;
        // In double precision 3/10 * 100 is exactly 30; the single-precision quotient is not.
        QTest::newRow("3 of 10 in single precision") << 10 << 3 << 31;
        QTest::newRow("nothing yet") << 0 << 0 << 0;
        QTest::newRow("all") << 5 << 5 << 100;
    }
    void ringPercentage()
    {
        QFETCH(int, total);
        QFETCH(int, part);
        QFETCH(int, percent);
        QCOMPARE(SnapStatisticRules::ringPercentage(total, part), percent);
    }

    // The alternate screen's ring reports the over-temperature count and paints the rest.
    void alternateHealthyRingReportsThenPaintsTheHealthyShare()
    {
        AppConfigHelper *config = AppConfigHelper::instance();
        AppConfigOEM oem = config->getOEMConfig();
        oem.nPreviewScreenType = 1;
        QVERIFY(config->setOEMConfig(oem));
        StatisticsCircle ring;
        oem.nPreviewScreenType = 0;
        QVERIFY(config->setOEMConfig(oem));

        QSignalSpy reported(&ring, &StatisticsCircle::sigSetStatisticsNum);
        ring.setStatisticsNum(10, 3, 0);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0), (QList<QVariant>{10, 3}));
        QCOMPARE(ring.partNum(), 7);
        QCOMPARE(SnapStatisticRules::ringPercentage(ring.totalNum(), ring.partNum()), 70);

        ring.slotSetStatisticsType(Warm);
        ring.setStatisticsNum(10, 3, 0);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(ring.partNum(), 3);
    }

    void timerFollowsTheSourceType_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("both to platform") << 3 << 1 << 600000 << true;
        QTest::newRow("platform to both") << 1 << 3 << 30000 << true;
        QTest::newRow("recorders to both") << 2 << 3 << 30000 << true;
        QTest::newRow("both to recorders") << 3 << 2 << 30000 << true;
        QTest::newRow("same type") << 3 << 3 << 30000 << false;
        QTest::newRow("to none") << 3 << 999 << 30000 << false;
    }
    void timerFollowsTheSourceType()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, interval);
        QFETCH(bool, restarted);
        SnapStatisticWidget panel;
        // Whole seconds are all a coarse 30 s timer tells of its remaining time.
        auto *timer = panel.findChild<QTimer *>();
        timer->setTimerType(Qt::PreciseTimer);
        timer->start();
        // Without an organisation only the timer and the type change.
        panel.querySnapStatistic(-99999, QString(), ENUM_MSGQueryTimeTempSnapStatisticsType(from));
        QTest::qWait(60);
        panel.querySnapStatistic(-99999, QString(), ENUM_MSGQueryTimeTempSnapStatisticsType(to));
        QCOMPARE(panel.queryInterval(), interval);
        // A timer left alone has run for at least 60 ms.
        QCOMPARE(timer->remainingTime() > interval - 30, restarted);
        QCOMPARE(int(panel.statisticsType()), to);
        QVERIFY(!panel.isQueryPending());
    }

    void noneShowsZerosAndAsksNothing()
    {
        SnapStatisticWidget panel;
        const int outstanding = HostTesting::asyncOutstandingCount();
        panel.querySnapStatistic(NorthCampus, QStringLiteral("North"), QueryByNone);
        QCOMPARE(HostTesting::asyncOutstandingCount(), outstanding);
        QVERIFY(!panel.isQueryPending());
        QCOMPARE(labelText(panel, "labelTotal"), QStringLiteral("0"));
        QCOMPARE(labelText(panel, "labelOverTempNum"), QStringLiteral("0"));
        // No source matches type 999: live snapshots count for nothing.
        panel.addSnapCount(true, true, false, 1);
        panel.addSnapCount(true, false, false, 3);
        QCOMPARE(labelText(panel, "labelTotal"), QStringLiteral("0"));
    }

    // Counts come from the platform by source kind, live snapshots add to them only once an
    // answer is in, and only those of the counted kind.
    void answersAndLiveCounting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("countedKind");
        QTest::addColumn<int>("ignoredKind");
        QTest::newRow("platform") << 1 << 2 << 1 << 3;
        QTest::newRow("recorders") << 2 << 3 << 3 << 1;
        QTest::newRow("both") << 3 << 5 << 1 << 0;
    }
    void answersAndLiveCounting()
    {
        QFETCH(int, type);
        QFETCH(int, expected);
        QFETCH(int, countedKind);
        QFETCH(int, ignoredKind);
        QVERIFY(HostTesting::resetDailyTotals());
        record(CameraChannel, 2, 1);
        record(RecorderChannel, 3, 0, 2);
        record(QStringLiteral("TC-GATE-B_1"), 4); // South Campus: not below North Campus

        SnapStatisticWidget panel;
        panel.querySnapStatistic(NorthCampus, QStringLiteral("North"),
                                 ENUM_MSGQueryTimeTempSnapStatisticsType(type));
        QVERIFY(panel.isQueryPending());
        // Before the answer the labels show 0 and a live snapshot changes nothing.
        panel.addSnapCount(true, false, false, countedKind);
        QCOMPARE(labelText(panel, "labelTotal"), QStringLiteral("0"));
        QTRY_VERIFY(!panel.isQueryPending());
        QCOMPARE(panel.totalCount(), expected);
        QCOMPARE(labelText(panel, "labelTotal"), QString::number(expected));

        panel.addSnapCount(true, true, true, countedKind);
        QCOMPARE(panel.totalCount(), expected + 1);
        QCOMPARE(labelText(panel, "labelNoMaskNum"), QString::number(panel.noMaskCount()));
        if (ignoredKind != 0) {
            panel.addSnapCount(true, true, true, ignoredKind);
            QCOMPARE(panel.totalCount(), expected + 1);
        }
    }

    // No spoiled reply changes the totals; each leaves counting suspended until a later
    // answer, which sets the totals and resumes counting.
    void spoiledRepliesKeepTheTotals_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("logged");
        QTest::newRow("error code")
                << int(Fault::ErrorCode) << QStringLiteral("(10005)") << QString();
        QTest::newRow("time-out") << int(Fault::Timeout)
                                  << AppLanguageTr::translate(QStringLiteral("TK_SDKTimeout"))
                                  << QStringLiteral("FormConfigSetWidget::event respMsg is NULL");
        QTest::newRow("stale handle")
                << int(Fault::StaleHandle) << QString() << QStringLiteral("reqHandle mis match!");
        QTest::newRow("another class") << -1 << QString() << QString();
    }
    void spoiledRepliesKeepTheTotals()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        QVERIFY(HostTesting::resetDailyTotals());
        record(CameraChannel, 2, 1);
        SnapStatisticWidget panel;
        panel.querySnapStatistic(NorthCampus, QStringLiteral("North"), QueryByPlatformAndNVR);
        QTRY_VERIFY(!panel.isQueryPending());
        QCOMPARE(panel.totalCount(), 2);

        record(CameraChannel, 3); // an answer read now would say 5
        MessageLog log;
        if (fault >= 0) {
            HostTesting::setAsyncReplyFault(Fault(fault));
            panel.slot_querySnapStatistic();
            QTRY_COMPARE(HostTesting::asyncOutstandingCount(), 0);
        } else {
            // The platform's own reply goes astray; before it, one of another class arrives
            // under the right handle.
            HostTesting::setAsyncReplyFault(Fault::StaleHandle);
            panel.slot_querySnapStatistic();
            QCoreApplication::postEvent(&panel, new VORNAsyncMessageRecvEvent(
                                                        panel.requestHandle(), 0,
                                                        std::make_unique<OrvaneResponseMessage>()));
            QTRY_COMPARE(HostTesting::asyncOutstandingCount(), 0);
        }
        QCoreApplication::processEvents();
        QCOMPARE(panel.totalCount(), 2);
        QCOMPARE(labelText(panel, "labelTotal"), QStringLiteral("2"));
        QVERIFY(panel.isQueryPending());
        panel.addSnapCount(true, false, false, 1);
        QCOMPARE(panel.totalCount(), 2);
        auto *shown = SNMessageBoxFlowDownWidget::findOn(&panel);
        QCOMPARE(shown && !shown->isHidden(), !message.isEmpty());
        if (!message.isEmpty())
            QVERIFY2(shown->text().contains(message), qPrintable(shown->text()));
        if (!logged.isEmpty())
            QVERIFY(!log.lines.filter(logged).isEmpty());

        HostTesting::setAsyncReplyFault(Fault::None);
        panel.slot_querySnapStatistic();
        QTRY_VERIFY(!panel.isQueryPending());
        QCOMPARE(panel.totalCount(), 5);
        panel.addSnapCount(true, false, false, 1);
        QCOMPARE(panel.totalCount(), 6);
    }

    // A reply that arrives after a newer query was sent is dropped, even though it was worked
    // out later and so counts more: applying it would show 4 instead of 3 + the live one.
    void lateReplyNeverOverwritesANewerAnswer()
    {
        QVERIFY(HostTesting::resetDailyTotals());
        record(RecorderChannel, 3);
        SnapStatisticWidget panel;
        HostTesting::setAsyncReplyFault(Fault::LateReply);
        panel.querySnapStatistic(NorthCampus, QStringLiteral("North"), QueryByPlatformAndNVR);
        HostTesting::setAsyncReplyFault(Fault::None);
        panel.slot_querySnapStatistic();
        QTRY_VERIFY(!panel.isQueryPending());
        QCOMPARE(panel.totalCount(), 3);
        record(RecorderChannel, 1);
        panel.addSnapCount(true, false, false, 3);
        MessageLog log;
        QTRY_COMPARE_WITH_TIMEOUT(HostTesting::asyncOutstandingCount(), 0,
                                  AsyncPlatformService::LateReplyDelayMs + 3000);
        QCoreApplication::processEvents();
        QVERIFY(!log.lines.filter(QStringLiteral("reqHandle mis match!")).isEmpty());
        QCOMPARE(panel.totalCount(), 4);
        QVERIFY(!panel.isQueryPending());
    }

    // The filter reports once for each box setFilterData changes, the first report with the
    // state after the first change; a type the boxes already show reports nothing.
    void filterReportsEachChangedBox_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("reports");
        QTest::newRow("same") << 3 << 3 << QList<int>{};
        QTest::newRow("both to platform") << 3 << 1 << QList<int>{1};
        QTest::newRow("both to recorders") << 3 << 2 << QList<int>{2};
        QTest::newRow("platform to recorders") << 1 << 2 << QList<int>{3, 2};
        QTest::newRow("recorders to none") << 2 << 999 << QList<int>{999};
    }
    void filterReportsEachChangedBox()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, reports);
        QWidget owner;
        SnapStaticFilterWidget filter(&owner);
        filter.setFilterData(orgaNodes(), 3, ENUM_MSGQueryTimeTempSnapStatisticsType(from));
        QSignalSpy sent(&filter, &SnapStaticFilterWidget::sendNode);
        filter.setFilterData(orgaNodes(), 3, ENUM_MSGQueryTimeTempSnapStatisticsType(to));
        QCOMPARE(reportedTypes(sent), reports);
        for (const QList<QVariant> &call : qAsConst(sent))
            QCOMPARE(call.at(0).value<Node>().nId, 3);
    }

    void filterChoicesAndClosing()
    {
        QWidget owner;
        SnapStaticFilterWidget filter(&owner);
        const std::vector<Node> nodes = orgaNodes();
        // First call with an id no node has: the first node.
        filter.setFilterData(nodes, 4242, QueryByPlatformAndNVR);
        QCOMPARE(filter.lastNode().nId, nodes.front().nId);
        filter.setFilterData(nodes, 4, QueryByPlatformAndNVR);
        auto *combo = filter.findChild<QComboBox *>(QStringLiteral("comboBoxGroup"));
        QCOMPARE(combo->currentText(), QStringLiteral("Building A Entrance"));
        // Later calls with an unknown id keep the node chosen before.
        filter.setFilterData(nodes, 4242, QueryByPlatformAndNVR);
        QCOMPARE(filter.lastNode().nId, 4);

        QSignalSpy sent(&filter, &SnapStaticFilterWidget::sendNode);
        filter.findChild<QCheckBox *>(QStringLiteral("checkBoxNVR"))->click();
        filter.findChild<QCheckBox *>(QStringLiteral("checkBoxPlatform"))->click();
        QCOMPARE(reportedTypes(sent), (QList<int>{1, 999}));
        // Choosing in the combo reports the node with the boxes' type at that moment.
        sent.clear();
        emit combo->textActivated(combo->currentText());
        QCOMPARE(reportedTypes(sent), QList<int>{999});
        QCOMPARE(sent.at(0).at(0).value<Node>().nId, 4);

        filter.showSNDialog();
        QVERIFY(filter.isVisible());
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&filter, &deactivate);
        QVERIFY(!filter.isVisible());
    }
};

FEVER_TEST_MAIN(TestSnapStatistics)
#include "tst_snapstatistics.moc"
