#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "FaultNotices.h"
#include "OverTempSnapWidget.h"
#include "ScreenStoreSync.h"
#include "SnapIntake.h"
#include "StrategyDefaults.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "FlieDataTransfer.h"
#include "PlatformStore.h"
#include "RecordingSpeechEngine.h"
#include "SnapshotHistory.h"
#include "SpeechHelper.h"
#include "VornClient.h"

#include <QPushButton>

#include <memory>

using snaptest::SnapBuilder;
using testsupport::StoreLock;

namespace {

constexpr int On = 2;

bool prepareWindow(int windowId, const ST_MSGVoiceBroadcastStrategy &strategy)
{
    return testsupport::prepareWindow(windowId, {strategy}, {snaptest::DefaultChannel});
}

// Says "Stranger <temp> <unit>" for every stranger, all week.
ST_MSGVoiceBroadcastStrategy speakingStrategy()
{
    ST_MSGVoiceBroadcastStrategy stranger;
    stranger.set_recognition_type(2);
    stranger.set_report_stranger(On);
    stranger.set_report_stranger_content("TK_Stranger");
    stranger.set_show_temperature(On);
    stranger.set_temperature_type(1);
    stranger.set_thermometry_result(1);
    stranger.vecTimeRange = StrategyDefaults::wholeWeek();
    return stranger;
}

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
    TempSnapWidget *strip() const { return testsupport::cardStrip(&screen); }
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
        QVERIFY(prepareWindow(window, StrategyDefaults::strangerStrategy(window + 1)));
        const QDateTime minuteAgo = QDateTime::currentDateTime().addSecs(-60);
        for (int person = 1; person <= 5; ++person) {
            QVERIFY(SnapshotHistory::record(SnapBuilder()
                                                    .onPlatform()
                                                    .registered(700 + person)
                                                    .at(minuteAgo)
                                                    .notification()));
        }
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
        QVERIFY(prepareWindow(window, StrategyDefaults::strangerStrategy(window + 1)));
        const auto stored = [window] {
            return AppConfigHelper::instance()->getEpidemicPreviewConfigParam(window);
        };
        IntelligentSnapConfigParam selection = stored();
        // An organisation the scenario has, so that the first show keeps it.
        selection.nOrgaId = 2;
        selection.nStatisticsType = QueryByPlatformAndNVR;
        QVERIFY(AppConfigHelper::instance()->setEpidemicPreviewConfigParam(window, selection));
        Screen screen(window);
        screen.show();
        auto *overTemp =
                screen.screen.findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));

        StoreLock lock(false);
        QVERIFY(lock.isHeld());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        overTemp->findChild<QPushButton *>(QStringLiteral("m_pClearPushButton"))->click();
        QVERIFY(screen.tipped("TK_StoreFailed", 2));
        lock.release();

        // Before, the clear time was lost with the failed write. The selection stays as it was.
        QTRY_VERIFY(!stored().strClearOverTempTime.isEmpty());
        const QDateTime cleared = QDateTime::fromString(stored().strClearOverTempTime,
                                                        QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QVERIFY2(cleared >= before && cleared <= QDateTime::currentDateTime(),
                 qPrintable(stored().strClearOverTempTime));
        selection.strClearOverTempTime = stored().strClearOverTempTime;
        QCOMPARE(stored(), selection);
    }

    void mutingOrReleasingOneScreenKeepsTheOthersSentences()
    {
        QVERIFY(prepareWindow(12, speakingStrategy()));
        QVERIFY(prepareWindow(13, speakingStrategy()));
        Screen first(12);
        Screen second(13);
        first.show();
        second.show();
        SpeechHelper *speech = SpeechHelper::instance();

        first.strangerPasses(QStringLiteral("36.1"));
        second.strangerPasses(QStringLiteral("36.2"));
        first.strangerPasses(QStringLiteral("36.3"));
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.1"));

        // Off: the first screen's sentence being spoken stops, its waiting one goes, new ones are
        // dropped; the other screen's sentence is spoken next.
        first.sound()->click();
        QCOMPARE(first.soundState(), QStringLiteral("close"));
        QVERIFY(first.sound()->icon().isNull());
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.2"));
        first.strangerPasses(QStringLiteral("36.9"));
        QCOMPARE(speech->pendingCount(), 0);

        // On again: what is being spoken goes on.
        first.sound()->click();
        QCOMPARE(first.soundState(), QStringLiteral("open"));
        QCOMPARE(m_engine->currentSentence(), sentence("36.2"));
        first.strangerPasses(QStringLiteral("36.4"));
        second.strangerPasses(QStringLiteral("36.5"));
        second.screen.releaseResource();
        QTRY_COMPARE(m_engine->currentSentence(), sentence("36.4"));
        QCOMPARE(speech->pendingCount(), 0);
        QCOMPARE(m_engine->stoppedSentences(), (QStringList{sentence("36.1"), sentence("36.2")}));
    }

    void soundButtonShowsAVoiceThatGivesUp()
    {
        QVERIFY(prepareWindow(14, speakingStrategy()));
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
        QVERIFY(prepareWindow(window, StrategyDefaults::strangerStrategy(window + 1)));
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
        const QDateTime minuteAgo = QDateTime::currentDateTime().addSecs(-60);
        const auto arrive = [&minuteAgo](int archiveId) {
            emit VornClient::instance()->signalCompareNotifyReceived(
                    SnapBuilder().onPlatform().registered(archiveId).at(minuteAgo).list());
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
