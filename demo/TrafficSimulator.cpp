#include "TrafficSimulator.h"

#include "SyntheticFace.h"

#include "AlarmHandlingStore.h"
#include "HostTesting.h"
#include "PlatformPictureStore.h"
#include "SnapshotHistory.h"
#include "VornClient.h"

#include <QDebug>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// A burst larger than this after a stall is dropped rather than sent at once.
constexpr qint64 MaxPerTick = 500;
// The flow is checked at least this often at high rates.
constexpr int MinTickMs = 10;

quint32 personFace(int archiveId)
{
    // Archive ids are small; spread them so that neighbours do not look related.
    return quint32(archiveId) * 2246822519u + 374761393u;
}

} // namespace

TrafficSimulator::TrafficSimulator(QObject *parent)
    : QObject(parent)
    , m_objRandom(1u)
    , m_pTimer(new QTimer(this))
{
    m_pTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pTimer, &QTimer::timeout, this, &TrafficSimulator::slot_tick);
    // A deleted device is announced before it goes: read the channels once it has.
    connect(VornClient::instance(), &VornClient::signalDeviceInfoChanged, this, [this] {
        if (m_bPrepared)
            QTimer::singleShot(0, this, &TrafficSimulator::refreshChannels);
    });
}

TrafficSimulator::~TrafficSimulator() = default;

void TrafficSimulator::setSeed(quint32 p_nSeed)
{
    m_objRandom.seed(p_nSeed);
}

void TrafficSimulator::setRate(double p_dPerSecond)
{
    m_dRate = std::isfinite(p_dPerSecond) ? std::max(0.0, p_dPerSecond) : 0.0;
    if (!isRunning())
        return;
    if (m_dRate <= 0.0) {
        stop();
        return;
    }
    start();
}

void TrafficSimulator::refreshChannels()
{
    VornClient *client = VornClient::instance();
    m_vecChannels.clear();
    const OrvaneDeviceList devices = client->filtDeviceByShowType(
            client->getCurUserDevices(), VornClient::ShowTempScreeningDevices);
    for (const OrvaneDevice &device : devices) {
        std::vector<OrvaneChannel> channels;
        client->getChannelsByDeviceId(device.get_id(), channels);
        const bool recorder = client->isNVROrDVRDevice(device.get_device_type_id());
        for (const OrvaneChannel &channel : channels) {
            // The screen's rule for "every thermal channel": a recorder's channel by its own
            // type, any other device's channel by the device's type.
            const bool thermal =
                    recorder ? client->isThermoDetectorDevice(channel.get_channel_type_id())
                             : client->isThermoDetectorDevice(device.get_device_type_id());
            if (!thermal)
                continue;
            Channel entry;
            entry.strChannelUID = channel.get_channel_uid();
            entry.nTypeId = client->isThermoDetectorDevice(device.get_device_type_id())
                                    ? device.get_device_type_id()
                                    : channel.get_channel_type_id();
            entry.bViaRecorder = recorder;
            m_vecChannels.push_back(entry);
        }
    }
    const QStringList servers = HostTesting::connectedPictureServers();
    m_strPictureServerUID = servers.isEmpty() ? client->getLoginServerUid() : servers.first();
}

bool TrafficSimulator::prepare()
{
    VornClient *client = VornClient::instance();
    m_vecPersons.clear();
    refreshChannels();
    if (m_vecChannels.empty()) {
        qDebug() << "TrafficSimulator::prepare the scenario has no thermal channel, no traffic";
        m_bPrepared = false;
        return false;
    }

    for (const OrvaneArchive &archive : client->getArchives()) {
        Person person;
        person.archive = archive;
        const QString own = archive.get_image_url();
        if (!own.isEmpty() && PlatformPictureStore::contains(own)) {
            person.strPictureName = own;
        } else {
            const QString name = QStringLiteral("traffic/archives/%1.jpg").arg(archive.get_id());
            person.strPictureName = PlatformPictureStore::store(
                    name, SyntheticFace::draw(personFace(archive.get_id()), 0, false));
            if (person.strPictureName.isEmpty()) {
                qDebug() << "TrafficSimulator::prepare no archive picture for" << archive.get_id()
                         << ", the person is left out";
                continue;
            }
        }
        m_vecPersons.push_back(person);
    }
    // Alarm ids never repeat, also across runs on the same store: the next one follows the
    // highest the platform recorded (a snapshot or a handling that outlived it).
    m_nNextAlarmId = std::max({m_nNextAlarmId, SnapshotHistory::maxAlarmId() + 1,
                               AlarmHandlingStore::maxAlarmId() + 1});
    qDebug() << "TrafficSimulator::prepare" << m_vecChannels.size() << "thermal channels,"
             << m_vecPersons.size() << "registered persons";
    m_bPrepared = true;
    return true;
}

bool TrafficSimulator::start()
{
    if (!m_bPrepared && !prepare())
        return false;
    if (m_dRate <= 0.0) {
        stop();
        return true;
    }
    m_objClock.start();
    m_nDueBase = 0;
    m_pTimer->start(std::max(MinTickMs, int(std::lround(1000.0 / m_dRate))));
    qDebug() << "TrafficSimulator::start" << m_dRate << "notifications per second";
    return true;
}

void TrafficSimulator::stop()
{
    m_pTimer->stop();
}

bool TrafficSimulator::isRunning() const
{
    return m_pTimer->isActive();
}

void TrafficSimulator::slot_tick()
{
    const qint64 due = qint64(std::floor(m_objClock.elapsed() / 1000.0 * m_dRate)) + 1;
    qint64 count = due - m_nDueBase;
    if (count > MaxPerTick) {
        qDebug() << "TrafficSimulator::slot_tick" << count - MaxPerTick
                 << "notifications skipped, the flow fell behind";
        count = MaxPerTick;
        m_nDueBase = due - MaxPerTick;
    }
    OrvaneCompareNotifyMessageList direct;
    OrvaneCompareNotifyMessageList recorder;
    for (qint64 i = 0; i < count; ++i)
        produce(direct, recorder);
    m_nDueBase += count;
    emitBatch(direct, recorder);
}

bool TrafficSimulator::emitOne()
{
    if (!m_bPrepared && !prepare())
        return false;
    OrvaneCompareNotifyMessageList direct;
    OrvaneCompareNotifyMessageList recorder;
    if (!produce(direct, recorder))
        return false;
    emitBatch(direct, recorder);
    return true;
}

std::vector<size_t> TrafficSimulator::sendingChannels() const
{
    std::vector<size_t> sending;
    for (size_t i = 0; i < m_vecChannels.size(); ++i) {
        const Channel &channel = m_vecChannels[i];
        if (!channel.bViaRecorder || HostTesting::isNvrChannelRegistered(channel.strChannelUID))
            sending.push_back(i);
    }
    return sending;
}

int TrafficSimulator::backfillToday(int p_nPerHour, const QDateTime &p_objNow)
{
    if ((m_vecChannels.empty() && !prepare()) || p_nPerHour <= 0)
        return 0;
    const QDateTime dayStart(p_objNow.date(), QTime(0, 0));
    const int firstHour = std::max(0, p_objNow.time().hour() - BackfillHours);
    const QDateTime from = dayStart.addSecs(qint64(firstHour) * 3600);
    const qint64 span = from.secsTo(p_objNow);
    const int count = p_nPerHour * (p_objNow.time().hour() - firstHour + 1);
    if (span <= 0)
        return 0;
    int recorded = 0;
    int handled = 0;
    for (int i = 0; i < count; ++i) {
        // Evenly spread, oldest first, so alarm ids rise with time as live ones do.
        const QDateTime taken = from.addSecs(span * i / count);
        TrafficPlanner::Draw draw = TrafficPlanner::draw(m_objRandom, int(m_vecChannels.size()),
                                                         int(m_vecPersons.size()));
        OrvaneCompareNotifyMessage message;
        if (!compose(draw, taken, message) || !SnapshotHistory::record(message))
            continue;
        ++recorded;
        const int alarmId = message.snapFaceInfo.snapTargetSource.alarmId;
        if (alarmId == -99999)
            continue;
        AlarmHandlingStore::Record handling;
        handling.nAlarmId = alarmId;
        handling.nHandleType = handled++ % (AlarmHandlingStore::HandleOther + 1);
        handling.strNote = QStringLiteral("handled at another workstation");
        handling.objTime = std::min(taken.addSecs(300), p_objNow);
        if (AlarmHandlingStore::save(handling) == AlarmHandlingStore::SaveResult::Failed)
            qDebug() << "TrafficSimulator::backfillToday the handling of alarm" << alarmId
                     << "was not stored";
    }
    return recorded;
}

bool TrafficSimulator::produce(OrvaneCompareNotifyMessageList &p_vecDirect,
                               OrvaneCompareNotifyMessageList &p_vecRecorder)
{
    const std::vector<size_t> sending = sendingChannels();
    if (sending.empty())
        return false;
    TrafficPlanner::Draw draw =
            TrafficPlanner::draw(m_objRandom, int(sending.size()), int(m_vecPersons.size()));
    draw.nChannel = int(sending[size_t(draw.nChannel)]);
    OrvaneCompareNotifyMessage message;
    if (!compose(draw, QDateTime::currentDateTime(), message))
        return false;
    if (!SnapshotHistory::record(message))
        qDebug() << "TrafficSimulator::produce snapshot" << message.snapFaceInfo.snapId
                 << "not recorded in the history";
    m_bLastViaRecorder = m_vecChannels[size_t(draw.nChannel)].bViaRecorder;
    (m_bLastViaRecorder ? p_vecRecorder : p_vecDirect).push_back(message);
    m_objLast = message;
    ++m_nEmitted;
    return true;
}

void TrafficSimulator::emitBatch(const OrvaneCompareNotifyMessageList &p_vecDirect,
                                 const OrvaneCompareNotifyMessageList &p_vecRecorder)
{
    VornClient *client = VornClient::instance();
    if (!p_vecDirect.empty())
        emit client->signalCompareNotifyReceived(p_vecDirect);
    if (!p_vecRecorder.empty())
        emit client->signalAiNvrCompareNotifyReceived(p_vecRecorder);
}

bool TrafficSimulator::compose(const TrafficPlanner::Draw &p_objDraw, const QDateTime &p_objNow,
                               OrvaneCompareNotifyMessage &p_objMessage)
{
    const qint64 sequence = ++m_nSequence;
    const Channel &channel = m_vecChannels[size_t(p_objDraw.nChannel)];
    const quint32 face =
            p_objDraw.nPersonSeen >= 0
                    ? personFace(m_vecPersons[size_t(p_objDraw.nPersonSeen)].archive.get_id())
                    : p_objDraw.nStrangerFace;

    // Time and sequence keep names unique across runs that share a seed.
    const QString pictureName = QStringLiteral("traffic/snapshots/%1/%2-%3.jpg")
                                        .arg(p_objNow.toString(QStringLiteral("yyyyMMdd")),
                                             p_objNow.toString(QStringLiteral("hhmmsszzz")))
                                        .arg(sequence, 6, 10, QLatin1Char('0'));
    if (PlatformPictureStore::store(pictureName, SyntheticFace::draw(face, quint32(sequence),
                                                                     p_objDraw.nMaskStatus != 2))
                .isEmpty()) {
        qDebug() << "TrafficSimulator::compose snapshot picture" << pictureName
                 << "not stored, snapshot dropped";
        return false;
    }

    OrvaneSnapFaceInfo &info = p_objMessage.snapFaceInfo;
    info.snapId = p_objNow.toMSecsSinceEpoch() * 1000 + sequence % 1000;
    info.faceId = info.snapId;
    info.snapTimestampMs = p_objNow.toMSecsSinceEpoch();
    info.maskStatus = p_objDraw.nMaskStatus;
    info.faceRect = QStringLiteral("%1,%2,%3,%4")
                            .arg(600 + int(sequence % 7) * 20)
                            .arg(300 + int(sequence % 5) * 10)
                            .arg(SyntheticFace::Width)
                            .arg(SyntheticFace::Height);

    OrvaneSnapTargetSource &source = info.snapTargetSource;
    // Recorder snapshots come through the login server, the others through the platform's
    // picture server: the source kinds the totals count apart.
    source.serverUID = channel.bViaRecorder ? VornClient::instance()->getLoginServerUid()
                                            : m_strPictureServerUID;
    source.snapDetailImageURL = pictureName;
    source.channelUID = channel.strChannelUID;
    source.deviceTypeId = channel.nTypeId;
    source.snapTime =
            QLocale::c().toString(p_objNow, QString::fromLatin1(SnapshotHistory::TimeFormat));
    source.skipFlag = 0;
    source.compareResult = p_objDraw.nPersonSeen >= 0 ? 1 : 0;
    source.hasTemperature = 1;
    source.temperature = p_objDraw.dTemperature;
    source.temperatureState = p_objDraw.nTemperatureState;
    source.overTempListFlag = p_objDraw.nTemperatureState == 1 ? 1 : 0;
    source.alarmId = p_objDraw.nTemperatureState == 1 ? m_nNextAlarmId++ : -99999;

    p_objMessage.compareInfoVec.clear();
    for (const TrafficPlanner::Match &match : p_objDraw.matches)
        p_objMessage.compareInfoVec.push_back(matchInfo(match));
    return true;
}

CompareInfo TrafficSimulator::matchInfo(const TrafficPlanner::Match &p_objMatch) const
{
    CompareInfo info;
    info.score = p_objMatch.fScore;
    if (p_objMatch.nPerson < 0)
        return info; // a stranger entry: no archive, no match
    const Person &person = m_vecPersons[size_t(p_objMatch.nPerson)];
    info.archive = person.archive;
    info.archiveImage.url = person.strPictureName;
    // The operator may have replaced the person's picture since: the platform sends the
    // current one.
    for (const OrvaneArchive &current : VornClient::instance()->getArchives()) {
        if (current.get_id() != person.archive.get_id())
            continue;
        info.archive = current;
        if (!current.get_image_url().isEmpty()
            && PlatformPictureStore::contains(current.get_image_url()))
            info.archiveImage.url = current.get_image_url();
        break;
    }
    info.archiveImage.archiveId = person.archive.get_id();
    info.archiveImage.archiveGroupId = person.archive.get_group_id();
    info.archiveImage.imageName = QStringLiteral("%1.jpg").arg(person.archive.get_id());
    info.matchFlag = 1;
    info.libraryId = person.archive.get_group_id();
    return info;
}
