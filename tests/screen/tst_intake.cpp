#include "MessageLog.h"
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "OverTempSnapItem.h"
#include "OverTempSnapWidget.h"
#include "SnapIntake.h"
#include "StrategyDefaults.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "BaseWidget.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransfer.h"
#include "PlatformPictureStore.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using snaptest::SnapBuilder;
using testsupport::cardStrip;
using testsupport::flushDeferredDeletes;
using testsupport::settle;

namespace {

constexpr int Stranger = FeverValues::NoValue;
const QString GateA = QStringLiteral("TC-GATE-A_1"); // SnapBuilder's default channel
const QString GateB = QStringLiteral("TC-GATE-B_1");

// A snapshot of person `archiveId`, or of a stranger, with its pictures on the platform.
SnapBuilder snap(int archiveId = 501)
{
    SnapBuilder builder;
    builder.onPlatform();
    if (archiveId == Stranger)
        builder.stranger();
    else
        builder.registered(archiveId);
    return builder;
}

void emitLive(const OrvaneCompareNotifyMessageList &list)
{
    emit VornClient::instance()->signalCompareNotifyReceived(list);
}

QList<int> cardArchiveIds(QWidget *screen)
{
    QList<int> ids;
    TempSnapWidget *cards = cardStrip(screen);
    for (int row = 0; row < cards->cardCount(); ++row)
        ids.append(cards->cardAt(row)->record().compareInfo.archiveImage.archiveId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Sees every transfer event on its way to the screen, before the screen handles it: task ids
// and user data.
class TransferProbe : public QObject
{
public:
    QList<int> taskIds;
    QList<void *> userData;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (const auto *state = dynamic_cast<FileTransStateEvent *>(event)) {
            taskIds.append(state->taskId());
            userData.append(state->userData());
        }
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

// Another screen owning an intake, as the alternate screen does. Its class name appears nowhere
// in the plug-in.
class SideDoorScreen : public BaseWidget
{
    Q_OBJECT

public:
    SideDoorScreen()
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
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(VornClient::instance()->isThermoDetectorDevice(snaptest::ThermalDeviceType));
        QCOMPARE(VornClient::instance()->getLoginServerUid(), snaptest::DefaultServer);
    }

    void cleanup()
    {
        HostTesting::resetTransferFaults();
        settle();
        flushDeferredDeletes();
        testsupport::clearAllowedWarnings();
    }

    // Acceptance and download
    void screenHandsItsSelectionAndStrategyOver()
    {
        // CompareNotifyFilter's suite checks the rules; here the screen must hand the intake its
        // stored selection and first strategy, without which every notification gives cards.
        ScreenSetup setup;
        setup.showStrangers = false;
        setup.recordMode = 2;
        auto screen = makeScreen(setup);
        {
            MessageLog log;
            emitLive(snap(501).channel(GateB).state(1).list());
            // Dropped before anything is written about it.
            QVERIFY2(log.lines.filter(QRegularExpression("^URL:|EpidemicPreview::")).isEmpty(),
                     qPrintable(log.lines.join('\n')));
        }
        emitLive(snap(502).state(0).list());
        emitLive(snap(503).stranger().registered(504).state(1).list());
        settle();
        QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{503, 504}));
        QCOMPARE(outstanding(screen.get()), 0);
        // The strategy reaches the strip as well: archive names shown (show_archive 1), where a
        // strip left with its defaults shows no name at all. Its card size is tst_strategyloader's.
        const TempSnapItem *card = cardStrip(screen.get())->cardAt(0);
        QCOMPARE(card->findChild<QLabel *>(QStringLiteral("labelName"))->text(), "Person 504");
    }

    void archivePicture_data()
    {
        QTest::addColumn<int>("archiveId");
        QTest::addColumn<int>("matchFlag");
        QTest::addColumn<bool>("noData");

        QTest::newRow("stranger") << Stranger << 0 << true;
        QTest::newRow("archive without a registered match") << 503 << 0 << true;
        QTest::newRow("registered match") << 504 << 1 << false;
    }

    void archivePicture()
    {
        QFETCH(int, archiveId);
        QFETCH(int, matchFlag);
        QFETCH(bool, noData);

        auto screen = makeScreen();
        VORNClientAIManager *ai = VORNClientAIManager::instance();
        // The archive picture exists on the platform in every row: only the rule decides whether
        // it is fetched.
        const QString remoteArchive = snaptest::storePlatformPicture();
        const QString localArchive = ai->convertToLocalSnapAbsPath(remoteArchive, false);
        const SnapBuilder arriving =
                snap(archiveId).matchFlag(matchFlag).score(0.42f).archivePicture(remoteArchive);

        MessageLog log;
        emitLive(arriving.list());
        settle();
        QCOMPARE(cardStrip(screen.get())->cardCount(), 1);
        const SnapComparesMessage &record = cardStrip(screen.get())->cardAt(0)->record();

        QCOMPARE(record.snapFaceInfo.snapTargetSource.snapDetailImageURL,
                 ai->convertToLocalSnapAbsPath(arriving.source().snapDetailImageURL, true));
        QVERIFY(QFileInfo::exists(record.snapFaceInfo.snapTargetSource.snapDetailImageURL));
        QCOMPARE(log.contains(QStringLiteral("no register scores ")), noData);
        QCOMPARE(record.compareInfo.archiveImage.url,
                 noData ? QStringLiteral(":/images/home/charts/ai/image_nodate.png")
                        : localArchive);
        QCOMPARE(record.compareInfo.score, noData ? 0.0f : 0.42f);
        QCOMPARE(QFileInfo::exists(localArchive), !noData);
        QCOMPARE(outstanding(screen.get()), 0);
    }

    void unconnectedPictureServer()
    {
        auto screen = makeScreen();
        MessageLog log;
        emitLive(snap().server(QStringLiteral("IAU-SRV-03")).list());
        const QPair<QString, int> tip(
                AppLanguageTr::translate(QStringLiteral("TK_ConnectIAUFaile!")) + "IAU-SRV-03", 2);
        QVERIFY(HostTesting::recentTips(screen.get()).contains(tip));
        // The transfer refuses a task without a connection: the record goes at once.
        QVERIFY(log.contains(
                QStringLiteral("EpidemicPreview::compareNotifyReceived addTransTask failed")));
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);

        // A connected picture server other than the login server is used without a tip.
        const int tips = HostTesting::recentTips(screen.get()).size();
        emitLive(snap().server(QStringLiteral("IAU-SRV-02")).list());
        settle();
        QCOMPARE(cardStrip(screen.get())->cardCount(), 1);
        QCOMPARE(HostTesting::recentTips(screen.get()).size(), tips);
    }

    void logLinesNameTheOwningScreen()
    {
        // The name is nowhere in the plug-in: only the owner's meta-object can put it in the lines.
        SideDoorScreen owner;
        QSignalSpy ready(owner.intake, &SnapIntake::recordReady);
        MessageLog log;
        owner.intake->receive({snap().noMatch().notification(), snap(501).notification()},
                              VornClient::instance());
        settle();
        QCoreApplication::postEvent(&owner, new QEvent(FeverValues::TransStateEventType));
        QCoreApplication::sendPostedEvents(&owner, FeverValues::TransStateEventType);

        QCOMPARE(ready.size(), 1);
        for (const char *head : {"SideDoorScreen::processCompareNotify   compareInfoVec.empty",
                                 "SideDoorScreen::compareNotifyReceived  snapDetailImageURL",
                                 "SideDoorScreen::processTransEvent  person name",
                                 "SideDoorScreen::event download not finished!"}) {
            QVERIFY2(!log.lines.filter(QRegularExpression(QLatin1Char('^') + QLatin1String(head)))
                              .isEmpty(),
                     head);
        }
        QVERIFY(log.lines.filter(QStringLiteral("EpidemicPreview")).isEmpty());
    }

    void liveSnapshotsCountForTheScreensOrganisation()
    {
        // North Campus ("001001") holds Gate A's organisation ("001001001"), not Gate B's
        // ("001002").
        SideDoorScreen owner;
        owner.orgaId = 2;
        QSignalSpy counted(owner.intake, &SnapIntake::liveSnapshotCounted);
        owner.intake->receive({snap(501).state(1).mask(FeverValues::MaskStatusNone).notification(),
                               snap(502).server(QStringLiteral("IAU-SRV-02")).notification(),
                               snap(503).channel(GateB).notification()},
                              VornClient::instance());
        // History counts nothing, whatever its organisation.
        owner.intake->receive(snap(504).list(), this);
        settle();

        QCOMPARE(counted.size(), 2);
        QCOMPARE(counted.at(0), (QList<QVariant>{true, true, true, 3}));
        QCOMPARE(counted.at(1), (QList<QVariant>{true, false, false, 1}));
    }

    // Transfer events
    void interleavedAndRepeatedEventsReleaseOnce()
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
        emitLive(snap(501).list());
        emitLive(snap(502).list());
        HostTesting::failNextTransferTasks(1);
        emitLive(snap(503).list());
        QCOMPARE(intake->pendingCount(), 3);
        settle();

        QCOMPARE(finished.size(), 3);
        const int taskA = finished.at(2).at(0).toInt();
        const int taskB = finished.at(0).at(0).toInt();
        const int taskC = finished.at(1).at(0).toInt();
        QCOMPARE(finished.at(1).at(1).toInt(), -1);
        QCOMPARE(probe.taskIds, (QList<int>{taskB, taskB, taskC, taskC, taskA, taskA}));
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
        // drop below the cards' copies (or ASan would report the double free). Then another event
        // type numbered 2013, a transfer without user data and another transfer type: none may
        // touch a record either.
        MessageLog log;
        int bystander = 0; // never read: the transfer type is checked first
        for (QEvent *event : std::initializer_list<QEvent *>{
                     new FileTransStateEvent(0, probe.userData.at(0), taskB, 0, true, 1),
                     new FileTransStateEvent(0, probe.userData.at(2), taskC, -1, true, -1),
                     new QEvent(FileTransStateEvent::EventType),
                     new FileTransStateEvent(0, nullptr, taskA, 0, true, 1),
                     new FileTransStateEvent(1, &bystander, taskA, 0, true, 1)})
            QCoreApplication::postEvent(screen.get(), event);
        QCoreApplication::sendPostedEvents(screen.get(), FileTransStateEvent::EventType);
        QCOMPARE(log.count(QStringLiteral("is not outstanding, event ignored")), 2);
        QCOMPARE(log.count(QStringLiteral("EpidemicPreview::event download not finished!")), 1);
        // Two lines for each late repeat (user data, then not outstanding), none for the others.
        QCOMPARE(log.lines.filter(QStringLiteral("processTransEvent")).size(), 4);
        QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{501, 502}));
        QCOMPARE(outstanding(screen.get()), 0);

        screen.reset();
        flushDeferredDeletes();
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
    }

    void brokenPictureShowsNothing_data()
    {
        QTest::addColumn<bool>("snapshotBroken");
        QTest::newRow("snapshot picture broken") << true;
        QTest::newRow("archive picture broken") << false;
    }

    void brokenPictureShowsNothing()
    {
        QFETCH(bool, snapshotBroken);
        auto screen = makeScreen();
        // The transfer decodes what it downloads and fails the task for a file that is no picture.
        const QString broken = snaptest::storePlatformPicture();
        QFile file(PlatformPictureStore::absolutePath(broken));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture");
        file.close();
        SnapBuilder arriving = snap();
        if (snapshotBroken)
            arriving.picture(broken);
        else
            arriving.archivePicture(broken);

        testsupport::allowWarning(QRegularExpression(QStringLiteral("refused picture")));
        MessageLog log;
        emitLive(arriving.list());
        settle();
        QVERIFY(log.contains(QStringLiteral("not a JPEG, PNG or BMP picture")));
        QCOMPARE(cardStrip(screen.get())->cardCount(), 0);
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
    }

    void eventsAfterDestructionAreHarmless()
    {
        FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
        {
            // Destroyed while the transfer still runs: the intake releases the record itself.
            auto screen = makeScreen();
            QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);
            HostTesting::delayNextTransferTask(200);
            MessageLog log;
            emitLive(snap(501).list());
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
            emitLive(snap(502).list());
            QTRY_VERIFY(!screen);
            settle();
            flushDeferredDeletes();
            QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
        }
    }

    void burstInOnePassKeepsFewWidgets()
    {
        auto screen = makeScreen();
        settle();
        flushDeferredDeletes();
        SnapIntake *intake = screen->findChild<SnapIntake *>();
        const int idle = QApplication::allWidgets().size();

        // Strangers share their archive picture, so one list needs only its own snapshot pictures;
        // the last one tells when the transfer has written them all.
        constexpr int Count = 2000;
        const QString picture = snaptest::storePlatformPicture();
        const QString last = snaptest::storePlatformPicture();
        SnapBuilder stranger;
        stranger.stranger().picture(picture);
        OrvaneCompareNotifyMessageList burst;
        for (int id = 1; id <= Count; ++id)
            burst.push_back(
                    stranger.snapId(id).picture(id == Count ? last : picture).notification());
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
        const int perCard = (full - idle) / cardStrip(screen.get())->maxCount();
        QVERIFY2(peak <= full + SnapIntake::ShowPerTurn * perCard,
                 qPrintable(QStringLiteral("%1 widgets at the peak, %2 with a full strip")
                                    .arg(peak)
                                    .arg(full)));
        TempSnapWidget *cards = cardStrip(screen.get());
        QCOMPARE(cards->cardCount(), cards->maxCount());
        for (int row = 0; row < cards->cardCount(); ++row)
            QCOMPARE(cards->cardAt(row)->record().snapFaceInfo.snapId, qint64(Count - row));
        QCOMPARE(outstanding(screen.get()), 0);
    }

    // History
    void historyShown_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<int>("normalClear"); // -1: no timed clear, the window is today so far
        QTest::addColumn<QList<QDateTime>>("times"); // of persons 501, 502, ...
        QTest::addColumn<QList<int>>("shown");

        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime midnight(now.date(), QTime(0, 0));
        // Just after midnight and a minute ago are today; just before midnight and an hour ahead
        // are not.
        QTest::newRow("today") << GateB << -1
                               << QList<QDateTime>{midnight.addSecs(1), now.addSecs(-60),
                                                   midnight.addSecs(-1), now.addSecs(3600)}
                               << QList<int>{501, 502};
        // The longer clear time (120 s against 30 s) opens the window from now to two minutes
        // ahead.
        QTest::newRow("clear window")
                << QStringLiteral("NVR-NORTH_1") << 120
                << QList<QDateTime>{now.addSecs(-60), now.addSecs(60), now.addSecs(600)}
                << QList<int>{502};
    }

    void historyShown()
    {
        QFETCH(QString, channel);
        QFETCH(int, normalClear);
        QFETCH(QList<QDateTime>, times);
        QFETCH(QList<int>, shown);
        if (QTime::currentTime() < QTime(0, 5))
            QSKIP("too close to midnight for an earlier snapshot of today");
        for (int i = 0; i < times.size(); ++i) {
            const SnapBuilder stored = snap(501 + i).channel(channel).state(i % 2).at(times.at(i));
            QVERIFY(SnapshotHistory::record(stored.notification()));
        }

        ScreenSetup setup;
        setup.channels = QStringList{channel};
        setup.overTempClear = normalClear < 0 ? -1 : 30;
        setup.normalClear = normalClear;
        auto screen = makeScreen(setup);
        settle();
        // That history is never announced, tst_screenvoice follows from the intake to the speech.
        QCOMPARE(cardArchiveIds(screen.get()), shown);
        QCOMPARE(outstanding(screen.get()), 0);
    }

    void manualClearKeepsOlderAlarmsOutOfTheList()
    {
        const QDateTime now = QDateTime::currentDateTime();
        ScreenSetup setup;
        setup.clearOverTempTime = now.addSecs(-30).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        auto screen = makeScreen(setup);
        auto *list = screen->findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));
        QVERIFY(list);

        emitLive(snap(601).state(1).at(now.addSecs(-60)).list());
        emitLive(snap(602).state(1).at(now).list());
        settle();
        QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{601, 602}));
        QCOMPARE(list->cardCount(), 1);
        QCOMPARE(list->cardAt(0)
                         ->property("archiveImageInfo")
                         .value<OrvaneArchiveImageInfo>()
                         .archiveId,
                 602);
    }

    void longDayShowsOnlyWhatFits()
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
            day.push_back(snap(Stranger)
                                  .snapId(id)
                                  .channel(setup.channels.first())
                                  .state(id % 3 == 0 ? 1 : 0)
                                  .at(now.addSecs(id - 260))
                                  .notification());
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
        TempSnapWidget *cards = cardStrip(screen.get());
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

private:
    std::unique_ptr<EpidemicPreview> makeScreen(const ScreenSetup &setup = ScreenSetup())
    {
        const int windowId = m_nNextWindow++;
        ST_MSGVoiceBroadcastStrategy strategy = StrategyDefaults::strangerStrategy(windowId + 1);
        strategy.set_show_stranger(setup.showStrangers ? FeverValues::SwitchOn
                                                       : FeverValues::SwitchOff);
        strategy.temp_record_mode = setup.recordMode;
        strategy.over_temp_clear_time = setup.overTempClear;
        strategy.normal_temp_clear_time = setup.normalClear;
        if (!testsupport::prepareWindow(windowId, {strategy}, setup.channels))
            qFatal("window %d not stored", windowId);
        if (!setup.clearOverTempTime.isEmpty()) {
            AppConfigHelper *config = AppConfigHelper::instance();
            IntelligentSnapConfigParam source = config->getEpidemicPreviewConfigParam(windowId);
            source.strClearOverTempTime = setup.clearOverTempTime;
            if (!config->setEpidemicPreviewConfigParam(windowId, source))
                qFatal("clear time of window %d not stored", windowId);
        }

        m_nBaseline = SnapComparesMessage::liveCount();
        // Announcements are watched on the strip's signal; nothing needs to be spoken.
        return testsupport::showScreen<EpidemicPreview>(windowId, true);
    }

    // Records the intake still holds: all live records minus the copies the cards keep.
    int outstanding(QWidget *screen) const
    {
        return SnapComparesMessage::liveCount() - m_nBaseline - cardStrip(screen)->cardCount();
    }

    int m_nNextWindow = 20;
    int m_nBaseline = 0;
};

FEVER_TEST_MAIN(TestIntake)

#include "tst_intake.moc"
