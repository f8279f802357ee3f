#include "TestSupport.h"

#include "HostTesting.h"

#include "CompareNotifyFilter.h"
#include "ScreenedChannels.h"
#include "SyntheticFace.h"
#include "TrafficPlanner.h"
#include "TrafficSimulator.h"

#include "AlarmHandlingStore.h"
#include "IntelligentSnapConfigParam.h"
#include "PlatformPictureStore.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QSet>
#include <QSignalSpy>

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr int ChannelCount = 5;
constexpr int PersonCount = 4;

std::vector<TrafficPlanner::Draw> drawMany(quint32 seed, int count, int persons = PersonCount)
{
    QRandomGenerator random(seed);
    std::vector<TrafficPlanner::Draw> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(TrafficPlanner::draw(random, ChannelCount, persons));
    return draws;
}

// Every field of the draw, so that two draws compare equal only when they are.
QString described(const TrafficPlanner::Draw &draw)
{
    QString text = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                           .arg(int(draw.eKind))
                           .arg(draw.nChannel)
                           .arg(draw.nPersonSeen)
                           .arg(draw.nStrangerFace)
                           .arg(draw.nTemperatureState)
                           .arg(draw.dTemperature)
                           .arg(draw.nMaskStatus);
    for (const TrafficPlanner::Match &match : draw.matches)
        text += QStringLiteral(" %1:%2").arg(match.nPerson).arg(double(match.fScore));
    return text;
}

OrvaneCompareNotifyMessageList takeLists(QSignalSpy &spy)
{
    OrvaneCompareNotifyMessageList all;
    for (const QList<QVariant> &call : qAsConst(spy)) {
        const auto list = call.at(0).value<OrvaneCompareNotifyMessageList>();
        all.insert(all.end(), list.begin(), list.end());
    }
    spy.clear();
    return all;
}

} // namespace

// The demo's traffic: the mix of snapshots it decides on, the pictures it draws, and that what
// it emits is stored, recorded and usable by the screen's intake.
class TestTrafficSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        qRegisterMetaType<OrvaneCompareNotifyMessageList>("OrvaneCompareNotifyMessageList");
    }

    // Over many draws from a fixed seed every kind, state, channel, person and mask status
    // occurs, in shares near the intended ones, with readings that fit their states. What the
    // matches carry on the platform is emittedSnapshotsAreStoredRecordedAndAccepted's.
    void drawsCoverEveryKind()
    {
        const std::vector<TrafficPlanner::Draw> draws = drawMany(20240601u, 4000);
        std::map<TrafficPlanner::Kind, int> kinds;
        std::map<int, int> states;
        QSet<int> channels;
        QSet<int> personsSeen;
        int noMask = 0;
        int threeMatches = 0;
        std::map<int, QPair<double, double>> readings; // lowest and highest per state
        for (int state = 0; state < 4; ++state)
            readings[state] = {1000.0, -1000.0};
        for (const TrafficPlanner::Draw &draw : draws) {
            ++kinds[draw.eKind];
            ++states[draw.nTemperatureState];
            channels.insert(draw.nChannel);
            personsSeen.insert(draw.nPersonSeen);
            noMask += draw.nMaskStatus == 2 ? 1 : 0;
            threeMatches += draw.matches.size() == 3 ? 1 : 0;
            auto &range = readings[draw.nTemperatureState];
            range.first = qMin(range.first, draw.dTemperature);
            range.second = qMax(range.second, draw.dTemperature);
            // The person seen comes first, with the best score.
            for (const TrafficPlanner::Match &match : draw.matches)
                QVERIFY(match.fScore <= draw.matches.front().fScore);
            if (draw.nPersonSeen >= 0)
                QCOMPARE(draw.matches.front().nPerson, draw.nPersonSeen);
        }

        QCOMPARE(int(kinds.size()), 4);
        QCOMPARE(int(states.size()), 4);
        QCOMPARE(channels.size(), ChannelCount);
        QCOMPARE(personsSeen.size(), PersonCount + 1); // and strangers
        QVERIFY(threeMatches > 0);
        // Shares within a few points of the intended ones (4000 draws: one standard deviation
        // is under 1 point).
        auto share = [&draws](int count) { return 100.0 * count / double(draws.size()); };
        QVERIFY(qAbs(share(kinds[TrafficPlanner::Kind::Registered])
                     - TrafficPlanner::RegisteredPercent)
                < 4.0);
        QVERIFY(qAbs(share(kinds[TrafficPlanner::Kind::SeveralMatches])
                     - TrafficPlanner::SeveralMatchesPercent)
                < 4.0);
        QVERIFY(qAbs(share(noMask) - TrafficPlanner::NoMaskPercent) < 4.0);
        QVERIFY(share(states[0]) > 60.0 && share(states[1]) > 8.0);
        // Readings fit their states: too cold (2) below normal, normal below over-temperature,
        // over-temperature below far too hot (3).
        QVERIFY(readings[2].second < readings[0].first);
        QVERIFY(readings[0].second < readings[1].first);
        QVERIFY(readings[1].second < readings[3].first);
        QVERIFY(readings[0].first >= 35.0 && readings[0].second <= 37.5);
    }

    void sameSeedSameTraffic()
    {
        const auto first = drawMany(7u, 300);
        const auto second = drawMany(7u, 300);
        const auto other = drawMany(8u, 300);
        int differing = 0;
        for (size_t i = 0; i < first.size(); ++i) {
            QCOMPARE(described(first[i]), described(second[i]));
            differing += described(first[i]) == described(other[i]) ? 0 : 1;
        }
        QVERIFY(differing > 250);
    }

    // Every notification emitted has its pictures in the platform's store, is in the
    // platform's history, went through the signal of its channel's kind and passes the
    // screen's intake gates for a window listening to every channel.
    void emittedSnapshotsAreStoredRecordedAndAccepted()
    {
        VornClient *client = VornClient::instance();
        QSignalSpy direct(client, &VornClient::signalCompareNotifyReceived);
        QSignalSpy recorder(client, &VornClient::signalAiNvrCompareNotifyReceived);

        TrafficSimulator simulator;
        simulator.setSeed(5u);
        QVERIFY(simulator.prepare());
        QCOMPARE(int(simulator.persons().size()), int(client->getArchives().size()));
        QSet<QString> recorderChannels;
        QStringList channelUids;
        for (const TrafficSimulator::Channel &channel : simulator.channels()) {
            channelUids << channel.strChannelUID;
            if (channel.bViaRecorder)
                recorderChannels.insert(channel.strChannelUID);
        }
        QVERIFY(!recorderChannels.isEmpty());
        QVERIFY(recorderChannels.size() < channelUids.size());
        for (const TrafficSimulator::Person &person : simulator.persons())
            QVERIFY(PlatformPictureStore::contains(person.strPictureName));

        // The platform sends a recorder's snapshots only for registered channels: one of the
        // recorder channels is registered, the others must stay silent.
        const QString registered =
                *std::min_element(recorderChannels.begin(), recorderChannels.end());
        QVERIFY(VORNClientAIManager::instance()->updateNvrCtrlSnapParam(90, {registered}));

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const int count = 60;
        for (int i = 0; i < count; ++i)
            QVERIFY(simulator.emitOne());
        QCOMPARE(simulator.emittedCount(), count);

        const OrvaneCompareNotifyMessageList viaRecorder = takeLists(recorder);
        const OrvaneCompareNotifyMessageList viaClient = takeLists(direct);
        QCOMPARE(int(viaRecorder.size() + viaClient.size()), count);
        QVERIFY(!viaRecorder.empty());
        // Recorder snapshots come through the login server, the others through a picture
        // server, so that the totals can tell the two sources apart.
        for (const auto &message : viaRecorder) {
            QCOMPARE(message.snapFaceInfo.snapTargetSource.channelUID, registered);
            QCOMPARE(message.snapFaceInfo.snapTargetSource.serverUID, client->getLoginServerUid());
        }
        for (const auto &message : viaClient) {
            QVERIFY(!recorderChannels.contains(message.snapFaceInfo.snapTargetSource.channelUID));
            QVERIFY(message.snapFaceInfo.snapTargetSource.serverUID != client->getLoginServerUid());
        }
        QVERIFY(VORNClientAIManager::instance()->updateNvrCtrlSnapParam(90, {}));

        const OrvaneCompareNotifyMessageList history = SnapshotHistory::query(
                before, QDateTime::currentDateTime().addSecs(1), channelUids);
        QSet<qint64> recorded;
        for (const auto &message : history)
            recorded.insert(message.snapFaceInfo.snapId);

        IntelligentSnapConfigParam everyChannel;
        everyChannel.bAllChannel = true;
        OrvaneCompareNotifyMessageList all = viaClient;
        all.insert(all.end(), viaRecorder.begin(), viaRecorder.end());
        QSet<QString> pictures;
        for (const OrvaneCompareNotifyMessage &message : all) {
            const OrvaneSnapTargetSource &source = message.snapFaceInfo.snapTargetSource;
            QVERIFY(recorded.contains(message.snapFaceInfo.snapId));
            QVERIFY2(PlatformPictureStore::contains(source.snapDetailImageURL),
                     qPrintable(source.snapDetailImageURL));
            pictures.insert(source.snapDetailImageURL);
            const QImage picture(PlatformPictureStore::absolutePath(source.snapDetailImageURL));
            QCOMPARE(picture.size(), QSize(SyntheticFace::Width, SyntheticFace::Height));
            QVERIFY(QDateTime::fromString(source.snapTime, QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                            .isValid());
            QCOMPARE(source.hasTemperature, 1);
            QCOMPARE(source.overTempListFlag != 0, source.temperatureState == 1);
            QCOMPARE(source.alarmId != -99999, source.temperatureState == 1);
            for (const CompareInfo &match : message.compareInfoVec) {
                if (match.archiveImage.archiveId == -99999) {
                    QCOMPARE(match.matchFlag, 0);
                    continue;
                }
                QCOMPARE(match.matchFlag, 1);
                QVERIFY(!match.archive.get_name().isEmpty());
                QVERIFY(PlatformPictureStore::contains(match.archiveImage.url));
            }
            // No strategy: strangers are shown, so every notification gives a card.
            QVERIFY(!CompareNotifyFilter::acceptedMatches(message, everyChannel, nullptr)
                             .matches.empty());
        }
        QCOMPARE(pictures.size(), count); // one picture per snapshot, none overwritten
    }

    // The simulator plays exactly the channels a window listening to every channel screens, by
    // the same rule: a recorder's channels by their own type, any other device's by the
    // device's type. The thermal camera with a plainly typed channel and the plain camera with
    // a thermally typed one are where a rule of its own would part from the screen's.
    void playsTheChannelsTheScreenScreens()
    {
        OrvaneDevice thermal;
        thermal.set_id(990101);
        thermal.set_device_uid("TC-EXTRA");
        thermal.set_device_type_id(20);
        OrvaneDevice plain;
        plain.set_id(990102);
        plain.set_device_uid("IPC-EXTRA");
        plain.set_device_type_id(1);
        OrvaneChannel channel;
        channel.set_channel_no(1);
        channel.set_channel_type_id(1);
        HostTesting::addDevice(thermal, {channel});
        channel.set_channel_type_id(20);
        HostTesting::addDevice(plain, {channel});

        TrafficSimulator simulator;
        QVERIFY(simulator.prepare());
        QStringList played;
        for (const TrafficSimulator::Channel &entry : simulator.channels())
            played << entry.strChannelUID;
        IntelligentSnapConfigParam everyChannel;
        everyChannel.bAllChannel = true;
        const QStringList screened = ScreenedChannels::collectChannelUIDs(everyChannel);
        HostTesting::removeDevice(thermal.get_id());
        HostTesting::removeDevice(plain.get_id());

        QVERIFY(screened.contains(QStringLiteral("TC-EXTRA_1")));
        QVERIFY(!screened.contains(QStringLiteral("IPC-EXTRA_1")));
        QCOMPARE(played, screened);
    }

    // The morning's history lies within today before now, is recorded without being sent, and
    // every alarm in it is handled, the three handling types all present (the chart counts
    // types apart). At 00:20 only the current hour exists: a rule counting back whole hours
    // would reach into yesterday.
    void backfillStaysInTodayAndHandlesItsAlarms()
    {
        VornClient *client = VornClient::instance();
        QSignalSpy direct(client, &VornClient::signalCompareNotifyReceived);
        const int before = SnapshotHistory::count();
        // Yesterday's date keeps the other cases' live snapshots out of the window looked at.
        const QDateTime now(QDate::currentDate().addDays(-1), QTime(0, 20));
        const QDateTime dayStart(now.date(), QTime(0, 0));
        TrafficSimulator simulator;
        simulator.setSeed(11u);
        QCOMPARE(simulator.backfillToday(40, now), 40);
        QCOMPARE(SnapshotHistory::count(), before + 40);
        QCOMPARE(direct.count(), 0);

        QStringList channels;
        for (const TrafficSimulator::Channel &channel : simulator.channels())
            channels << channel.strChannelUID;
        const OrvaneCompareNotifyMessageList recorded =
                SnapshotHistory::query(dayStart, now, channels);
        QCOMPARE(int(recorded.size()), 40);
        std::set<int> types;
        int alarms = 0;
        for (const AlarmHandlingStore::Record &record : AlarmHandlingStore::records()) {
            if (record.objTime < dayStart || record.objTime > now)
                continue;
            types.insert(record.nHandleType);
            ++alarms;
        }
        int overTemperature = 0;
        for (const OrvaneCompareNotifyMessage &message : recorded)
            overTemperature += message.snapFaceInfo.snapTargetSource.alarmId != -99999 ? 1 : 0;
        QVERIFY(overTemperature >= 3);
        QCOMPARE(alarms, overTemperature);
        QCOMPARE(int(types.size()), 3);
    }
};

FEVER_TEST_MAIN(TestTrafficSimulator)
#include "tst_trafficsimulator.moc"
