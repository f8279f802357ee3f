#include "TestSupport.h"

#include "HostTesting.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage.h"
#include "PlatformStore.h"
#include "ST_MSGVoiceBroadcastStrategy.h"
#include "VORNClientAIManager.h"
#include "VoiceStrategyStore.h"

using Strategies = std::vector<ST_MSGVoiceBroadcastStrategy>;
Q_DECLARE_METATYPE(VoiceStrategyStore::Request)

namespace {

// Every field gets a value of its own derived from the seed, so a column read into the wrong
// field, or a field left out of the table, shows as a difference.
ST_MSGVoiceBroadcastStrategy distinctStrategy(int windowId, int seed)
{
    using S = ST_MSGVoiceBroadcastStrategy;
    S s;
    int n = seed * 100;
    for (void (S::*set)(int) :
         {&S::set_user_id,           &S::set_recognition_type,    &S::set_card_size,
          &S::set_display_mode,      &S::set_show_stranger,       &S::set_image_display_mode,
          &S::set_snap_image_handle, &S::set_screen_content_mode, &S::set_thermometry_result,
          &S::set_show_archive,      &S::set_show_name,           &S::set_report_stranger,
          &S::set_show_temperature,  &S::set_temperature_type,    &S::set_temparature_report_enable,
          &S::set_show_mask,         &S::set_mask_type,           &S::set_show_content,
          &S::set_show_time,         &S::set_thermometry_mode})
        (s.*set)(++n);
    for (int S::*field : {&S::show_custom_picture, &S::auto_full_screen, &S::over_temp_clear_time,
                          &S::normal_temp_clear_time, &S::temp_record_mode, &S::show_total_no_mask,
                          &S::show_over_temp_device_name})
        s.*field = ++n;
    const auto text = [&n] { return std::to_string(++n) + " \xc3\xa9\xe4\xbd\xa0 '\""; };
    for (void (S::*set)(const std::string &) :
         {&S::set_stranger_show_name, &S::set_archive_show_name, &S::set_report_stranger_content,
          &S::set_report_normal_temperature, &S::set_report_over_temperature,
          &S::set_report_abnormal_temperature, &S::set_mask_content, &S::set_speech_content})
        (s.*set)(text());
    s.set_screen_image_url("cmu_pic/voice/pic " + text());
    s.set_window_id(windowId);
    // Out of natural order, so a store that sorts the lists instead of keeping them shows.
    s.vecTimeRange = {{5, "08-30", "12-00"}, {1, "00-00", "24-00"}, {5, "13-00", "17-45"}};
    s.vecPersonGroupId = {seed + 30, seed + 10, seed + 20};
    s.vecScreenText = {{3, text(), "OK"}, {0, text(), "OK"}, {1, "", "not OK"}};
    return s;
}

bool add(ST_MSGVoiceBroadcastStrategy &strategy)
{
    OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneAddAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.setVoiceBroadcastStrategy(strategy);
    if (!VORNClientAIManager::instance()->addAiCompareVoiceBroadcastStrategy(request, response))
        return false;
    strategy.set_id(response.getID());
    return true;
}

bool set(const ST_MSGVoiceBroadcastStrategy &strategy)
{
    OrvaneSetAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneSetAiCompareVoiceBroadcastStrategyResponseMessage response;
    request.setVoiceBroadcastStrategy(strategy);
    return VORNClientAIManager::instance()->setAiCompareVoiceBroadcastStrategy(request, response);
}

bool del(const std::vector<int> &ids)
{
    OrvaneDelAiCompareVoiceBroadcastStrategyRequestMessage request;
    OrvaneDelAiCompareVoiceBroadcastStrategyResponseMessage response;
    for (int id : ids)
        request.addID(id);
    return VORNClientAIManager::instance()->delAiCompareVoiceBroadcastStrategy(request, response);
}

Strategies listOf(int windowId)
{
    Strategies strategies;
    VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(windowId, strategies);
    return strategies;
}

QString lastError()
{
    return VORNClientAIManager::instance()->getLastErrorString();
}

} // namespace

// The platform's strategy storage the windows load and the dialog writes: every field, per-window
// order, exact deletes, refused ids and the failure switch the loader's tests rely on.
class VoiceStrategyStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
    void cleanup() { HostTesting::strategyStore()->clearFailures(); }

    void everyFieldSurvivesAddSetAndReopen()
    {
        ST_MSGVoiceBroadcastStrategy strategy = distinctStrategy(11, 1);
        QVERIFY2(add(strategy), qPrintable(lastError()));
        QVERIFY(strategy.get_id() != -99999);
        QVERIFY(listOf(11) == Strategies{strategy});

        // Every field changed, lists of other lengths, same id and window.
        ST_MSGVoiceBroadcastStrategy changed = distinctStrategy(11, 2);
        changed.set_id(strategy.get_id());
        changed.vecTimeRange.pop_back();
        changed.vecPersonGroupId.push_back(99);
        changed.vecScreenText.clear();
        QVERIFY2(set(changed), qPrintable(lastError()));
        QVERIFY(listOf(11) == Strategies{changed});

        PlatformStore::instance()->close();
        QVERIFY(PlatformStore::instance()->reopen());
        QVERIFY(listOf(11) == Strategies{changed});
    }

    void listIsPerWindowInAddOrderAndDeletesExactly()
    {
        ST_MSGVoiceBroadcastStrategy a = distinctStrategy(21, 3);
        ST_MSGVoiceBroadcastStrategy other = distinctStrategy(22, 4);
        ST_MSGVoiceBroadcastStrategy b = distinctStrategy(21, 5);
        ST_MSGVoiceBroadcastStrategy c = distinctStrategy(21, 6);
        QVERIFY(add(a) && add(other) && add(b) && add(c));
        QVERIFY(listOf(21) == (Strategies{a, b, c}));
        QVERIFY(listOf(22) == Strategies{other});
        QVERIFY(listOf(23).empty());

        QVERIFY2(del({b.get_id()}), qPrintable(lastError()));
        QVERIFY(listOf(21) == (Strategies{a, c}));
        // Ids are never handed out again, so a later strategy cannot inherit the deleted one's
        // lists.
        ST_MSGVoiceBroadcastStrategy d = distinctStrategy(21, 9);
        QVERIFY(add(d));
        QVERIFY(d.get_id() != b.get_id());
        QVERIFY(listOf(21) == (Strategies{a, c, d}));
    }

    void unknownIdsFailAndChangeNothing_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("withStoredId");
        QTest::newRow("set unknown") << "set" << 987654 << false;
        QTest::newRow("set unstored") << "set" << -99999 << false;
        QTest::newRow("delete unknown") << "delete" << 987654 << false;
        QTest::newRow("delete stored and unknown") << "delete" << 987654 << true;
    }

    void unknownIdsFailAndChangeNothing()
    {
        QFETCH(QString, request);
        QFETCH(int, id);
        QFETCH(bool, withStoredId);

        ST_MSGVoiceBroadcastStrategy stored = distinctStrategy(41, 10);
        QVERIFY(add(stored));
        const Strategies before = listOf(41);

        bool ok = true;
        if (request == QLatin1String("set")) {
            ST_MSGVoiceBroadcastStrategy changed = distinctStrategy(41, 11);
            changed.set_id(id);
            ok = set(changed);
        } else {
            ok = withStoredId ? del({stored.get_id(), id}) : del({id});
        }
        QVERIFY(!ok);
        QVERIFY2(!lastError().isEmpty(), "a failed call must say why");
        if (id != -99999)
            QVERIFY2(lastError().contains(QString::number(id)), qPrintable(lastError()));
        QVERIFY(listOf(41) == before);

        // Clean the window for the next row.
        QVERIFY(del({stored.get_id()}));
    }

    void failureSwitchFailsNextRequests_data()
    {
        QTest::addColumn<VoiceStrategyStore::Request>("kind");
        QTest::newRow("add") << VoiceStrategyStore::Request::Add;
        QTest::newRow("set") << VoiceStrategyStore::Request::Set;
        QTest::newRow("delete") << VoiceStrategyStore::Request::Delete;
        QTest::newRow("list") << VoiceStrategyStore::Request::List;
    }

    void failureSwitchFailsNextRequests()
    {
        QFETCH(VoiceStrategyStore::Request, kind);
        VoiceStrategyStore *store = HostTesting::strategyStore();
        const int windowId = 50 + int(kind);
        ST_MSGVoiceBroadcastStrategy stored = distinctStrategy(windowId, 12);
        QVERIFY(add(stored));
        const Strategies before = listOf(windowId);

        // One request of the kind; true when it succeeded.
        bool failedListKeptEntries = false;
        const auto attempt = [&]() -> bool {
            ST_MSGVoiceBroadcastStrategy changed = distinctStrategy(windowId, 13);
            switch (kind) {
            case VoiceStrategyStore::Request::Add:
                return add(changed);
            case VoiceStrategyStore::Request::Set:
                changed.set_id(stored.get_id());
                return set(changed);
            case VoiceStrategyStore::Request::Delete:
                return del({stored.get_id()});
            case VoiceStrategyStore::Request::List: {
                Strategies listed{ST_MSGVoiceBroadcastStrategy()};
                const bool ok =
                        VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(
                                windowId, listed);
                failedListKeptEntries = failedListKeptEntries || (!ok && !listed.empty());
                return ok && listed == before;
            }
            }
            return false;
        };

        const int requestsBefore = store->requestCount(kind);
        store->failNext(kind, 2, QStringLiteral("platform busy"));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(!attempt());
            QCOMPARE(lastError(), QStringLiteral("platform busy"));
        }
        QVERIFY2(!failedListKeptEntries, "a failed list must hand back an empty vector");
        // Used up after two: the data is untouched and the next request goes through.
        QVERIFY2(listOf(windowId) == before, "a failed request must leave the data alone");
        QVERIFY2(attempt(), qPrintable(lastError()));
        QCOMPARE(store->requestCount(kind) - requestsBefore,
                 kind == VoiceStrategyStore::Request::List ? 4 : 3);
    }
};

FEVER_TEST_MAIN(VoiceStrategyStoreTest)
#include "tst_voicestrategystore.moc"
