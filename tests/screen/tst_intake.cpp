#include "MessageLog.h"
#include "ScreenTraffic.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "OverTempSnapItem.h"
#include "OverTempSnapWidget.h"
#include "PendingSnapTasks.h"
#include "ScreenedChannels.h"
#include "SnapIntake.h"
#include "StrategyDefaults.h"
#include "TempSnapRules.h"

#include "AppLanguageTr.h"
#include "BaseWidget.h"
#include "FileTransStateEvent.h"
#include "ImageDataCache.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace screentest;

namespace {

// Sees every transfer event on its way to the screen, before the screen handles it.
class TransferProbe : public QObject
{
public:
    struct Seen
    {
        int taskId;
        void *userData;
    };
    QList<Seen> events;
    QList<int> taskIds() const
    {
        QList<int> ids;
        for (const Seen &seen : events)
            ids.append(seen.taskId);
        return ids;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (const auto *state = dynamic_cast<FileTransStateEvent *>(event))
            events.append({state->taskId(), state->userData()});
        return QObject::eventFilter(watched, event);
    }
};

struct ScreenSetup
{
    bool showStrangers = true;
    int recordMode = 1;
    int overTempClear = -1;
    int normalClear = -1;
    QStringList channels{GateA};
    QString clearOverTempTime;
};

} // namespace

// Another screen owning an intake, as the alternate screen will. Its class name appears nowhere
// in the plug-in.
class TempScreeningSW02 : public BaseWidget
{
    Q_OBJECT

public:
    TempScreeningSW02()
        : intake(new SnapIntake(this,
                                {[this] { return &strategy; },
                                 [this]() -> const IntelligentSnapConfigParam & { return source; },
                                 [this] { return orgaId; }}))
    {
        source.bAllChannel = true;
    }

    OrvaneAiCompareVoiceBroadcastStrategy strategy; // strangers hidden, every temperature
    IntelligentSnapConfigParam source;
    int orgaId = FeverValues::NoValue;
    SnapIntake *intake;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == FeverValues::TransStateEventType)
            intake->handleTransferEvent(event);
        return BaseWidget::event(event);
    }
};

class TestIntake : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Acceptance and download
    void screenHandsItsSelectionAndStrategyOver();
    void firstStrategyReachesTheStrip();
    void archivePicture_data();
    void archivePicture();
    void unconnectedPictureServer();
    void logLinesNameTheOwningScreen();
    void liveSnapshotsCountForTheScreensOrganisation();

    // Transfer events
    void interleavedAndRepeatedEventsReleaseOnce();
    void brokenPictureShowsNothing_data();
    void brokenPictureShowsNothing();
    void eventsAfterDestructionAreHarmless();
    void unrelatedTransferEventsAreIgnored();
    void pendingTasksKeepOneRecordPerTask();
    void burstInOnePassKeepsFewWidgets();

    // History
    void historyWindowFollowsClearTimes();
    void manualClearKeepsOlderAlarmsOutOfTheList();
    void longDayShowsOnlyWhatFits();
    void screenedChannels();

private:
    std::unique_ptr<EpidemicPreview> makeScreen(const ScreenSetup &setup = ScreenSetup());
    // Records the intake still holds: all live records minus the copies the cards keep.
    int outstanding(QWidget *screen) const
    {
        return SnapComparesMessage::liveCount() - m_nBaseline - strip(screen)->cardCount();
    }

    int m_nNextWindow = 20;
    int m_nBaseline = 0;
};

void TestIntake::initTestCase()
{
    testsupport::installWarningGuard();
    QVERIFY(VornClient::instance()->isThermoDetectorDevice(20));
    QCOMPARE(VornClient::instance()->getLoginServerUid(), LoginServer);
}

void TestIntake::cleanup()
{
    HostTesting::resetTransferFaults();
    settle();
    flushDeferredDeletes();
    testsupport::clearAllowedWarnings();
}

std::unique_ptr<EpidemicPreview> TestIntake::makeScreen(const ScreenSetup &setup)
{
    const int windowId = m_nNextWindow++;
    ST_MSGVoiceBroadcastStrategy strategy = StrategyDefaults::strangerStrategy(windowId + 1);
    strategy.set_show_stranger(setup.showStrangers ? FeverValues::SwitchOn
                                                   : FeverValues::SwitchOff);
    strategy.temp_record_mode = setup.recordMode;
    strategy.over_temp_clear_time = setup.overTempClear;
    strategy.normal_temp_clear_time = setup.normalClear;
    prepareWindow(windowId, {strategy}, setup.channels);
    if (!setup.clearOverTempTime.isEmpty()) {
        AppConfigHelper *config = AppConfigHelper::instance();
        IntelligentSnapConfigParam source = config->getEpidemicPreviewConfigParam(windowId);
        source.strClearOverTempTime = setup.clearOverTempTime;
        config->setEpidemicPreviewConfigParam(windowId, source);
    }

    m_nBaseline = SnapComparesMessage::liveCount();
    auto screen = std::make_unique<EpidemicPreview>();
    screen->setProperty("priviewWinId", windowId);
    screen->resize(1157, 603);
    screen->show();
    // Announcements are watched on the strip's signal; nothing needs to be spoken.
    screen->findChild<QPushButton *>(QStringLiteral("pushButtonSound"))->click();
    return screen;
}

void TestIntake::screenHandsItsSelectionAndStrategyOver()
{
    // CompareNotifyFilter's own suite checks the rules; here the screen must hand the intake its
    // stored selection and first strategy. With none of them every notification would give cards.
    ScreenSetup setup;
    setup.showStrangers = false;
    setup.recordMode = 2;
    auto screen = makeScreen(setup);
    {
        MessageLog log;
        emitLive(notification(newSnapPicture(), {registered(501)}, GateB, 1));
        // Dropped before anything is written about it.
        QVERIFY2(log.lines.filter(QRegularExpression("^URL:|EpidemicPreview::")).isEmpty(),
                 qPrintable(log.lines.join('\n')));
    }
    emitLive(notification(newSnapPicture(), {registered(502)}, GateA, 0));
    emitLive(notification(newSnapPicture(), {registered(503), stranger(), registered(504)}, GateA,
                          1));
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{503, 504}));
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::firstStrategyReachesTheStrip()
{
    // The stored strategy asks for card size 2 and shows archive names (show_archive 1); a
    // strip left with its construction defaults has the small card and a default strategy,
    // which shows no name at all.
    auto screen = makeScreen();
    TempSnapWidget *cards = strip(screen.get());
    const TempSnapRules::CardGeometry medium = TempSnapRules::cardGeometry(2, false);
    QCOMPARE(cards->cardSize(), QSize(medium.nWidth, medium.nHeight));

    emitLive(notification(newSnapPicture(), {registered(501)}));
    settle();
    QCOMPARE(cards->cardCount(), 1);
    QCOMPARE(cards->cardAt(0)->findChild<QLabel *>(QStringLiteral("labelName"))->text(),
             QStringLiteral("Person 501"));
}

void TestIntake::archivePicture_data()
{
    QTest::addColumn<int>("archiveId");
    QTest::addColumn<int>("matchFlag");
    QTest::addColumn<bool>("noData");

    QTest::newRow("stranger") << Stranger << 0 << true;
    QTest::newRow("archive without a registered match") << 503 << 0 << true;
    QTest::newRow("registered match") << 504 << 1 << false;
}

void TestIntake::archivePicture()
{
    QFETCH(int, archiveId);
    QFETCH(int, matchFlag);
    QFETCH(bool, noData);

    auto screen = makeScreen();
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    // The archive picture exists on the platform in every row: only the rule decides whether
    // it is fetched.
    const QString remoteArchive =
            storePicture(QStringLiteral("intake/row-archive-%1.jpg").arg(++g_nPictureCounter));
    const QString localArchive = ai->convertToLocalSnapAbsPath(remoteArchive, false);
    const QString remoteSnap = newSnapPicture();

    MessageLog log;
    emitLive(notification(remoteSnap, {{archiveId, matchFlag, 0.42f, remoteArchive}}));
    settle();
    QCOMPARE(strip(screen.get())->cardCount(), 1);
    const SnapComparesMessage &record = strip(screen.get())->cardAt(0)->record();

    QCOMPARE(record.snapFaceInfo.snapTargetSource.snapDetailImageURL,
             ai->convertToLocalSnapAbsPath(remoteSnap, true));
    QVERIFY(QFileInfo::exists(record.snapFaceInfo.snapTargetSource.snapDetailImageURL));
    QCOMPARE(log.contains(QStringLiteral("no register scores ")), noData);
    QCOMPARE(record.compareInfo.archiveImage.url,
             noData ? QStringLiteral(":/images/home/charts/ai/image_nodate.png") : localArchive);
    QCOMPARE(record.compareInfo.score, noData ? 0.0f : 0.42f);
    QCOMPARE(QFileInfo::exists(localArchive), !noData);
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::unconnectedPictureServer()
{
    auto screen = makeScreen();
    OrvaneCompareNotifyMessage notify = notification(newSnapPicture(), {registered(501)});
    notify.snapFaceInfo.snapTargetSource.serverUID = QStringLiteral("IAU-SRV-03");

    MessageLog log;
    emitLive(notify);
    const QPair<QString, int> tip(
            AppLanguageTr::translate(QStringLiteral("TK_ConnectIAUFaile!")) + "IAU-SRV-03", 2);
    QVERIFY(HostTesting::recentTips(screen.get()).contains(tip));
    // The transfer refuses a task without a connection: the record goes at once.
    QVERIFY(log.contains(
            QStringLiteral("EpidemicPreview::compareNotifyReceived addTransTask failed")));
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);

    // A connected picture server other than the login server is used without a tip.
    const int tips = HostTesting::recentTips(screen.get()).size();
    notify.snapFaceInfo.snapTargetSource.serverUID = QStringLiteral("IAU-SRV-02");
    emitLive(notify);
    settle();
    QCOMPARE(strip(screen.get())->cardCount(), 1);
    QCOMPARE(HostTesting::recentTips(screen.get()).size(), tips);
}

void TestIntake::logLinesNameTheOwningScreen()
{
    // The name is nowhere in the plug-in: only the owner's meta-object can put it in the lines.
    TempScreeningSW02 owner;
    QSignalSpy ready(owner.intake, &SnapIntake::recordReady);
    MessageLog log;
    owner.intake->receive(
            {notification(newSnapPicture(), {}), notification(newSnapPicture(), {registered(501)})},
            VornClient::instance());
    settle();
    QCoreApplication::postEvent(&owner, new QEvent(FeverValues::TransStateEventType));
    QCoreApplication::sendPostedEvents(&owner, FeverValues::TransStateEventType);

    QCOMPARE(ready.size(), 1);
    for (const char *head : {"TempScreeningSW02::processCompareNotify   compareInfoVec.empty",
                             "TempScreeningSW02::compareNotifyReceived  snapDetailImageURL",
                             "TempScreeningSW02::processTransEvent  person name",
                             "TempScreeningSW02::event download not finished!"}) {
        QVERIFY2(!log.lines.filter(QRegularExpression(QLatin1Char('^') + QLatin1String(head)))
                          .isEmpty(),
                 head);
    }
    QVERIFY(log.lines.filter(QStringLiteral("EpidemicPreview")).isEmpty());
}

void TestIntake::liveSnapshotsCountForTheScreensOrganisation()
{
    // North Campus ("001001") holds Gate A's organisation ("001001001"), not Gate B's ("001002").
    TempScreeningSW02 owner;
    owner.orgaId = 2;
    QSignalSpy counted(owner.intake, &SnapIntake::liveSnapshotCounted);
    OrvaneCompareNotifyMessage overNoMask =
            notification(newSnapPicture(), {registered(501)}, GateA, 1);
    overNoMask.snapFaceInfo.maskStatus = FeverValues::MaskStatusNone;
    OrvaneCompareNotifyMessage otherServer = notification(newSnapPicture(), {registered(502)});
    otherServer.snapFaceInfo.snapTargetSource.serverUID = QStringLiteral("IAU-SRV-02");
    const OrvaneCompareNotifyMessage gateB =
            notification(newSnapPicture(), {registered(503)}, GateB);
    owner.intake->receive({overNoMask, otherServer, gateB}, VornClient::instance());
    // History counts nothing, whatever its organisation.
    owner.intake->receive({notification(newSnapPicture(), {registered(504)})}, this);
    settle();

    QCOMPARE(counted.size(), 2);
    QCOMPARE(counted.at(0), (QList<QVariant>{true, true, true, 3}));
    QCOMPARE(counted.at(1), (QList<QVariant>{true, false, false, 1}));
}

void TestIntake::interleavedAndRepeatedEventsReleaseOnce()
{
    auto screen = makeScreen();
    TransferProbe probe;
    screen->installEventFilter(&probe);
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);
    SnapIntake *intake = screen->findChild<SnapIntake *>();
    QCOMPARE(intake->lastTaskId(), FeverValues::NoValue);

    // A reports last (delayed), C fails, every completion arrives twice: B B C C A A.
    MessageLog repeats;
    HostTesting::repeatNextTransferCompletions(3);
    HostTesting::delayNextTransferTask(300);
    emitLive(notification(newSnapPicture(), {registered(501)}));
    emitLive(notification(newSnapPicture(), {registered(502)}));
    HostTesting::failNextTransferTasks(1);
    emitLive(notification(newSnapPicture(), {registered(503)}));
    QCOMPARE(intake->pendingCount(), 3);
    settle();

    QCOMPARE(finished.size(), 3);
    const int taskA = finished.at(2).at(0).toInt();
    const int taskB = finished.at(0).at(0).toInt();
    const int taskC = finished.at(1).at(0).toInt();
    QCOMPARE(finished.at(1).at(1).toInt(), -1);
    QCOMPARE(probe.taskIds(), (QList<int>{taskB, taskB, taskC, taskC, taskA, taskA}));
    QCOMPARE(intake->lastTaskId(), taskA);
    // Each repeat follows its own completion directly, so it is the last task handled.
    QCOMPARE(repeats.count(QStringLiteral(
                     "EpidemicPreview::processTransEvent status: success m_nTaskID == taskId")),
             2);
    QCOMPARE(repeats.count(QStringLiteral(
                     "EpidemicPreview::processTransEvent status: -1 m_nTaskID == taskId")),
             1);
    // The failed C is released and not shown.
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{501, 502}));
    QCOMPARE(outstanding(screen.get()), 0);

    // Late repeats of B and C after A's completion. Guarded by the last task id alone, both
    // would pass (neither is A) and release their records a second time; the live count would
    // drop below the cards' copies (or ASan would report the double free).
    MessageLog log;
    QCoreApplication::postEvent(
            screen.get(),
            new FileTransStateEvent(0, probe.events.at(0).userData, taskB, 0, true, 1));
    QCoreApplication::postEvent(
            screen.get(),
            new FileTransStateEvent(0, probe.events.at(2).userData, taskC, -1, true, -1));
    QCoreApplication::sendPostedEvents(screen.get(), FileTransStateEvent::EventType);
    QCOMPARE(log.count(QStringLiteral("is not outstanding, event ignored")), 2);
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{501, 502}));
    QCOMPARE(outstanding(screen.get()), 0);

    screen.reset();
    flushDeferredDeletes();
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
}

void TestIntake::brokenPictureShowsNothing_data()
{
    QTest::addColumn<bool>("snapshotBroken");
    QTest::newRow("snapshot picture broken") << true;
    QTest::newRow("archive picture broken") << false;
}

void TestIntake::brokenPictureShowsNothing()
{
    QFETCH(bool, snapshotBroken);
    auto screen = makeScreen();
    // The transfer decodes what it downloads and fails the task for a file that is no picture.
    const QString broken = QStringLiteral("intake/broken-%1.jpg").arg(++g_nPictureCounter);
    const QString path = PlatformPictureStore::absolutePath(broken);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
    file.close();
    const QString good =
            storePicture(QStringLiteral("intake/good-%1.jpg").arg(++g_nPictureCounter));
    const int archiveId = 600 + g_nPictureCounter;
    const Match match{archiveId, 1, 0.9f, snapshotBroken ? good : broken};

    testsupport::allowWarning(QRegularExpression(QStringLiteral("refused picture")));
    MessageLog log;
    emitLive(notification(snapshotBroken ? broken : good, {match}));
    settle();
    QVERIFY(log.contains(QStringLiteral("not a JPEG, PNG or BMP picture")));
    QCOMPARE(strip(screen.get())->cardCount(), 0);
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
}

void TestIntake::eventsAfterDestructionAreHarmless()
{
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    {
        // Destroyed while the transfer still runs: the intake releases the record itself.
        auto screen = makeScreen();
        QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);
        HostTesting::delayNextTransferTask(200);
        MessageLog log;
        emitLive(notification(newSnapPicture(), {registered(501)}));
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline + 1);
        screen.reset();
        QVERIFY(log.contains(QStringLiteral(
                "EpidemicPreview::~EpidemicPreview releases 1 snapshots still downloading")));
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
        QTRY_COMPARE(finished.size(), 1);
        settle();
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
    }
    {
        // Destroyed after the completion was posted to it but before it was delivered.
        auto screen = makeScreen();
        QObject context;
        connect(transfer, &FlieDataTransfer::signalTaskFinished, &context,
                [&screen] { screen.reset(); });
        emitLive(notification(newSnapPicture(), {registered(502)}));
        QTRY_VERIFY(!screen);
        settle();
        flushDeferredDeletes();
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
    }
}

void TestIntake::unrelatedTransferEventsAreIgnored()
{
    auto screen = makeScreen();
    MessageLog log;
    SnapComparesMessage bystander;
    const int live = SnapComparesMessage::liveCount();
    // Another event type numbered 2013, a transfer without user data, another transfer type and
    // a task the screen never started: none may touch a record.
    QCoreApplication::postEvent(screen.get(), new QEvent(FileTransStateEvent::EventType));
    QCoreApplication::postEvent(screen.get(),
                                new FileTransStateEvent(0, nullptr, 4711, 0, true, 1));
    QCoreApplication::postEvent(screen.get(),
                                new FileTransStateEvent(1, &bystander, 4712, 0, true, 1));
    QCoreApplication::postEvent(screen.get(),
                                new FileTransStateEvent(0, &bystander, 4713, 0, true, 1));
    QCoreApplication::postEvent(screen.get(),
                                new FileTransStateEvent(0, &bystander, 4714, -1, true, -1));
    QCoreApplication::sendPostedEvents(screen.get(), FileTransStateEvent::EventType);
    QCOMPARE(log.count(QStringLiteral("EpidemicPreview::event download not finished!")), 1);
    QCOMPARE(log.count(QStringLiteral("is not outstanding, event ignored")), 2);
    QCOMPARE(SnapComparesMessage::liveCount(), live);
    QCOMPARE(strip(screen.get())->cardCount(), 0);
}

void TestIntake::pendingTasksKeepOneRecordPerTask()
{
    const int baseline = SnapComparesMessage::liveCount();
    auto record = [](int archiveId) {
        CompareInfo match;
        match.archiveImage.archiveId = archiveId;
        return std::make_unique<SnapComparesMessage>(OrvaneSnapFaceInfo(), match, true);
    };
    {
        PendingSnapTasks tasks;
        QVERIFY(tasks.adopt(3, record(501)));
        // A second record for an outstanding task must not replace (and leak or free) the first;
        // refused records are released at once.
        QVERIFY(!tasks.adopt(3, record(502)));
        QVERIFY(!tasks.adopt(FeverValues::NoValue, record(503)));
        QVERIFY(!tasks.adopt(4, nullptr));
        QCOMPARE(tasks.size(), 1);
        QCOMPARE(SnapComparesMessage::liveCount(), baseline + 1);
        QCOMPARE(tasks.take(3)->compareInfo.archiveImage.archiveId, 501);
        QVERIFY(!tasks.take(3));
        QVERIFY(tasks.adopt(1, record(501)));
    }
    QCOMPARE(SnapComparesMessage::liveCount(), baseline);
}

void TestIntake::burstInOnePassKeepsFewWidgets()
{
    auto screen = makeScreen();
    settle();
    flushDeferredDeletes();
    SnapIntake *intake = screen->findChild<SnapIntake *>();
    const int idle = QApplication::allWidgets().size();

    // Strangers share their archive picture, so one list needs only its own snapshot pictures;
    // the last one tells when the transfer has written them all.
    constexpr int Count = 2000;
    const QString picture = newSnapPicture();
    const QString last = newSnapPicture();
    OrvaneCompareNotifyMessageList burst;
    for (int id = 1; id <= Count; ++id) {
        burst.push_back(notification(id == Count ? last : picture, {stranger()}));
        burst.back().snapFaceInfo.snapId = id;
    }
    int peak = 0;
    connect(intake, &SnapIntake::recordReady, this,
            [&peak] { peak = qMax(peak, int(QApplication::allWidgets().size())); });

    emit VornClient::instance()->signalCompareNotifyReceived(burst);
    // Every completion queues up before the UI thread looks, and all of them are then handled
    // in one pass of the posted events: cards made in that pass and dropped again used to live
    // on until its end, 2,000 cards of several widgets each.
    const QString lastLocal =
            VORNClientAIManager::instance()->convertToLocalSnapAbsPath(last, true);
    for (int waited = 0; !QFileInfo::exists(lastLocal) && waited < 30000; waited += 10)
        QTest::qSleep(10);
    QTest::qSleep(200);
    QCoreApplication::sendPostedEvents();
    QTRY_COMPARE(intake->pendingCount(), 0);
    QTRY_COMPARE(intake->waitingCount(), 0);

    // A full strip, and at no time more than the cards of one turn waiting for deletion on top.
    flushDeferredDeletes();
    const int full = QApplication::allWidgets().size();
    const int perCard = (full - idle) / strip(screen.get())->maxCount();
    QVERIFY2(peak <= full + SnapIntake::ShowPerTurn * perCard,
             qPrintable(QStringLiteral("%1 widgets at the peak, %2 with a full strip")
                                .arg(peak)
                                .arg(full)));
    TempSnapWidget *cards = strip(screen.get());
    QCOMPARE(cards->cardCount(), cards->maxCount());
    for (int row = 0; row < cards->cardCount(); ++row)
        QCOMPARE(cards->cardAt(row)->record().snapFaceInfo.snapId, qint64(Count - row));
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::historyWindowFollowsClearTimes()
{
    const QString channel = QStringLiteral("NVR-NORTH_1");
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(501)}, channel, 0, now.addSecs(-60))));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(502)}, channel, 0, now.addSecs(60))));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(503)}, channel, 0, now.addSecs(600))));

    // The longer clear time (120 s) opens the window from now to two minutes ahead.
    ScreenSetup setup;
    setup.channels = QStringList{channel};
    setup.overTempClear = 30;
    setup.normalClear = 120;
    auto screen = makeScreen(setup);
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), QList<int>{502});
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::manualClearKeepsOlderAlarmsOutOfTheList()
{
    const QDateTime now = QDateTime::currentDateTime();
    ScreenSetup setup;
    setup.clearOverTempTime = now.addSecs(-30).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    auto screen = makeScreen(setup);
    auto *list = screen->findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));
    QVERIFY(list);

    emitLive(notification(newSnapPicture(), {registered(601)}, GateA, 1, now.addSecs(-60)));
    emitLive(notification(newSnapPicture(), {registered(602)}, GateA, 1, now));
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{601, 602}));
    QCOMPARE(list->cardCount(), 1);
    QCOMPARE(
            list->cardAt(0)->property("archiveImageInfo").value<OrvaneArchiveImageInfo>().archiveId,
            602);
}

void TestIntake::longDayShowsOnlyWhatFits()
{
    // 200 snapshots of today a second apart, every third an over-temperature alarm; the
    // over-temperature list was cleared by hand in the second of the 60th.
    const QDateTime now = QDateTime::currentDateTime();
    if (now.time() < QTime(0, 5))
        QSKIP("too close to midnight for 200 earlier snapshots of today");
    ScreenSetup setup;
    setup.channels = QStringList{QStringLiteral("NVR-SOUTH_1")};
    OrvaneCompareNotifyMessageList day;
    for (int id = 1; id <= 200; ++id) {
        day.push_back(notification(newSnapPicture(), {stranger()}, setup.channels.first(),
                                   id % 3 == 0 ? 1 : 0, now.addSecs(id - 260)));
        day.back().snapFaceInfo.snapId = id;
    }
    QCOMPARE(SnapshotHistory::recordAll(day), 200);
    setup.clearOverTempTime = day[59].snapFaceInfo.snapTargetSource.snapTime;

    QSignalSpy tasks(FlieDataTransfer::getInstance(), &FlieDataTransfer::signalTaskFinished);
    auto screen = makeScreen(setup);
    SnapIntake *intake = screen->findChild<SnapIntake *>();
    QList<qint64> overTemp;
    connect(intake, &SnapIntake::overTempRecordReady, this,
            [&overTemp](const SnapComparesMessage &record) {
                overTemp.append(record.snapFaceInfo.snapId);
            });
    settle();
    QTRY_COMPARE(intake->waitingCount(), 0);

    // The strip: the newest 30, the newest on top.
    TempSnapWidget *cards = strip(screen.get());
    QCOMPARE(cards->cardCount(), 30);
    for (int row = 0; row < cards->cardCount(); ++row)
        QCOMPARE(cards->cardAt(row)->record().snapFaceInfo.snapId, qint64(200 - row));
    // The list: the newest 30 alarms after the clearing (111, 114 ... 198), oldest first, each
    // once although the newest of them came with the strip's answer too.
    QList<qint64> alarms;
    for (int id = 111; id <= 198; id += 3)
        alarms.append(id);
    QCOMPARE(overTemp, alarms);
    // Pictures were fetched for those 30 cards and the 20 alarms older than them, nothing else.
    QCOMPARE(tasks.size(), 50);
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::screenedChannels()
{
    IntelligentSnapConfigParam chosen;
    chosen.strChannelUIDList = QStringList{QStringLiteral("NVR-NORTH_3"), GateA};
    QCOMPARE(ScreenedChannels::collectChannelUIDs(chosen), chosen.strChannelUIDList);
    QCOMPARE(chosen.nChannelCount, 2);

    IntelligentSnapConfigParam all;
    all.bAllChannel = true;
    all.strChannelUIDList = QStringList{QStringLiteral("stale")};
    const QStringList channels = ScreenedChannels::collectChannelUIDs(all);
    QCOMPARE(all.strChannelUIDList, channels);
    QCOMPARE(all.nChannelCount, channels.size());
    // Thermal devices give every channel, recorders only their thermal ones.
    QCOMPARE(channels, QStringList({"TC-GATE-A_1", "TC-GATE-B_1", "NVR-NORTH_1", "NVR-NORTH_3",
                                    "NVR-SOUTH_1", "TC-WAREHOUSE_1"}));
}

FEVER_TEST_MAIN(TestIntake)

#include "tst_intake.moc"
