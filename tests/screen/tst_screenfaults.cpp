#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "FaultNotices.h"
#include "OverTempSnapWidget.h"
#include "ScreenStoreSync.h"
#include "SnapIntake.h"
#include "StrategyDefaults.h"
#include "TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "FlieDataTransfer.h"
#include "PlatformPictureStore.h"
#include "PlatformStore.h"
#include "RecordingSpeechEngine.h"
#include "SnapshotHistory.h"
#include "SpeechHelper.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

#include <QImage>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

namespace {

constexpr int On = 2;
const QString Gate = QStringLiteral("TC-GATE-A_1"); // a thermal channel of the stand-in client

void storeStrategy(const ST_MSGVoiceBroadcastStrategy &strategy)
{
    int id = 0;
    QVERIFY(VoiceStrategyStore::instance()->add(strategy, id));
}

// Says "Stranger <temp> <unit>" for every stranger, all week.
void storeSpeakingStrategy(int windowId)
{
    ST_MSGVoiceBroadcastStrategy stranger;
    stranger.set_window_id(windowId + 1);
    stranger.set_recognition_type(2);
    stranger.set_report_stranger(On);
    stranger.set_report_stranger_content("TK_Stranger");
    stranger.set_show_temperature(On);
    stranger.set_temperature_type(1);
    stranger.set_thermometry_result(1);
    for (int day = 0; day < 7; ++day)
        stranger.vecTimeRange.push_back({day, "00-00", "24-00"});
    storeStrategy(stranger);
}

void storeSelection(int windowId)
{
    IntelligentSnapConfigParam selection;
    selection.strChannelUIDList = QStringList{Gate};
    selection.nChannelCount = 1;
    QVERIFY(AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, selection));
}

// A snapshot of a registered person on the gate, a minute ago, with its pictures in place.
OrvaneCompareNotifyMessage historySnapshot(int archiveId)
{
    QImage image(48, 64, QImage::Format_RGB32);
    image.fill(qRgb(40 + archiveId % 200, 90, 160));
    OrvaneCompareNotifyMessage notify;
    OrvaneSnapTargetSource &source = notify.snapFaceInfo.snapTargetSource;
    source.serverUID = QStringLiteral("VORN-SRV-01");
    source.snapDetailImageURL =
            PlatformPictureStore::store(QStringLiteral("faults/snap-%1.jpg").arg(archiveId), image);
    source.channelUID = Gate;
    source.deviceTypeId = 20;
    source.snapTime = QDateTime::currentDateTime()
                              .addSecs(-60 - archiveId % 60)
                              .toString(QLatin1String(SnapshotHistory::TimeFormat));
    source.hasTemperature = 1;
    source.temperature = 36.5;
    CompareInfo match;
    match.archiveImage.archiveId = archiveId;
    match.archiveImage.archiveGroupId = 2;
    match.archiveImage.url = PlatformPictureStore::store(
            QStringLiteral("faults/archive-%1.jpg").arg(archiveId), image);
    match.archive.set_id(archiveId);
    match.archive.set_name(QStringLiteral("Person %1").arg(archiveId));
    match.matchFlag = 1;
    match.score = 0.9f;
    notify.compareInfoVec.push_back(match);
    return notify;
}

// Another program writing to the store until it goes. Readers are locked out too when the
// store's own connection is closed; while it is open (write-ahead log), only writers are.
class StoreLock
{
public:
    explicit StoreLock(bool readersToo)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        db.setDatabaseName(PlatformStore::instance()->databaseFilePath());
        QSqlQuery query(db);
        m_bHeld = db.open()
                  && (!readersToo || query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")))
                  && query.exec(QStringLiteral("BEGIN EXCLUSIVE"))
                  && query.exec(QStringLiteral("INSERT OR REPLACE INTO host_records VALUES"
                                               " ('locker', 'k', x'00', 0)"));
    }
    ~StoreLock() { release(); }
    void release()
    {
        if (!QSqlDatabase::contains(name()))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(name(), false);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name());
    }
    bool isHeld() const { return m_bHeld; }

private:
    static QString name() { return QStringLiteral("tst_screenfaults_lock"); }
    bool m_bHeld = false;
};

struct Screen
{
    explicit Screen(int windowId)
    {
        screen.setProperty("priviewWinId", windowId);
        screen.resize(1157, 603);
        screen.findChild<ScreenStoreSync *>()->setRetryInterval(50);
    }
    void show()
    {
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
    }
    TempSnapWidget *strip() const
    {
        return screen.findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
    }
    QPushButton *sound() const
    {
        return screen.findChild<QPushButton *>(QStringLiteral("pushButtonSound"));
    }
    QString soundState() const { return sound()->property("stated").toString(); }
    void strangerPasses(const QString &temp) const
    {
        emit strip()->sendTempInfo(QString(), temp, 0, QStringLiteral("08:15:30"), -99999, 1);
    }
    bool tipped(const char *key, int kind) const
    {
        return HostTesting::recentTips(&screen).contains(
                qMakePair(AppLanguageTr::translate(QString::fromLatin1(key)), kind));
    }

    EpidemicPreview screen;
};

QString sentence(const QString &temp)
{
    return QStringLiteral("Stranger %1 %2").arg(temp, AppLanguageTr::translate("TK_Degrees"));
}

} // namespace

// What the operator of one screen sees of faults around it, and what one screen's actions do to
// the others.
class TstScreenFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
        // The strategy store reports a locked database as a warning.
        testsupport::allowWarning(QRegularExpression(QStringLiteral("^VoiceStrategyStore::")));
    }

    void init()
    {
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(60000); // a sentence lasts until the test moves on
        m_engine = engine.get();
        HostTesting::setSpeechEngine(std::move(engine));
    }

    void cleanup()
    {
        SpeechHelper::instance()->clearList();
        HostTesting::setSpeechTimeout(SpeechHelper::DefaultTimeoutMs,
                                      SpeechHelper::DefaultTimeoutPerCharMs);
        HostTesting::resetTransferFaults();
        QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
        QCoreApplication::sendPostedEvents();
    }

    void storeLockedAtStartIsReadWhenFree()
    {
        const int window = 10;
        storeStrategy(StrategyDefaults::strangerStrategy(window + 1));
        storeSelection(window);
        for (int person = 1; person <= 5; ++person)
            QVERIFY(SnapshotHistory::record(historySnapshot(700 + person)));
        PlatformStore::instance()->close(); // as at the start of the client

        StoreLock lock(true);
        QVERIFY(lock.isHeld());
        Screen screen(window);
        screen.show();
        QCOMPARE(screen.strip()->cardCount(), 0);
        QVERIFY(screen.tipped("TK_StoreFailed", 2));
        QVERIFY(screen.tipped("TK_StrategyLoadFailed", 2));

        // Before, the screen never read the store again and stayed without cards.
        lock.release();
        QTRY_COMPARE_WITH_TIMEOUT(screen.strip()->cardCount(), 5,
                                  PlatformStore::RetryOpenMs + 5000);
        QVERIFY(!screen.screen.findChild<ScreenStoreSync *>()->hasPendingWork());
    }

    void refusedWriteIsKeptAndStoredLater()
    {
        const int window = 11;
        storeStrategy(StrategyDefaults::strangerStrategy(window + 1));
        storeSelection(window);
        Screen screen(window);
        screen.show();
        auto *overTemp =
                screen.screen.findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));

        StoreLock lock(false);
        QVERIFY(lock.isHeld());
        emit overTemp->signalClearOverTempSnap();
        QVERIFY(screen.tipped("TK_StoreFailed", 2));
        lock.release();

        // Before, the clear time was lost with the failed write.
        const auto stored = [window] {
            return AppConfigHelper::instance()->getEpidemicPreviewConfigParam(window);
        };
        QTRY_VERIFY(!stored().strClearOverTempTime.isEmpty());
        QCOMPARE(stored().strChannelUIDList, QStringList{Gate});
    }

    void mutingOrReleasingOneScreenKeepsTheOthersSentences()
    {
        storeSpeakingStrategy(12);
        storeSpeakingStrategy(13);
        Screen first(12);
        Screen second(13);
        first.show();
        second.show();
        SpeechHelper *speech = SpeechHelper::instance();

        first.strangerPasses(QStringLiteral("36.1"));
        second.strangerPasses(QStringLiteral("36.2"));
        first.strangerPasses(QStringLiteral("36.3"));
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.1"));

        first.sound()->click();
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.2"));
        QCOMPARE(speech->pendingCount(), 0);

        first.sound()->click();
        first.strangerPasses(QStringLiteral("36.4"));
        second.strangerPasses(QStringLiteral("36.5"));
        second.screen.releaseResource();
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.4"));
        QCOMPARE(speech->pendingCount(), 0);
        QCOMPARE(m_engine->stoppedSentences(), (QStringList{sentence("36.1"), sentence("36.2")}));
    }

    void soundButtonShowsAVoiceThatGivesUp()
    {
        storeSpeakingStrategy(14);
        Screen screen(14);
        screen.show();
        QCOMPARE(screen.soundState(), QStringLiteral("open"));
        HostTesting::setSpeechTimeout(30, 0);
        m_engine->setDuration(-1); // hangs on every sentence

        for (int i = 0; i < SpeechHelper::UnavailableAfterGiveUps; ++i)
            screen.strangerPasses(QStringLiteral("36.%1").arg(i));
        QTRY_COMPARE(screen.soundState(), QStringLiteral("unavailable"));
        const QString unavailable = AppLanguageTr::translate("TK_SpeechUnavailable");
        QCOMPARE(screen.sound()->toolTip(), unavailable);
        QVERIFY(screen.tipped("TK_SpeechUnavailable", 2));

        // The user's choice shows first; back on, the voice is still known to be gone.
        screen.sound()->click();
        QCOMPARE(screen.soundState(), QStringLiteral("close"));
        screen.sound()->click();
        QCOMPARE(screen.soundState(), QStringLiteral("unavailable"));

        m_engine->setDuration(10);
        screen.strangerPasses(QStringLiteral("36.9"));
        QTRY_COMPARE(screen.soundState(), QStringLiteral("open"));
        QVERIFY(screen.sound()->toolTip().isEmpty());
    }

    void fullDiskIsToldOnceAndSoIsItsEnd()
    {
        const int window = 15;
        storeStrategy(StrategyDefaults::strangerStrategy(window + 1));
        storeSelection(window);
        Screen screen(window);
        screen.show();
        FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
        // Snapshots stored by earlier tests come as history first.
        QTRY_COMPARE(transfer->pendingTaskCount(), 0);
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(screen.screen.findChild<SnapIntake *>()->waitingCount(), 0);
        const int cards = screen.strip()->cardCount();
        qint64 now = 0;
        screen.screen.findChild<FaultNotices *>()->setClock([&now] { return now; });
        QSignalSpy finished(transfer, &FlieDataTransfer::signalTaskFinished);
        const auto arrive = [](int archiveId) {
            emit VornClient::instance()->signalCompareNotifyReceived({historySnapshot(archiveId)});
        };

        // Before, the operator saw nothing at all: the cards just stopped coming.
        testsupport::allowWarning(QRegularExpression(QStringLiteral("no space left")));
        HostTesting::simulateFullDisk(true);
        for (int person = 801; person <= 803; ++person)
            arrive(person);
        QTRY_COMPARE(finished.size(), 3);
        QCoreApplication::sendPostedEvents();
        QList<QPair<QString, int>> failures;
        for (const QPair<QString, int> &tip : HostTesting::recentTips(&screen.screen)) {
            if (tip.second == FaultNotices::FailureTip)
                failures.append(tip);
        }
        QCOMPARE(failures,
                 (QList<QPair<QString, int>>{{AppLanguageTr::translate("TK_DiskFull"), 2}}));
        QCOMPARE(screen.strip()->cardCount(), cards);

        HostTesting::simulateFullDisk(false);
        now += FaultNotices::MinTipIntervalMs;
        arrive(804);
        QTRY_COMPARE(screen.strip()->cardCount(), cards + 1);
        QVERIFY(screen.tipped("TK_DiskSpaceRecovered", 1));
    }

private:
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstScreenFaults)
#include "tst_screenfaults.moc"
