#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "FaultNotices.h"
#include "ScreenStoreSync.h"
#include "StrategyDefaults.h"
#include "StrategyLoader.h"

#include "AppLanguageTr.h"
#include "HostTesting.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "PlatformStore.h"
#include "VORNClientAIManager.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

#include <QTimer>

#include <algorithm>

using Strategies = std::vector<ST_MSGVoiceBroadcastStrategy>;

namespace {

const char kScenario[] = R"({ "version": 1, "loginServer": { "uid": "login-1" },
    "user": { "id": 7, "name": "operator" },
    "personGroups": [ { "id": 5, "name": "Staff", "parentId": -99999 },
                      { "id": 3, "name": "Night shift", "parentId": 5 },
                      { "id": 9, "name": "Visitors", "parentId": -99999 } ] })";

const std::vector<int> kAllGroups = {5, 3, 9};

VORNClientAIManager *manager()
{
    return VORNClientAIManager::instance();
}

VoiceStrategyStore *store()
{
    return HostTesting::strategyStore();
}

Strategies listOf(int windowId)
{
    Strategies strategies;
    manager()->getVoiceBroadcastStrategyListByWinID(windowId, strategies);
    return strategies;
}

// `count` distinguishable strategies stored under the window.
Strategies storeWindow(int windowId, int count)
{
    for (int i = 0; i < count; ++i) {
        ST_MSGVoiceBroadcastStrategy s = StrategyDefaults::registryStrategy(windowId, {100 + i});
        s.set_speech_content("window " + std::to_string(windowId) + " #" + std::to_string(i));
        OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
        OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
        request.setVoiceBroadcastStrategy(s);
        manager()->addAiCompareVoiceBroadcastStrategy(request, response);
    }
    return listOf(windowId);
}

// The first show's last step starts the 500 ms clearing tick.
bool firstShowCompleted(QObject *screen)
{
    const auto timers = screen->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(timers.begin(), timers.end(), [](const QTimer *timer) {
        return timer->isActive() && timer->interval() == 500;
    });
}

// Equal but for the id and the window.
bool isCopyOf(const ST_MSGVoiceBroadcastStrategy &copy, const ST_MSGVoiceBroadcastStrategy &source)
{
    ST_MSGVoiceBroadcastStrategy same = copy;
    same.set_id(source.get_id());
    same.set_window_id(source.get_window_id());
    return same == source;
}

} // namespace

class StrategyLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        // The offscreen platform cannot pass a top-level window's changed size limits on.
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
        QVERIFY2(HostTesting::loadScenarioData(kScenario),
                 qPrintable(HostTesting::lastScenarioError()));
    }

    void init()
    {
        // Every case starts from an empty platform; the copy rules look at windows 0 to 3.
        OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage request;
        OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage response;
        bool any = false;
        for (int windowId = 0; windowId <= 6; ++windowId) {
            for (const ST_MSGVoiceBroadcastStrategy &s : listOf(windowId)) {
                request.addID(s.get_id());
                any = true;
            }
        }
        if (any)
            QVERIFY(manager()->delAiCompareVoiceBroadcastStrategy(request, response));
    }

    void cleanup() { store()->clearFailures(); }

    void emptyPlatformCreatesStrangerThenRegistryOnce()
    {
        const int addsBefore = store()->requestCount(VoiceStrategyStore::Request::Add);
        const Strategies loaded = StrategyLoader::loadWindowStrategies(1);

        QCOMPARE(store()->requestCount(VoiceStrategyStore::Request::Add) - addsBefore, 2);
        QCOMPARE(loaded.size(), std::size_t(2));
        QVERIFY(isCopyOf(loaded[0], StrategyDefaults::strangerStrategy(1, kAllGroups)));
        QVERIFY(isCopyOf(loaded[1], StrategyDefaults::registryStrategy(1, kAllGroups)));
        for (const ST_MSGVoiceBroadcastStrategy &s : loaded) {
            QCOMPARE(s.get_window_id(), 1);
            QVERIFY(s.get_id() != -99999);
        }
        QVERIFY(listOf(1) == loaded);
        QVERIFY2(listOf(2).empty() && listOf(0).empty(), "only the asking window gets a list");

        // As after a restart of the client: read back, nothing added.
        PlatformStore::instance()->close();
        QVERIFY(PlatformStore::instance()->reopen());
        QVERIFY(StrategyLoader::loadWindowStrategies(1) == loaded);
        QCOMPARE(store()->requestCount(VoiceStrategyStore::Request::Add) - addsBefore, 2);
    }

    void emptyWindowCopiesAnother_data()
    {
        QTest::addColumn<int>("windowId");
        QTest::addColumn<int>("window1Count");
        QTest::addColumn<int>("window2Count");
        QTest::addColumn<int>("expectedSource");

        QTest::newRow("window 3 prefers window 2") << 3 << 3 << 2 << 2;
        QTest::newRow("window 3 falls back on window 1") << 3 << 3 << 0 << 1;
        QTest::newRow("window 2 asks window 1 only") << 2 << 3 << 0 << 1;
        QTest::newRow("window 5 ignores window 2") << 5 << 3 << 2 << 1;
        // The key of a screen without a window id (tst_epidemicpreview checks the keys).
        QTest::newRow("window 0 asks window 1") << 0 << 3 << 2 << 1;
    }

    void emptyWindowCopiesAnother()
    {
        QFETCH(int, windowId);
        QFETCH(int, window1Count);
        QFETCH(int, window2Count);
        QFETCH(int, expectedSource);

        const Strategies window1 = storeWindow(1, window1Count);
        const Strategies window2 = storeWindow(2, window2Count);
        const Strategies &source = expectedSource == 2 ? window2 : window1;

        const Strategies loaded = StrategyLoader::loadWindowStrategies(windowId);
        QCOMPARE(loaded.size(), source.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            QVERIFY2(isCopyOf(loaded[i], source[i]),
                     qPrintable(QStringLiteral("strategy %1").arg(i)));
            QCOMPARE(loaded[i].get_window_id(), windowId);
            QVERIFY(loaded[i].get_id() != source[i].get_id());
        }
        // The other windows keep their own lists.
        if (windowId != 1)
            QVERIFY(listOf(1) == window1);
        if (windowId != 2)
            QVERIFY(listOf(2) == window2);
    }

    void failedAddIsLeftOut_data()
    {
        QTest::addColumn<int>("window1Count");
        QTest::addColumn<int>("expectedCount");
        QTest::addColumn<int>("firstRecognitionType");
        // Creating the defaults: the stranger add fails, the registry strategy is still stored.
        QTest::newRow("defaults") << 0 << 1 << 1;
        // Copying window 1's three strategies: the first copy fails, the other two arrive.
        QTest::newRow("copy") << 3 << 2 << 1;
    }

    void failedAddIsLeftOut()
    {
        QFETCH(int, window1Count);
        QFETCH(int, expectedCount);
        QFETCH(int, firstRecognitionType);

        const Strategies window1 = storeWindow(1, window1Count);
        store()->failNext(VoiceStrategyStore::Request::Add, 1, QStringLiteral("platform busy"));
        const Strategies loaded = StrategyLoader::loadWindowStrategies(4);

        QCOMPARE(loaded.size(), std::size_t(expectedCount));
        QCOMPARE(loaded.front().get_recognition_type(), firstRecognitionType);
        if (window1Count > 0) {
            QVERIFY(isCopyOf(loaded[0], window1[1]));
            QVERIFY(isCopyOf(loaded[1], window1[2]));
        }
        QVERIFY(listOf(4) == loaded);
    }

    void failedListIsNotTakenForAnEmptyOne_data()
    {
        QTest::addColumn<int>("window1Count");
        QTest::addColumn<int>("expectedCount");
        QTest::newRow("defaults") << 0 << 2;
        QTest::newRow("copy of window 1") << 3 << 3;
    }

    void failedListIsNotTakenForAnEmptyOne()
    {
        QFETCH(int, window1Count);
        QFETCH(int, expectedCount);
        storeWindow(1, window1Count);
        const int addsBefore = store()->requestCount(VoiceStrategyStore::Request::Add);

        // Before, each of these starts stored the defaults or the copy once more.
        for (int start = 0; start < 5; ++start) {
            store()->failNext(VoiceStrategyStore::Request::List, 1,
                              QStringLiteral("platform busy"));
            Strategies loaded{ST_MSGVoiceBroadcastStrategy()};
            QVERIFY(!StrategyLoader::loadWindowStrategies(2, loaded));
            QVERIFY(loaded.empty());
        }
        QCOMPARE(store()->requestCount(VoiceStrategyStore::Request::Add), addsBefore);
        store()->clearFailures();

        Strategies loaded;
        QVERIFY(StrategyLoader::loadWindowStrategies(2, loaded));
        QCOMPARE(loaded.size(), std::size_t(expectedCount));
        QVERIFY(listOf(2) == loaded);
        QCOMPARE(store()->requestCount(VoiceStrategyStore::Request::Add) - addsBefore,
                 expectedCount);
    }

    // Window 1 on an empty platform, whose stranger strategy cannot be stored. Copies under
    // the screen's own key are emptyWindowCopiesAnother's, a single first show
    // tst_epidemicpreview's.
    void failedAddDoesNotStopTheFirstShow()
    {
        EpidemicPreview screen;
        screen.setProperty("priviewWinId", 0);
        store()->failNext(VoiceStrategyStore::Request::Add, 1, QStringLiteral("platform busy"));
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QVERIFY(firstShowCompleted(&screen));
        const Strategies stored = listOf(1);
        QCOMPARE(stored.size(), std::size_t(1));
        QCOMPARE(stored[0].get_recognition_type(), 1);
    }

    void screenTellsAndRetriesUntilTheListArrives()
    {
        EpidemicPreview screen;
        screen.setProperty("priviewWinId", 0);
        auto *sync = screen.findChild<ScreenStoreSync *>();
        auto *notices = screen.findChild<FaultNotices *>();
        QVERIFY(sync && notices);
        sync->setRetryInterval(20);
        // The first show and the next two retries fail.
        store()->failNext(VoiceStrategyStore::Request::List, 3, QStringLiteral("platform busy"));

        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QPair<QString, int> failureTip(
                AppLanguageTr::translate(QStringLiteral("TK_StrategyLoadFailed")), 2);
        QVERIFY(HostTesting::recentTips(&screen).contains(failureTip));
        QVERIFY(notices->isFailing(FaultNotices::Strategies));

        // The defaults (card size 2) reach the strip once a retry reads the list.
        TempSnapWidget *strip = testsupport::cardStrip(&screen);
        TempSnapWidget medium;
        medium.setCardSize(2);
        QVERIFY(strip->cardSize() != medium.cardSize());
        QTRY_COMPARE(strip->cardSize(), medium.cardSize());
        QVERIFY(!notices->isFailing(FaultNotices::Strategies));
        QVERIFY(!sync->hasPendingWork());
        QCOMPARE(listOf(1).size(), std::size_t(2));
        QCOMPARE(HostTesting::recentTips(&screen).count(failureTip), 1);
    }
};

FEVER_TEST_MAIN(StrategyLoaderTest)
#include "tst_strategyloader.moc"
