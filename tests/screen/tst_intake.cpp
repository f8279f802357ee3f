#include "MessageLog.h"
#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "ScreenedChannels.h"
#include "SnapComparesMessage.h"
#include "StrategyDefaults.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"
#include "TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransfer.h"
#include "HostTesting.h"
#include "PlatformPictureStore.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

namespace {

struct SeenTransfer
{
    int taskId;
    void *userData;
    int status;
};

// Sees every transfer event on its way to the screen, before the screen handles it.
class TransferProbe : public QObject
{
public:
    QList<SeenTransfer> events;
    QList<int> taskIds() const
    {
        QList<int> ids;
        for (const SeenTransfer &seen : events)
            ids.append(seen.taskId);
        return ids;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == FileTransStateEvent::EventType) {
            if (const auto *state = dynamic_cast<FileTransStateEvent *>(event))
                events.append({state->taskId(), state->userData(), state->status()});
        }
        return QObject::eventFilter(watched, event);
    }
};

constexpr int Stranger = -99999;
const QString GateA = QStringLiteral("TC-GATE-A_1");
const QString LoginServer = QStringLiteral("VORN-SRV-01");
const char *const SnapTimeFormat = "yyyy-MM-dd hh:mm:ss";

struct Match
{
    int archiveId;
    int matchFlag;
    float score;
    QString archivePicture; // remote name; stored in the picture store unless told otherwise
};

struct ScreenSetup
{
    bool showStrangers = true;
    int recordMode = 1;
    int overTempClear = -1;
    int normalClear = -1;
    QStringList channels{GateA};
};

int g_nPictureCounter = 0;

QString storePicture(const QString &name)
{
    QImage image(48, 64, QImage::Format_RGB32);
    image.fill(qRgb(40 + (g_nPictureCounter * 37) % 200, 90, 160));
    return PlatformPictureStore::store(name, image);
}

QString newSnapPicture()
{
    return storePicture(QStringLiteral("intake/snap-%1.jpg").arg(++g_nPictureCounter));
}

QString archivePicture(int archiveId)
{
    const QString name = QStringLiteral("intake/archive-%1.jpg").arg(archiveId);
    return PlatformPictureStore::contains(name) ? name : storePicture(name);
}

Match registered(int archiveId, float score = 0.9f)
{
    return {archiveId, 1, score, archivePicture(archiveId)};
}

Match stranger()
{
    return {Stranger, 0, 0.0f, QString()};
}

OrvaneCompareNotifyMessage notification(const QString &snapPicture, const QList<Match> &matches,
                                        const QString &channel = GateA, int state = 0,
                                        const QDateTime &time = QDateTime::currentDateTime())
{
    OrvaneCompareNotifyMessage notify;
    notify.snapFaceInfo.maskStatus = 1;
    OrvaneSnapTargetSource &source = notify.snapFaceInfo.snapTargetSource;
    source.serverUID = LoginServer;
    source.snapDetailImageURL = snapPicture;
    source.channelUID = channel;
    source.deviceTypeId = 20;
    source.snapTime = time.toString(QLatin1String(SnapTimeFormat));
    source.hasTemperature = 1;
    source.temperature = state == 1 ? 38.4 : 36.5;
    source.temperatureState = state;
    source.overTempListFlag = state == 1 ? 1 : 0;
    for (const Match &m : matches) {
        CompareInfo info;
        info.archiveImage.archiveId = m.archiveId;
        info.archiveImage.archiveGroupId = m.archiveId == Stranger ? Stranger : 2;
        info.archiveImage.url = m.archivePicture;
        info.archive.set_id(m.archiveId);
        info.archive.set_name(
                m.archiveId == Stranger ? QString() : QStringLiteral("Person %1").arg(m.archiveId));
        info.matchFlag = m.matchFlag;
        info.score = m.score;
        notify.compareInfoVec.push_back(info);
    }
    return notify;
}

void emitLive(const OrvaneCompareNotifyMessage &notify)
{
    emit VornClient::instance()->signalCompareNotifyReceived(
            OrvaneCompareNotifyMessageList{notify});
}

TempSnapWidget *strip(QWidget *screen)
{
    return screen->findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
}

QList<int> cardArchiveIds(QWidget *screen)
{
    QList<int> ids;
    TempSnapWidget *cards = strip(screen);
    for (int row = 0; row < cards->cardCount(); ++row)
        ids.append(cards->cardAt(row)->record().compareInfo.archiveImage.archiveId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Lets every transfer finish and its events reach their receivers.
void settle()
{
    QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestIntake : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Acceptance
    void channelFilterDropsBeforeAnyLog();
    void overTempOnlyDropsNormalRegistered();
    void threeMatchesWithHiddenStrangerGiveTwoCards();
    void firstStrategyReachesTheStrip();
    void archivePicture_data();
    void archivePicture();
    void unconnectedPictureServer();

    // Transfer events
    void failureReleasesAndShowsNothing();
    void repeatedCompletionChangesNothing();
    void interleavedAndRepeatedEventsReleaseOnce();
    void pictureMissingFromCacheShowsNothing();
    void eventsAfterDestructionAreHarmless();
    void unrelatedTransferEventsAreIgnored();

    // History
    void historyOfTodayIsShownNeverAnnounced();
    void historyWindowFollowsClearTimes();
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
    strategy.set_show_stranger(setup.showStrangers
                                       ? OrvaneAiCompareVoiceBroadcastStrategy::SwitchOn
                                       : OrvaneAiCompareVoiceBroadcastStrategy::SwitchOff);
    strategy.temp_record_mode = setup.recordMode;
    strategy.over_temp_clear_time = setup.overTempClear;
    strategy.normal_temp_clear_time = setup.normalClear;
    int strategyId = 0;
    if (!VoiceStrategyStore::instance()->add(strategy, strategyId))
        qFatal("strategy not stored");

    IntelligentSnapConfigParam source;
    source.strChannelUIDList = setup.channels;
    source.nChannelCount = setup.channels.size();
    AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, source);

    m_nBaseline = SnapComparesMessage::liveCount();
    auto screen = std::make_unique<EpidemicPreview>();
    screen->setProperty("priviewWinId", windowId);
    screen->resize(1157, 603);
    screen->show();
    // Announcements are watched on the strip's signal; nothing needs to be spoken.
    if (auto *sound = screen->findChild<QPushButton *>(QStringLiteral("pushButtonSound")))
        sound->click();
    return screen;
}

void TestIntake::channelFilterDropsBeforeAnyLog()
{
    auto screen = makeScreen();
    const QString picture = newSnapPicture();
    {
        MessageLog log;
        emitLive(notification(picture, {registered(501)}, QStringLiteral("TC-GATE-B_1")));
        for (const QString &line : log.lines) {
            QVERIFY2(!line.startsWith(QLatin1String("URL:")) && !line.contains("EpidemicPreview")
                             && !line.contains("no register"),
                     qPrintable(line));
        }
    }
    QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);

    // The same notification on the selected channel goes through, so the intake was listening.
    MessageLog log;
    emitLive(notification(picture, {registered(501)}));
    QVERIFY(log.contains(QStringLiteral("URL:")));
    QTRY_COMPARE(strip(screen.get())->cardCount(), 1);
}

void TestIntake::overTempOnlyDropsNormalRegistered()
{
    ScreenSetup setup;
    setup.recordMode = 2;
    auto screen = makeScreen(setup);
    MessageLog log;
    emitLive(notification(newSnapPicture(), {registered(501)}, GateA, 0));
    emitLive(notification(newSnapPicture(), {registered(502)}, GateA, 1));
    QCOMPARE(log.count(QStringLiteral("URL:")), 2);
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), QList<int>{502});
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::threeMatchesWithHiddenStrangerGiveTwoCards()
{
    ScreenSetup setup;
    setup.showStrangers = false;
    auto screen = makeScreen(setup);
    emitLive(notification(newSnapPicture(), {registered(501), stranger(), registered(502)}));
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{501, 502}));
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::firstStrategyReachesTheStrip()
{
    // The stored strategy asks for card size 2 and shows archive names (show_archive 1); a
    // strip left with its construction defaults has the small card and a default record,
    // which shows no name at all.
    auto screen = makeScreen(ScreenSetup());
    TempSnapWidget *cards = strip(screen.get());
    const TempSnapRules::CardGeometry medium = TempSnapRules::cardGeometry(2, false);
    QCOMPARE(cards->cardSize(), QSize(medium.nWidth, medium.nHeight));

    OrvaneCompareNotifyMessage matched = notification(newSnapPicture(), {registered(501)});
    matched.snapFaceInfo.snapTargetSource.compareResult = 1;
    emitLive(matched);
    settle();
    QCOMPARE(cards->cardCount(), 1);
    const QString name = cards->cardAt(0)->record().compareInfo.archive.get_name();
    QVERIFY(!name.isEmpty());
    QCOMPARE(cards->cardAt(0)->findChild<QLabel *>(QStringLiteral("labelName"))->text(), name);
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
    if (noData) {
        QCOMPARE(record.compareInfo.archiveImage.url,
                 QStringLiteral(":/images/home/charts/ai/image_nodate.png"));
        QCOMPARE(record.compareInfo.score, 0.0f);
        QVERIFY(!QFileInfo::exists(localArchive));
    } else {
        QCOMPARE(record.compareInfo.archiveImage.url, localArchive);
        QCOMPARE(record.compareInfo.score, 0.42f);
        QVERIFY(QFileInfo::exists(localArchive));
    }
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

void TestIntake::failureReleasesAndShowsNothing()
{
    auto screen = makeScreen();
    TransferProbe probe;
    screen->installEventFilter(&probe);
    HostTesting::failNextTransferTasks(1);
    emitLive(notification(newSnapPicture(), {registered(501)}));
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline + 1);
    settle();
    QCOMPARE(probe.events.size(), 1);
    QCOMPARE(probe.events.first().status, -1);
    QCOMPARE(strip(screen.get())->cardCount(), 0);
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);

    emitLive(notification(newSnapPicture(), {registered(502)}));
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), QList<int>{502});
}

void TestIntake::repeatedCompletionChangesNothing()
{
    auto screen = makeScreen();
    TransferProbe probe;
    screen->installEventFilter(&probe);
    HostTesting::repeatNextTransferCompletions(1);
    MessageLog log;
    emitLive(notification(newSnapPicture(), {registered(501)}));
    settle();
    QCOMPARE(probe.events.size(), 2);
    QCOMPARE(probe.events.at(0).taskId, probe.events.at(1).taskId);
    QCOMPARE(log.count(QStringLiteral("EpidemicPreview::processTransEvent status: success "
                                      "m_nTaskID == taskId")),
             1);
    QCOMPARE(strip(screen.get())->cardCount(), 1);
    QCOMPARE(outstanding(screen.get()), 0);
}

void TestIntake::interleavedAndRepeatedEventsReleaseOnce()
{
    auto screen = makeScreen();
    TransferProbe probe;
    screen->installEventFilter(&probe);
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);

    // A reports last (delayed), C fails, every completion arrives twice: B B C C A A.
    MessageLog repeats;
    HostTesting::repeatNextTransferCompletions(3);
    HostTesting::delayNextTransferTask(300);
    emitLive(notification(newSnapPicture(), {registered(501)}));
    emitLive(notification(newSnapPicture(), {registered(502)}));
    HostTesting::failNextTransferTasks(1);
    emitLive(notification(newSnapPicture(), {registered(503)}));
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline + 3);
    settle();

    QCOMPARE(finished.size(), 3);
    const int taskA = finished.at(2).at(0).toInt();
    const int taskB = finished.at(0).at(0).toInt();
    const int taskC = finished.at(1).at(0).toInt();
    QCOMPARE(finished.at(1).at(1).toInt(), -1);
    QCOMPARE(probe.taskIds(), (QList<int>{taskB, taskB, taskC, taskC, taskA, taskA}));
    // Each repeat follows its own completion directly, so it is the last task handled.
    QCOMPARE(repeats.count(QStringLiteral(
                     "EpidemicPreview::processTransEvent status: success m_nTaskID == taskId")),
             2);
    QCOMPARE(repeats.count(QStringLiteral(
                     "EpidemicPreview::processTransEvent status: -1 m_nTaskID == taskId")),
             1);
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

void TestIntake::pictureMissingFromCacheShowsNothing()
{
    auto screen = makeScreen();
    // The transfer copies whatever the platform holds; a file that is no picture never loads.
    const QString broken = QStringLiteral("intake/broken-%1.jpg").arg(++g_nPictureCounter);
    const QString path = PlatformPictureStore::absolutePath(broken);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
    file.close();

    MessageLog log;
    emitLive(notification(broken, {registered(501)}));
    settle();
    QVERIFY(log.contains(QStringLiteral(
            "EpidemicPreview::processTransEvent  FileDataCacheHelper::tryLoadPixmap failed")));
    QCOMPARE(strip(screen.get())->cardCount(), 0);
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
}

void TestIntake::eventsAfterDestructionAreHarmless()
{
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    {
        // Destroyed while the transfer still runs: the screen releases the record itself.
        auto screen = makeScreen();
        QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);
        HostTesting::delayNextTransferTask(200);
        emitLive(notification(newSnapPicture(), {registered(501)}));
        QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline + 1);
        screen.reset();
        flushDeferredDeletes();
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

void TestIntake::historyOfTodayIsShownNeverAnnounced()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (now.time() < QTime(0, 5))
        QSKIP("too close to midnight for an earlier snapshot of today");
    const QString channel = QStringLiteral("TC-GATE-B_1");
    const QDateTime midnight(now.date(), QTime(0, 0));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(501)}, channel, 0, midnight.addSecs(1))));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(502)}, channel, 1, now.addSecs(-60))));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(503)}, channel, 0, midnight.addSecs(-1))));
    QVERIFY(SnapshotHistory::record(
            notification(newSnapPicture(), {registered(504)}, channel, 0, now.addSecs(3600))));

    ScreenSetup setup;
    setup.channels = QStringList{channel};
    auto screen = makeScreen(setup);
    QSignalSpy announced(strip(screen.get()), &TempSnapWidget::sendTempInfo);
    settle();
    QCOMPARE(cardArchiveIds(screen.get()), (QList<int>{501, 502}));
    for (int row = 0; row < strip(screen.get())->cardCount(); ++row)
        QVERIFY(!strip(screen.get())->cardAt(row)->record().bAnnounce);
    QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(announced.size(), 0);

    // A live snapshot on the same strip is announced, so silence above is the history's own.
    emitLive(notification(newSnapPicture(), {registered(505)}, channel));
    settle();
    QCOMPARE(strip(screen.get())->cardCount(), 3);
    QVERIFY(strip(screen.get())->cardAt(0)->record().bAnnounce);
    QTRY_COMPARE(announced.size(), 1);
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
    for (const char *uid : {"TC-GATE-A_1", "TC-GATE-B_1", "NVR-NORTH_1", "NVR-NORTH_3",
                            "NVR-SOUTH_1", "TC-WAREHOUSE_1"})
        QVERIFY2(channels.contains(QLatin1String(uid)), uid);
    for (const char *uid : {"NVR-NORTH_2", "NVR-SOUTH_2", "IPC-PARK_1", "stale"})
        QVERIFY2(!channels.contains(QLatin1String(uid)), uid);
}

FEVER_TEST_MAIN(TestIntake)

#include "tst_intake.moc"
