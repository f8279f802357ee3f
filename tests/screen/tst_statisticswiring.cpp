#include "MessageLog.h"
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "SnapIntake.h"
#include "SnapStaticFilterWidget.h"
#include "SnapStatisticWidget.h"
#include "WiringRules.h"

#include "AppConfigHelper.h"
#include "IntelligentSnapConfigWidget.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QLabel>
#include <QPushButton>

using snaptest::SnapBuilder;

namespace {

// The bundled scenario: six thermal channels, in the order the client lists them. The North
// recorder runs face snapshots (AI-detect 48 holds type 5), the South one does not (1).
const QString GateA = QStringLiteral("TC-GATE-A_1");        // Building A, below North Campus
const QString GateB = QStringLiteral("TC-GATE-B_1");        // South Campus
const QString NorthDoor = QStringLiteral("NVR-NORTH_1");    // North Campus, recorder
const QString NorthCanteen = QStringLiteral("NVR-NORTH_3"); // North Campus, recorder
const QString SouthDoor = QStringLiteral("NVR-SOUTH_1");    // South Campus, recorder
const QString Warehouse = QStringLiteral("TC-WAREHOUSE_1"); // Logistics
constexpr int HeadOffice = 1;
constexpr int NorthCampus = 2;

bool isRecorderChannel(const QString &channel)
{
    return channel.startsWith(QLatin1String("NVR-"));
}

// What the platform does with a snapshot of a channel: records it, then sends it to the
// clients, a recorder's through the login server and the recorder signal.
void platformSends(const QString &channel, int state = 0, int mask = 1)
{
    SnapBuilder snap;
    snap.onPlatform().registered(501).channel(channel).state(state).mask(mask);
    snap.server(isRecorderChannel(channel) ? snaptest::DefaultServer
                                           : QStringLiteral("IAU-SRV-02"));
    QVERIFY(SnapshotHistory::record(snap.notification()));
    VornClient *client = VornClient::instance();
    if (isRecorderChannel(channel))
        emit client->signalAiNvrCompareNotifyReceived(snap.list());
    else
        emit client->signalCompareNotifyReceived(snap.list());
}

bool storeSelection(int windowId, bool all, const QStringList &channels, int orgaId = HeadOffice,
                    int type = 0)
{
    IntelligentSnapConfigParam selection;
    selection.bAllChannel = all;
    selection.strChannelUIDList = channels;
    selection.nChannelCount = channels.size();
    selection.nOrgaId = orgaId;
    selection.nStatisticsType = type;
    return AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, selection);
}

OrvaneDevice thermalDevice(int id, int orgaId)
{
    OrvaneDevice device;
    device.set_id(id);
    device.set_device_uid(QStringLiteral("TC-NEW-%1").arg(id));
    device.set_device_name(QStringLiteral("New Thermal %1").arg(id));
    device.set_group_id(orgaId);
    device.set_device_type_id(snaptest::ThermalDeviceType);
    return device;
}

std::vector<OrvaneChannel> oneThermalChannel()
{
    OrvaneChannel channel;
    channel.set_channel_no(1);
    channel.set_channel_type_id(snaptest::ThermalDeviceType);
    return {channel};
}

struct Screen
{
    explicit Screen(int windowId)
        : nKey(windowId + 1)
    {
        screen.setProperty("priviewWinId", windowId);
        screen.resize(1157, 603);
        screen.show();
        intake = screen.findChild<SnapIntake *>();
        panel = screen.findChild<SnapStatisticWidget *>(QStringLiteral("widgetCircle"));
        orgaButton = screen.findChild<QPushButton *>(QStringLiteral("pushButtonOrgaGroup"));
    }
    ~Screen()
    {
        screen.releaseResource();
        testsupport::settle();
    }
    // Whether the screen takes a live snapshot of the channel (its pictures are then fetched).
    bool screens(const QString &channel)
    {
        const int before = intake->pendingCount();
        platformSends(channel);
        const bool taken = intake->pendingCount() > before;
        testsupport::settle();
        return taken;
    }
    // Every question answered: the first show asks again once its texts are translated.
    void answered()
    {
        QTRY_COMPARE(HostTesting::asyncOutstandingCount(), 0);
        QCoreApplication::processEvents();
        QTRY_VERIFY(!panel->isQueryPending());
    }

    int nKey;
    EpidemicPreview screen;
    SnapIntake *intake = nullptr;
    SnapStatisticWidget *panel = nullptr;
    QPushButton *orgaButton = nullptr;
};

} // namespace

// What a screen listens to and whose totals it shows: channel selection, recorder
// registration, device and organisation changes, and the totals against the platform's.
class TestStatisticsWiring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(QRegularExpression("does not support propagateSizeHints"));
        HostTesting::setAsyncReplyDelay(20);
    }

    // Devices and organisations a test changed come back.
    void init() { QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json"))); }

    // Registered: recorder channels whose device runs face snapshots or never said.
    void recorderChannelsToRegister()
    {
        OrvaneDevice quiet;
        quiet.set_id(990);
        quiet.set_device_uid(QStringLiteral("NVR-QUIET"));
        quiet.set_device_type_id(2);
        HostTesting::addDevice(quiet, oneThermalChannel());
        const QString unknown = QStringLiteral("NVR-GONE_1");
        const QString quietDoor = QStringLiteral("NVR-QUIET_1");
        QCOMPARE(WiringRules::recorderChannelsToRegister(
                         {NorthDoor, SouthDoor, quietDoor, GateA, unknown, QStringLiteral("NVR")}),
                 (QSet<QString>{NorthDoor, quietDoor}));
    }

    // Six thermal channels with all on: the first four are screened, and of those only the
    // recorder channels with face snapshots are registered; release withdraws them. Counting the
    // North recorder's plain lobby camera, or a stale stored list, would push the canteen out.
    void allChannelsScreensTheFirstFour()
    {
        QVERIFY(storeSelection(31, true, {QStringLiteral("stale")}));
        int key = 0;
        {
            Screen screen(31);
            key = screen.nKey;
            QCOMPARE(HostTesting::lastNvrCtrlSnapParam(key),
                     (QSet<QString>{NorthDoor, NorthCanteen}));
            QVERIFY(screen.screens(GateA));
            QVERIFY(screen.screens(NorthCanteen));
            QVERIFY(!screen.screens(SouthDoor));
            QVERIFY(!screen.screens(Warehouse));
            // The window still screens "all channels": the stored flag stays set.
            QVERIFY(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(31).bAllChannel);
        }
        QVERIFY(!HostTesting::hasNvrCtrlSnapParam(key));
    }

    // The filter button's dialog: at most four channels; what it confirms is stored and its
    // recorder channels registered; with all channels on, confirming none keeps them.
    void channelDialogEditsTheSelection()
    {
        QVERIFY(storeSelection(38, true, {}));
        Screen screen(38);
        screen.screen.findChild<QPushButton *>(QStringLiteral("pushButtonFilter"))->click();
        auto *dialog = screen.screen.findChild<IntelligentSnapConfigWidget *>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->channelUIDs(),
                 (QStringList{GateA, GateB, NorthDoor, NorthCanteen, SouthDoor, Warehouse}));
        QVERIFY(dialog->isAllChannels());
        dialog->confirm(); // all on, no channel: nothing changes
        QVERIFY(AppConfigHelper::instance()->getEpidemicPreviewConfigParam(38).bAllChannel);

        dialog->showSNDialog();
        dialog->setAllChannels(false);
        for (const QString &channel : {Warehouse, SouthDoor, NorthDoor, GateB})
            QVERIFY(dialog->setChannelChecked(channel, true));
        QVERIFY(!dialog->setChannelChecked(GateA, true));
        dialog->confirm();
        const IntelligentSnapConfigParam stored =
                AppConfigHelper::instance()->getEpidemicPreviewConfigParam(38);
        QVERIFY(!stored.bAllChannel);
        QCOMPARE(stored.strChannelUIDList, (QStringList{GateB, NorthDoor, SouthDoor, Warehouse}));
        QCOMPARE(HostTesting::lastNvrCtrlSnapParam(screen.nKey), QSet<QString>{NorthDoor});
        QVERIFY(screen.screens(Warehouse));
        QVERIFY(!screen.screens(GateA));
    }

    // Device notices: the selection follows them only with all channels on; the registration
    // is renewed 300 ms later either way; a device the client does not know is logged and the
    // rest of the notice handled.
    void deviceChanges()
    {
        QVERIFY(storeSelection(32, false, {GateA}));
        QVERIFY(storeSelection(33, true, {}));
        Screen fixed(32);
        Screen all(33);
        const int fixedUpdates = HostTesting::nvrCtrlSnapUpdateCount(fixed.nKey);
        const int allUpdates = HostTesting::nvrCtrlSnapUpdateCount(all.nKey);

        // All channels on and four screened: Gate A's removal makes room for the new device.
        QVERIFY(HostTesting::removeDevice(101));
        HostTesting::addDevice(thermalDevice(950, NorthCampus), oneThermalChannel());
        // Each notice renews the registration once, later.
        QCOMPARE(HostTesting::nvrCtrlSnapUpdateCount(fixed.nKey), fixedUpdates);
        QTRY_COMPARE(HostTesting::nvrCtrlSnapUpdateCount(fixed.nKey), fixedUpdates + 2);
        QTRY_COMPARE(HostTesting::nvrCtrlSnapUpdateCount(all.nKey), allUpdates + 2);
        const QString added = QStringLiteral("TC-NEW-950_1");
        QVERIFY(all.screens(added));
        QVERIFY(!fixed.screens(added));
        QVERIFY(!all.screens(SouthDoor));

        MessageLog log;
        testsupport::allowWarning(QRegularExpression("device not find!"));
        OrvaneDevice unknown = thermalDevice(951, NorthCampus);
        unknown.set_device_name(QStringLiteral("Ghost"));
        emit VornClient::instance()->signalDeviceInfoChanged(
                {unknown, *VornClient::instance()->getDevicesById(950)}, ORVANE_OPERATOR_ADD);
        QCOMPARE(log.count(QStringLiteral("EpidemicPreview::slot_deviceInfoChangedfailed! device "
                                          "not find! \"Ghost\"")),
                 2);
        QTRY_COMPARE(HostTesting::nvrCtrlSnapUpdateCount(fixed.nKey), fixedUpdates + 3);
        testsupport::clearAllowedWarnings();
        testsupport::allowWarning(QRegularExpression("does not support propagateSizeHints"));
    }

    // A stored organisation that no longer exists, or one deleted while shown, falls back to
    // the first node of the tree.
    void organisationFallsBackToTheFirstNode()
    {
        OrvaneOrga temporary;
        temporary.set_id(70);
        temporary.set_group_name(QStringLiteral("Pop-up & Tent"));
        temporary.set_group_code(QStringLiteral("001009"));
        temporary.set_parent_id(HeadOffice);
        HostTesting::addOrga(temporary);
        QVERIFY(storeSelection(34, false, {GateA}, 70));
        QVERIFY(storeSelection(35, false, {GateA}, 77));
        Screen kept(34);
        Screen gone(35);
        QCOMPARE(kept.panel->orgaId(), 70);
        QCOMPARE(kept.orgaButton->text(), QStringLiteral("Pop-up && Tent"));
        QCOMPARE(gone.panel->orgaId(), HeadOffice);
        QCOMPARE(gone.orgaButton->text(), QStringLiteral("Head Office"));

        QVERIFY(HostTesting::removeOrga(70));
        QCOMPARE(kept.panel->orgaId(), HeadOffice);
        QCOMPARE(kept.orgaButton->text(), QStringLiteral("Head Office"));
    }

    // The organisation button opens the pop-up and closes it again; a node chosen there is
    // shown, queried and stored.
    void organisationPopUp()
    {
        QVERIFY(storeSelection(36, false, {GateA}));
        Screen screen(36);
        screen.orgaButton->click();
        auto *filter = screen.screen.findChild<SnapStaticFilterWidget *>();
        QVERIFY(filter && filter->isVisible());
        // Just below the organisation button, at the left panel's edge.
        const QWidget *leftPanel = screen.screen.findChild<QWidget *>(QStringLiteral("widget"));
        QCOMPARE(filter->pos(), leftPanel->mapToGlobal(QPoint(0, screen.orgaButton->height() + 5)));
        screen.orgaButton->click();
        QVERIFY(!filter->isVisible());

        Node north;
        north.nId = NorthCampus;
        north.strKey = QStringLiteral("001001");
        north.strName = QStringLiteral("North Campus");
        emit filter->sendNode(north, QueryByNVR);
        QCOMPARE(screen.orgaButton->text(), QStringLiteral("North Campus"));
        QCOMPARE(screen.panel->orgaId(), NorthCampus);
        QCOMPARE(int(screen.panel->statisticsType()), int(QueryByNVR));
        const IntelligentSnapConfigParam stored =
                AppConfigHelper::instance()->getEpidemicPreviewConfigParam(36);
        QCOMPARE(stored.nOrgaId, NorthCampus);
        QCOMPARE(stored.nStatisticsType, int(QueryByNVR));
    }

    // End to end: the platform records and sends snapshots of two organisations; the panel
    // counts those of its organisation and below live, exactly, and at each answer shows what
    // the platform stored. Each snapshot has one match, so a live record is one snapshot.
    void totalsAgreeWithThePlatform()
    {
        QVERIFY(HostTesting::resetDailyTotals());
        QVERIFY(storeSelection(37, false, {GateA, GateB, NorthDoor}, NorthCampus));
        Screen screen(37);
        screen.answered();
        QCOMPARE(screen.panel->totalCount(), 0);
        // The default strategy hides the no-mask row.
        QVERIFY(!screen.panel->findChild<QLabel *>(QStringLiteral("labelNoMask"))->isVisible());

        for (int state : {0, 1, 0})
            platformSends(GateA, state);
        platformSends(NorthDoor, 0, 2);
        platformSends(NorthDoor);
        for (int i = 0; i < 4; ++i)
            platformSends(GateB, 1); // South Campus: not North Campus's
        QCOMPARE(screen.panel->totalCount(), 5);
        QCOMPARE(screen.panel->overTempCount(), 1);
        QCOMPARE(screen.panel->noMaskCount(), 1);
        QCOMPARE(screen.panel->findChild<QLabel *>("labelTotal")->text(), QStringLiteral("5"));

        screen.panel->slot_querySnapStatistic();
        screen.answered();
        QCOMPARE(screen.panel->totalCount(), 5);
        QCOMPARE(screen.panel->overTempCount(), 1);
        QCOMPARE(screen.panel->noMaskCount(), 1);

        // Head Office, platform snapshots only: both campuses' cameras, no recorder.
        Node head;
        head.nId = HeadOffice;
        head.strKey = QStringLiteral("001");
        head.strName = QStringLiteral("Head Office");
        screen.orgaButton->click();
        emit screen.screen.findChild<SnapStaticFilterWidget *>()->sendNode(head, QueryByPlatform);
        screen.answered();
        QCOMPARE(screen.panel->totalCount(), 7);
        QCOMPARE(screen.panel->overTempCount(), 5);
        platformSends(NorthDoor);
        platformSends(GateB);
        QCOMPARE(screen.panel->totalCount(), 8);
        screen.panel->slot_querySnapStatistic();
        screen.answered();
        QCOMPARE(screen.panel->totalCount(), 8);

        // The platform's daily reset reaches the panel through sendSnapZero.
        QVERIFY(HostTesting::resetDailyTotals());
        QTRY_COMPARE(screen.panel->totalCount(), 0);
        QTRY_VERIFY(!screen.panel->isQueryPending());
    }
};

FEVER_TEST_MAIN(TestStatisticsWiring)
#include "tst_statisticswiring.moc"
