#include "TestSupport.h"

#include "HostTesting.h"
#include "OrvaneCompareNotifyMessage.h"
#include "VornClient.h"

#include <QTemporaryFile>

class TstVornClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void defaultScenarioIsLoaded();
    void parseChannelUid_data();
    void parseChannelUid();
    void makeChannelUidRoundTrips();
    void deviceKinds();
    void lookUps();
    void temperatureScreeningDevices();
    void thermalChannelFilter();
    void organisationTreeOrder();
    void malformedScenarioKeepsState_data();
    void malformedScenarioKeepsState();
    void missingScenarioFileFails();
    void scenarioFileReplacesState();
    void deleteIsAnnouncedWhileDeviceIsKnown();
    void addedDeviceBecomesVisible();
    void recordsTravelThroughQueuedSignals();
};

void TstVornClient::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform cannot size or raise real windows; nothing here depends on it.
    testsupport::allowWarning(QRegularExpression(QStringLiteral("^This plugin does not support")));
    VornClient::instance();
}

void TstVornClient::cleanup()
{
    QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json")));
}

void TstVornClient::defaultScenarioIsLoaded()
{
    VornClient *client = VornClient::instance();
    QString uid;
    client->getLoginServerUid(uid);
    QCOMPARE(uid, QStringLiteral("VORN-SRV-01"));
    QCOMPARE(client->m_nLoginServerHandle, 1);
    QCOMPARE(client->m_nUserKind, 0);
    OrvaneUser user;
    QVERIFY(client->getCurUserInfo(user));
    QCOMPARE(user.get_id(), 7);
    QCOMPARE(client->getCurUserDevices().size(), std::size_t(6));
}

void TstVornClient::parseChannelUid_data()
{
    QTest::addColumn<QString>("channelUid");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("deviceUid");
    QTest::addColumn<int>("channelNo");

    QTest::newRow("plain") << "TC-GATE-A_1" << true << "TC-GATE-A" << 1;
    QTest::newRow("device uid with underscore") << "NVR_NORTH_12" << true << "NVR_NORTH" << 12;
    QTest::newRow("channel zero") << "DEV_0" << true << "DEV" << 0;
    QTest::newRow("empty") << "" << false << "" << -1;
    QTest::newRow("no separator") << "TC-GATE-A" << false << "" << -1;
    QTest::newRow("no device") << "_1" << false << "" << -1;
    QTest::newRow("no number") << "DEV_" << false << "" << -1;
    QTest::newRow("letters") << "DEV_1a" << false << "" << -1;
    QTest::newRow("negative") << "DEV_-1" << false << "" << -1;
    QTest::newRow("fraction") << "DEV_1.5" << false << "" << -1;
    QTest::newRow("overflow") << "DEV_99999999999" << false << "" << -1;
    QTest::newRow("blank number") << "DEV_ 1" << false << "" << -1;
}

void TstVornClient::parseChannelUid()
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

void TstVornClient::makeChannelUidRoundTrips()
{
    QString device;
    int number = 0;
    QVERIFY(VornClient::parseChannelUID(VornClient::makeChannelUID(QStringLiteral("A_B"), 7),
                                        device, number));
    QCOMPARE(device, QStringLiteral("A_B"));
    QCOMPARE(number, 7);
}

void TstVornClient::deviceKinds()
{
    VornClient *client = VornClient::instance();
    QVERIFY(client->isThermoDetectorDevice(20));
    QVERIFY(client->isThermoDetectorDevice(21));
    QVERIFY(!client->isThermoDetectorDevice(1));
    QVERIFY(!client->isThermoDetectorDevice(2));
    QVERIFY(client->isNVROrDVRDevice(2));
    QVERIFY(client->isNVROrDVRDevice(3));
    QVERIFY(!client->isNVROrDVRDevice(20));
    QVERIFY(!client->isNVROrDVRDevice(-99999));
}

void TstVornClient::lookUps()
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

    const OrvaneChannel *channel = client->getChannelByUid(QStringLiteral("NVR-NORTH_3"));
    QVERIFY(channel);
    QCOMPARE(channel->get_id(), 1033);
    QCOMPARE(channel->get_device_id(), 103);
    QCOMPARE(channel->get_channel_type_id(), 21);
}

void TstVornClient::temperatureScreeningDevices()
{
    VornClient *client = VornClient::instance();
    const OrvaneDeviceList all = client->getCurUserDevices();
    QStringList shown;
    for (const OrvaneDevice &device :
         client->filtDeviceByShowType(all, VornClient::ShowTempScreeningDevices))
        shown << device.get_device_uid();
    // The car-park camera neither measures temperature nor records a thermal channel.
    QCOMPARE(shown,
             QStringList({"TC-GATE-A", "TC-GATE-B", "NVR-NORTH", "NVR-SOUTH", "TC-WAREHOUSE"}));
    QCOMPARE(client->filtDeviceByShowType(all, VornClient::ShowAllDevices).size(), all.size());
}

void TstVornClient::thermalChannelFilter()
{
    VornClient *client = VornClient::instance();
    QStringList thermal;
    for (const OrvaneDevice &device : client->getCurUserDevices()) {
        std::vector<OrvaneChannel> channels;
        QVERIFY(client->getChannelsByDeviceId(device.get_id(), channels));
        for (const OrvaneChannel &channel : channels) {
            if (client->channelPassesFilter(device, channel, VornClient::ChannelFilterThermal))
                thermal << channel.get_channel_uid();
        }
    }
    QCOMPARE(thermal, QStringList({"TC-GATE-A_1", "TC-GATE-B_1", "NVR-NORTH_1", "NVR-NORTH_3",
                                   "NVR-SOUTH_1", "TC-WAREHOUSE_1"}));
    std::vector<OrvaneChannel> none{OrvaneChannel()};
    QVERIFY(!client->getChannelsByDeviceId(999, none));
    QVERIFY(none.empty());
}

void TstVornClient::organisationTreeOrder()
{
    std::vector<Node> nodes;
    QVERIFY(VornClient::instance()->getOrgaNodeList(nodes));
    QStringList keys;
    for (const Node &node : nodes)
        keys << node.strKey;
    QCOMPARE(keys, QStringList({"001", "001001", "001001001", "001002", "002", "002001"}));
    QCOMPARE(nodes.front().nId, 1);
    QCOMPARE(nodes.front().strName, QStringLiteral("Head Office"));
    QCOMPARE(nodes.at(2).strParentKey, QStringLiteral("001001"));
    QCOMPARE(nodes.at(2).nLevel, 2);
}

void TstVornClient::malformedScenarioKeepsState_data()
{
    QTest::addColumn<QByteArray>("json");
    const QByteArray head = R"({"loginServer":{"uid":"S"},"user":{"id":1},)";
    QTest::newRow("not json") << QByteArray("{ nope");
    QTest::newRow("array root") << QByteArray("[1,2]");
    QTest::newRow("no login server") << QByteArray(R"({"user":{"id":1}})");
    QTest::newRow("no user id") << QByteArray(R"({"loginServer":{"uid":"S"},"user":{}})");
    QTest::newRow("fractional id")
            << head + R"("organisations":[{"id":1.5,"name":"a","code":"001"}]})";
    QTest::newRow("text id") << head + R"("organisations":[{"id":"1","name":"a","code":"001"}]})";
    QTest::newRow("dangling parent")
            << head + R"("organisations":[{"id":1,"name":"a","code":"001","parentId":9}]})";
    QTest::newRow("duplicate device")
            << head
                       + R"("devices":[{"id":1,"uid":"A","name":"a","typeId":20},)"
                         R"({"id":1,"uid":"B","name":"b","typeId":20}]})";
    QTest::newRow("negative channel")
            << head
                       + R"("devices":[{"id":1,"uid":"A","name":"a","typeId":20,)"
                         R"("channels":[{"id":5,"no":-1}]}]})";
    QTest::newRow("devices not a list") << head + R"("devices":{"id":1}})";
    QTest::newRow("archive without group")
            << head + R"("archives":[{"id":1,"name":"x","groupId":4}]})";
    QTest::newRow("future version") << head + R"("version":2})";
}

void TstVornClient::malformedScenarioKeepsState()
{
    QFETCH(QByteArray, json);
    VornClient *client = VornClient::instance();
    QSignalSpy loaded(client, &VornClient::signalScenarioLoaded);
    const OrvaneDevice *before = client->getDevicesByUid(QStringLiteral("TC-GATE-A"));
    QVERIFY(before);

    QVERIFY(!HostTesting::loadScenarioData(json));
    QVERIFY(!HostTesting::lastScenarioError().isEmpty());
    QCOMPARE(loaded.count(), 0);
    // Same record object, not merely an equal one: nothing was replaced.
    QCOMPARE(client->getDevicesByUid(QStringLiteral("TC-GATE-A")), before);
    QCOMPARE(client->getCurUserDevices().size(), std::size_t(6));
    QCOMPARE(client->getLoginServerUid(), QStringLiteral("VORN-SRV-01"));
}

void TstVornClient::missingScenarioFileFails()
{
    VornClient *client = VornClient::instance();
    QVERIFY(!HostTesting::loadScenario(QStringLiteral("/nonexistent/scenario.json")));
    QVERIFY(HostTesting::lastScenarioError().contains(QStringLiteral("cannot open")));
    QVERIFY(client->getDevicesById(101));
}

void TstVornClient::scenarioFileReplacesState()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(R"({"loginServer":{"uid":"LAB","handle":4},"user":{"id":3,"kind":1},
        "deviceTypes":{"thermal":[7],"recorder":[8]},
        "devices":[{"id":1,"uid":"X","name":"Lab","typeId":7,"channels":[{"id":9,"no":2}]}]})");
    file.close();
    VornClient *client = VornClient::instance();
    QVERIFY(HostTesting::loadScenario(file.fileName()));
    QCOMPARE(HostTesting::scenarioPath(), file.fileName());
    QCOMPARE(client->getLoginServerUid(), QStringLiteral("LAB"));
    QCOMPARE(client->m_nLoginServerHandle, 4);
    QCOMPARE(client->m_nUserKind, 1);
    QVERIFY(client->isThermoDetectorDevice(7));
    QVERIFY(!client->isThermoDetectorDevice(20));
    QVERIFY(!client->getDevicesByUid(QStringLiteral("TC-GATE-A")));
    const OrvaneChannel *channel = client->getChannelByUid(QStringLiteral("X_2"));
    QVERIFY(channel);
    // A channel without its own name takes the device's.
    QCOMPARE(channel->get_channel_name(), QStringLiteral("Lab"));
}

void TstVornClient::deleteIsAnnouncedWhileDeviceIsKnown()
{
    VornClient *client = VornClient::instance();
    bool knownDuringNotice = false;
    OrvaneOperatorType kind = ORVANE_OPERATOR_QUERY;
    auto connection = connect(client, &VornClient::signalDeviceInfoChanged, this,
                              [&](OrvaneDeviceList devices, OrvaneOperatorType k) {
                                  kind = k;
                                  knownDuringNotice =
                                          devices.size() == 1
                                          && client->getDevicesById(devices.front().get_id());
                              });
    QVERIFY(HostTesting::removeDevice(103));
    disconnect(connection);
    QCOMPARE(kind, ORVANE_OPERATOR_DELETE);
    QVERIFY(knownDuringNotice);
    QVERIFY(!client->getDevicesById(103));
    QVERIFY(!client->getChannelByUid(QStringLiteral("NVR-NORTH_1")));
    QVERIFY(!HostTesting::removeDevice(103));
}

void TstVornClient::addedDeviceBecomesVisible()
{
    VornClient *client = VornClient::instance();
    QSignalSpy changed(client, &VornClient::signalDeviceInfoChanged);
    OrvaneDevice device;
    device.set_id(201);
    device.set_device_uid(QStringLiteral("TC-NEW"));
    device.set_device_name(QStringLiteral("New Thermal"));
    device.set_device_type_id(20);
    OrvaneChannel channel;
    channel.set_id(2011);
    channel.set_channel_no(1);
    channel.set_channel_type_id(20);
    HostTesting::addDevice(device, {channel});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).value<OrvaneOperatorType>(), ORVANE_OPERATOR_ADD);
    QVERIFY(client->getChannelByUid(QStringLiteral("TC-NEW_1")));
    QCOMPARE(client->getDevNameByChannelUID(QStringLiteral("TC-NEW_1")),
             QStringLiteral("New Thermal"));
}

void TstVornClient::recordsTravelThroughQueuedSignals()
{
    VornClient *client = VornClient::instance();
    QObject receiver;
    OrvaneCompareNotifyMessageList received;
    connect(
            client, &VornClient::signalCompareNotifyReceived, &receiver,
            [&](OrvaneCompareNotifyMessageList list) { received = list; }, Qt::QueuedConnection);
    OrvaneCompareNotifyMessage message;
    message.snapFaceInfo.maskStatus = 2;
    message.snapFaceInfo.snapTargetSource.channelUID = QStringLiteral("TC-GATE-A_1");
    message.snapFaceInfo.snapTargetSource.alarmId = 42;
    CompareInfo match;
    match.archiveImage.archiveId = 501;
    match.score = 0.9f;
    message.compareInfoVec.push_back(match);
    emit client->signalCompareNotifyReceived({message});
    // Queued: nothing yet; an unregistered type would also log a warning the guard rejects.
    QVERIFY(received.empty());
    QTRY_COMPARE(received.size(), std::size_t(1));
    QCOMPARE(received.front().snapFaceInfo.snapTargetSource.alarmId, 42);
    QCOMPARE(received.front().compareInfoVec.front().archiveImage.archiveId, 501);

    OrvaneSnapTargetSource source;
    source.hasTemperature = 1;
    const QVariant asProperty = QVariant::fromValue(source);
    QCOMPARE(QMetaType::type("OrvaneSnapTargetSource"), asProperty.userType());
    QCOMPARE(asProperty.value<OrvaneSnapTargetSource>().hasTemperature, 1);
    QVERIFY(QMetaType::type("OrvaneArchiveImageInfo") != QMetaType::UnknownType);
}

FEVER_TEST_MAIN(TstVornClient)
#include "tst_vornclient.moc"
