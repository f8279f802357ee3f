#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"
#include "PlatformConsole.h"

#include "AlarmHandlingStore.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

// Each action of the demo's platform console goes through the stand-in platform and reaches
// the screens by the signals they listen to.
class TestPlatformConsole : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void actionsReachTheClientsSignals()
    {
        VornClient *client = VornClient::instance();
        PlatformConsole console;
        QSignalSpy orgas(client, &VornClient::signalOrgaInfoChanged);
        QSignalSpy devices(client, &VornClient::signalDeviceInfoChanged);
        QSignalSpy reset(VORNClientAIManager::instance(), &VORNClientAIManager::sendSnapZero);
        QSignalSpy handled(client, &VornClient::signalProcessOverTemperatureAlarm);

        console.findChild<QLineEdit *>()->setText(QStringLiteral("Clinic"));
        QVERIFY(console.addOrganisation());
        QCOMPARE(orgas.last().at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_ADD);
        const OrvaneOrga added = orgas.last().at(0).value<OrvaneOrga>();
        QCOMPARE(added.get_group_code(), QStringLiteral("001003")); // below Head Office
        QVERIFY(client->getOrgaInfoById(added.get_id()));
        QTRY_COMPARE(console.findChild<QComboBox *>()->count(), 7);

        QVERIFY(console.addThermalDevice());
        QCOMPARE(devices.last().at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_ADD);
        const int deviceId = devices.last().at(0).value<OrvaneDeviceList>().front().get_id();
        QVERIFY(client->isThermoDetectorDevice(
                client->getDevicesById(deviceId)->get_device_type_id()));

        QVERIFY(console.removeDevice());
        QCOMPARE(devices.last().at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_DELETE);
        QVERIFY(console.deleteOrganisation());
        QCOMPARE(orgas.last().at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_DELETE);

        QVERIFY(console.resetTotals());
        QCOMPARE(reset.count(), 1);

        // The newest unhandled alarm of today is handled once, as another workstation would.
        snaptest::SnapBuilder alarm;
        alarm.state(1).alarm(std::max(0, SnapshotHistory::maxAlarmId()) + 1);
        QVERIFY(SnapshotHistory::record(alarm.notification()));
        QVERIFY(console.handleNewestAlarm());
        const int alarmId = alarm.source().alarmId;
        QCOMPARE(handled.last().at(0).value<std::vector<int>>(), std::vector<int>{alarmId});
        QVERIFY(AlarmHandlingStore::isHandled(alarmId));
        QVERIFY(!console.handleNewestAlarm());

        console.setStatisticsAnswers(2);
        QCOMPARE(HostTesting::asyncReplyFault(), AsyncPlatformService::Fault::Timeout);
        console.setStatisticsAnswers(0);
        QCOMPARE(HostTesting::asyncReplyFault(), AsyncPlatformService::Fault::None);
    }
};

FEVER_TEST_MAIN(TestPlatformConsole)
#include "tst_platformconsole.moc"
