#pragma once

#include "TrafficPlanner.h"

#include "OrvaneArchive.h"
#include "OrvaneCompareNotifyMessage.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>

#include <vector>

class QTimer;

// Plays the platform's snapshot traffic for the demo: at a chosen rate it emits live comparison
// notifications through VornClient for the scenario's thermal channels, as the platform would:
// a recorder's channel only while a window has it registered (updateNvrCtrlSnapParam), with
// the login server as picture server; other channels through the platform's picture server.
// It follows devices added and removed on the platform.
// Each snapshot gets a drawn face picture in the platform's picture store and is recorded in
// the platform's snapshot history, so a screen started later loads the day's snapshots.
class TrafficSimulator : public QObject
{
    Q_OBJECT

public:
    struct Channel
    {
        QString strChannelUID;
        int nTypeId = 0;           // the thermal type id the notification carries
        bool bViaRecorder = false; // reported through the recorder signal
    };

    struct Person
    {
        OrvaneArchive archive;
        QString strPictureName; // archive picture in the picture store
    };

    explicit TrafficSimulator(QObject *parent = nullptr);
    ~TrafficSimulator() override;

    // Same seed, same sequence of persons, states, temperatures, masks and matches.
    void setSeed(quint32 p_nSeed);
    // Notifications per second; 0 stops the flow.
    void setRate(double p_dPerSecond);
    double rate() const { return m_dRate; }

    // Reads the thermal channels and registered persons from VornClient and stores the
    // archive pictures. False (with a log line) when the scenario has no thermal channel.
    bool prepare();
    // Reads the thermal channels again (after a device change).
    void refreshChannels();
    // Starts the flow at the current rate (prepares first when needed).
    bool start();
    void stop();
    bool isRunning() const;

    // The platform's history of this morning: p_nPerHour snapshots in each of the last few
    // hours of today before p_objNow (and earlier in the current hour), recorded but not
    // emitted, with every over-temperature alarm among them handled at another workstation a
    // few minutes after it, the handling types taking turns. Returns the snapshots recorded.
    int backfillToday(int p_nPerHour, const QDateTime &p_objNow);
    static constexpr int BackfillHours = 6;

    // One snapshot now: pictures stored, history recorded, notification emitted. False (with
    // a log line, nothing emitted) when a picture could not be stored or no channel may send
    // (only unregistered recorder channels).
    bool emitOne();
    // The notification the last successful emitOne sent, and whether it went through the
    // recorder signal.
    const OrvaneCompareNotifyMessage &lastNotification() const { return m_objLast; }
    bool lastWentViaRecorder() const { return m_bLastViaRecorder; }
    int emittedCount() const { return m_nEmitted; }

    const std::vector<Channel> &channels() const { return m_vecChannels; }
    const std::vector<Person> &persons() const { return m_vecPersons; }

private:
    void slot_tick();
    // Builds the notification of a draw; stores its snapshot picture. False when it failed.
    bool compose(const TrafficPlanner::Draw &p_objDraw, const QDateTime &p_objNow,
                 OrvaneCompareNotifyMessage &p_objMessage);
    CompareInfo matchInfo(const TrafficPlanner::Match &p_objMatch) const;
    void emitBatch(const OrvaneCompareNotifyMessageList &p_vecDirect,
                   const OrvaneCompareNotifyMessageList &p_vecRecorder);
    bool produce(OrvaneCompareNotifyMessageList &p_vecDirect,
                 OrvaneCompareNotifyMessageList &p_vecRecorder);

    // Channels that may send now: every direct one, the registered recorder ones.
    std::vector<size_t> sendingChannels() const;

    QRandomGenerator m_objRandom;
    QString m_strPictureServerUID; // of direct channels' snapshots; the login server when none
    double m_dRate = 0.0;
    QTimer *m_pTimer = nullptr;
    QElapsedTimer m_objClock; // since the flow started at the current rate
    qint64 m_nDueBase = 0;    // notifications sent since then
    bool m_bPrepared = false;
    std::vector<Channel> m_vecChannels;
    std::vector<Person> m_vecPersons;
    qint64 m_nSequence = 0;
    int m_nNextAlarmId = 1;
    int m_nEmitted = 0;
    OrvaneCompareNotifyMessage m_objLast;
    bool m_bLastViaRecorder = false;
};
