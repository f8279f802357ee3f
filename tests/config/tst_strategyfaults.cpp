#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "FaultNotices.h"
#include "ScreenStoreSync.h"
#include "StrategyDefaults.h"
#include "StrategyLoader.h"
#include "TempSnapWidget.h"

#include "AppLanguageTr.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "VORNClientAIManager.h"
#include "VoiceStrategyStore.h"

using Strategies = std::vector<ST_MSGVoiceBroadcastStrategy>;

namespace {

VoiceStrategyStore *store()
{
    return HostTesting::strategyStore();
}

int addCount()
{
    return store()->requestCount(VoiceStrategyStore::Request::Add);
}

Strategies listOf(int windowId)
{
    Strategies strategies;
    VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(windowId, strategies);
    return strategies;
}

void storeWindow(int windowId, int count)
{
    for (int i = 0; i < count; ++i) {
        OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
        OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
        request.setVoiceBroadcastStrategy(StrategyDefaults::registryStrategy(windowId, {i}));
        VORNClientAIManager::instance()->addAiCompareVoiceBroadcastStrategy(request, response);
    }
}

} // namespace

// A strategy list that cannot be read is not taken for an empty one.
class TstStrategyFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    }

    void init()
    {
        OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage request;
        OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage response;
        bool any = false;
        for (int windowId = 0; windowId <= 3; ++windowId) {
            for (const ST_MSGVoiceBroadcastStrategy &s : listOf(windowId)) {
                request.addID(s.get_id());
                any = true;
            }
        }
        if (any)
            QVERIFY(VORNClientAIManager::instance()->delAiCompareVoiceBroadcastStrategy(request,
                                                                                        response));
    }

    void cleanup() { store()->clearFailures(); }

    void failedStartsStoreNothing_data()
    {
        QTest::addColumn<int>("window1Count");
        QTest::addColumn<int>("expectedCount");
        QTest::newRow("defaults") << 0 << 2;
        QTest::newRow("copy of window 1") << 3 << 3;
    }

    void failedStartsStoreNothing()
    {
        QFETCH(int, window1Count);
        QFETCH(int, expectedCount);
        storeWindow(1, window1Count);
        const int addsBefore = addCount();

        // Before, each of these starts stored the defaults or the copy once more.
        for (int start = 0; start < 5; ++start) {
            store()->failNext(VoiceStrategyStore::Request::List, 1,
                              QStringLiteral("platform busy"));
            Strategies loaded{ST_MSGVoiceBroadcastStrategy()};
            QVERIFY(!StrategyLoader::loadWindowStrategies(2, loaded));
            QVERIFY(loaded.empty());
        }
        QCOMPARE(addCount(), addsBefore);
        store()->clearFailures();

        Strategies loaded;
        QVERIFY(StrategyLoader::loadWindowStrategies(2, loaded));
        QCOMPARE(loaded.size(), std::size_t(expectedCount));
        QVERIFY(listOf(2) == loaded);
        QCOMPARE(addCount() - addsBefore, expectedCount);
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
        auto *strip = screen.findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
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

FEVER_TEST_MAIN(TstStrategyFaults)
#include "tst_strategyfaults.moc"
