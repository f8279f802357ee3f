#pragma once

class QTemporaryDir;

#include "OrvaneArchive.h"
#include "OrvaneCompareNotifyMessage.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

class QEventLoop;
class QMessageLogContext;

// Set-up and measuring pieces the benchmark programs share: the clock, resident memory, output,
// the log filter, the event-loop wait, and a camera-like stream of notifications with pictures
// in the platform's picture store.
namespace benchsupport {

// The bundled scenario's thermal channel the notifications come from, and its device type.
extern const char *const ChannelUid;
constexpr int ThermalTypeId = 20;

// Nanoseconds on a monotonic clock started at the first call.
qint64 nowNs();
// Resident memory in MiB, from /proc/self/statm; -1 when it cannot be read.
double residentMiB();
// Bytes of the files below the folder, links not followed.
qint64 folderBytes(const QString &folder);
// printf to stdout, flushed.
void say(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Debug and info lines are dropped unless verbose; install with qInstallMessageHandler.
void setVerbose(bool verbose);
void messageFilter(QtMsgType type, const QMessageLogContext &, const QString &message);

// Offscreen, in a fresh configuration folder (no history, no strategies, no cached pictures),
// with the log filtered; call before the application exists. False when no folder could be made.
bool prepareFreshRun(const QTemporaryDir &config);

// Runs the event loop until `done` holds or the time is up; false on time-out.
bool runUntil(const std::function<bool()> &done, int timeoutMs, QEventLoop *loop);

QImage benchFace(int index, bool archive);

struct Person
{
    OrvaneArchive archive;
    QString strPicture;
};

class NotificationFactory
{
public:
    // Stores `poolSize` distinct snapshot pictures and one archive picture per archive of the
    // scenario; false when the store refuses one.
    bool prepare(int poolSize);
    // A camera-like mix: four in five registered, one in ten over temperature, one in ten
    // abnormal, one in four without mask; every snapshot a picture of its own within the pool.
    OrvaneCompareNotifyMessage make();
    // With the alarm mix, every third snapshot (ids divisible by 3) is over temperature with an
    // alarm id equal to its snapshot id; the others are never over temperature.
    void setAlarmMix(bool on) { m_bAlarmMix = on; }
    static bool isAlarm(qint64 id) { return id % 3 == 0; }

    const std::vector<QString> &pool() const { return m_vecPool; }
    qint64 lastId() const { return m_nNext; }

private:
    std::vector<QString> m_vecPool;
    std::vector<Person> m_vecPersons;
    QString m_strServer;
    qint64 m_nNext = 0;
    bool m_bAlarmMix = false;
};

} // namespace benchsupport
