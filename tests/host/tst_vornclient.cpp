#include "TestSupport.h"

#include "HostTesting.h"

#include "VORNClientAIManager.h"
#include "VornClient.h"

// The client data the screens read (channels, devices, organisations, device changes), the AI
// services they call (recorder registration, picture servers), the scenarios the demo loads,
// and the records travelling through queued signals.
class TstVornClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void cleanup()
    {
        QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json")));
    }

    void parseChannelUid_data()
    {
        QTest::addColumn<QString>("channelUid");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("deviceUid");
        QTest::addColumn<int>("channelNo");

        QTest::newRow("plain") << "TC-GATE-A_1" << true << "TC-GATE-A" << 1;
        QTest::newRow("device uid with underscore") << "NVR_NORTH_12" << true << "NVR_NORTH" << 12;
        QTest::newRow("channel zero") << "DEV_0" << true << "DEV" << 0;
        QTest::newRow("empty") << "" << false << "" << -1;
        QTest::newRow("no device") << "_1" << false << "" << -1;
        QTest::newRow("letters") << "DEV_1a" << false << "" << -1;
        QTest::newRow("negative") << "DEV_-1" << false << "" << -1;
        QTest::newRow("overflow") << "DEV_99999999999" << false << "" << -1;
    }

    void parseChannelUid()
    {
        QFETCH(QString, channelUid);
        QFETCH(bool, ok);
        QFETCH(QString, deviceUid);
        QFETCH(int, channelNo);

        // Outputs start with sentinels: a failed parse must leave them alone.
        QString parsedDevice = QStringLiteral("untouched");
        int parsedChannel = -1;
        QCOMPARE(VornClient::parseChannelUID(channelUid, parsedDevice, parsedChannel), ok);
        QCOMPARE(parsedDevice, ok ? deviceUid : QStringLiteral("untouched"));
        QCOMPARE(parsedChannel, channelNo);
    }

    void lookUps()
    {
        VornClient *client = VornClient::instance();
        const OrvaneDevice *nvr = client->getDevicesByUid(QStringLiteral("NVR-NORTH"));
        QVERIFY(nvr);
        QCOMPARE(nvr->get_id(), 103);
        QCOMPARE(client->getDevicesById(103), nvr);
        QVERIFY(!client->getDevicesById(999));
        QVERIFY(!client->getDevicesByUid(QStringLiteral("nvr-north"))); // case matters

        const OrvaneGroup *orga = client->getOrgaInfoById(nvr->get_group_id());
        QVERIFY(orga);
        QCOMPARE(orga->get_group_code(), QStringLiteral("001001"));
        QVERIFY(!client->getOrgaInfoById(-99999));

        QCOMPARE(client->getDevNameByChannelUID(QStringLiteral("NVR-NORTH_3")),
                 QStringLiteral("North Recorder"));
        QCOMPARE(client->getDevNameByChannelUID(QStringLiteral("NVR-NORTH")), QString());
        QCOMPARE(client->getDevNameByChannelUID(QStringLiteral("UNKNOWN_1")), QString());
    }

    // Additions are tst_platformconsole's.
    void removalIsAnnouncedWhileTheDeviceIsKnown()
    {
        VornClient *client = VornClient::instance();
        QSignalSpy changed(client, &VornClient::signalDeviceInfoChanged);
        bool knownDuringNotice = false;
        auto connection = connect(client, &VornClient::signalDeviceInfoChanged, this,
                                  [&](OrvaneDeviceList devices, OrvaneOperatorType) {
                                      knownDuringNotice =
                                              devices.size() == 1
                                              && client->getDevicesById(devices.front().get_id());
                                  });
        QVERIFY(HostTesting::removeDevice(103));
        disconnect(connection);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last().at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_DELETE);
        QVERIFY(knownDuringNotice);
        QVERIFY(!client->getDevicesById(103));
        QVERIFY(!client->getChannelByUid(QStringLiteral("NVR-NORTH_1")));
        QVERIFY(!HostTesting::removeDevice(103));
    }

    void nvrRegistrationIsKeptPerKeyAndWithdrawn()
    {
        VORNClientAIManager *ai = VORNClientAIManager::instance();
        QSignalSpy updated(ai, &VORNClientAIManager::signalNvrCtrlSnapParamUpdated);
        const QSet<QString> first{"NVR-NORTH_1", "NVR-NORTH_3"};
        const QSet<QString> second{"NVR-SOUTH_1"};
        QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
        QVERIFY(ai->updateNvrCtrlSnapParam(3, second));
        QCOMPARE(HostTesting::lastNvrCtrlSnapParam(2), first);
        QCOMPARE(HostTesting::lastNvrCtrlSnapParam(3), second);
        // Renewing with the same set still counts as an update: callers re-register on changes.
        QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
        QCOMPARE(updated.count(), 3);
        QCOMPARE(updated.last().at(0).toInt(), 2);
        QCOMPARE(updated.last().at(1).value<QSet<QString>>(), first);

        // A screen that closes withdraws its registration with an empty set.
        QVERIFY(ai->updateNvrCtrlSnapParam(2, {}));
        QVERIFY(!HostTesting::hasNvrCtrlSnapParam(2));
        QVERIFY(HostTesting::hasNvrCtrlSnapParam(3));
        QVERIFY(!ai->updateNvrCtrlSnapParam(-1, first));
        QVERIFY(ai->getLastErrorString().contains(QStringLiteral("-1")));
    }
};

FEVER_TEST_MAIN(TstVornClient)
#include "tst_vornclient.moc"
