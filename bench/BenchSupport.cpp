#include "BenchSupport.h"

#include <QTemporaryDir>

#include "SnapBuilder.h"

#include "PlatformPictureStore.h"
#include "VornClient.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>

#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace benchsupport {

const char *const ChannelUid = "TC-GATE-A_1";

namespace {

bool g_bVerbose = false;

} // namespace

qint64 nowNs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.nsecsElapsed();
}

qint64 folderBytes(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

double residentMiB()
{
    FILE *file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return -1.0;
    long size = 0;
    long resident = 0;
    const int read = std::fscanf(file, "%ld %ld", &size, &resident);
    std::fclose(file);
    if (read != 2)
        return -1.0;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void say(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

void setVerbose(bool verbose)
{
    g_bVerbose = verbose;
}

void messageFilter(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The intake writes several debug lines per snapshot; they are still formatted (as in the
    // host) but not written, so the terminal does not become the bottleneck.
    if (!g_bVerbose && (type == QtDebugMsg || type == QtInfoMsg))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool prepareFreshRun(const QTemporaryDir &config)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (!config.isValid())
        return false;
    qputenv("FEVER_CONFIG_DIR", config.path().toLocal8Bit());
    qInstallMessageHandler(messageFilter);
    return true;
}

bool runUntil(const std::function<bool()> &done, int timeoutMs, QEventLoop *loop)
{
    if (done())
        return true;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timeout, &QTimer::timeout, loop, [&timedOut, loop] {
        timedOut = true;
        loop->quit();
    });
    timeout.start(timeoutMs);
    while (!done() && !timedOut)
        loop->exec();
    return !timedOut;
}

QImage benchFace(int index, bool archive)
{
    QImage image(200, 250, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((index * 47) % 360, 80, archive ? 230 : 150 + (index * 13) % 90));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((index * 29) % 360, 160, 120));
    painter.drawRoundedRect(QRectF(10, 190, 180, 90), 40, 40);
    painter.setBrush(
            QColor(230 - (index % 5) * 25, 190 - (index % 5) * 25, 150 - (index % 5) * 20));
    painter.drawEllipse(QRectF(50 + index % 9, 50 + index % 7, 100, 130));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(80 + index % 9, 105 + index % 7), 6, 5);
    painter.drawEllipse(QPointF(120 + index % 9, 105 + index % 7), 6, 5);
    // Some noise so that the JPEG is as costly to decode as a camera picture of this size.
    for (int i = 0; i < 1500; ++i) {
        const int x = (i * 7919 + index * 104729) % 200;
        const int y = (i * 6271 + index * 1299709) % 250;
        image.setPixel(x, y, qRgb((i * 31) % 256, (i * 17 + index) % 256, (i * 7) % 256));
    }
    painter.end();
    return image;
}

bool NotificationFactory::prepare(int poolSize)
{
    m_vecPool.clear();
    for (int i = 0; i < poolSize; ++i) {
        const QString name = PlatformPictureStore::store(QStringLiteral("bench/snap-%1.jpg").arg(i),
                                                         benchFace(i, false));
        if (name.isEmpty())
            return false;
        m_vecPool.push_back(name);
    }
    for (const OrvaneArchive &archive : VornClient::instance()->getArchives()) {
        Person person;
        person.archive = archive;
        person.strPicture = PlatformPictureStore::store(
                QStringLiteral("bench/archive-%1.jpg").arg(archive.get_id()),
                benchFace(archive.get_id(), true));
        if (person.strPicture.isEmpty())
            return false;
        m_vecPersons.push_back(person);
    }
    m_strServer = VornClient::instance()->getLoginServerUid();
    return !m_vecPersons.empty();
}

OrvaneCompareNotifyMessage NotificationFactory::make()
{
    const qint64 id = ++m_nNext;
    const int phase = int(id % 10);
    int state = phase == 7 ? 1 : phase == 8 ? 2 : phase == 9 ? 3 : 0;
    if (m_bAlarmMix)
        state = isAlarm(id) ? 1 : state == 1 ? 0 : state;
    snaptest::SnapBuilder snap;
    snap.snapId(id)
            .server(m_strServer)
            .picture(m_vecPool[size_t(id % qint64(m_vecPool.size()))])
            .channel(QString::fromLatin1(ChannelUid))
            .deviceType(ThermalTypeId)
            .mask(id % 4 == 0 ? 2 : 1)
            .state(state)
            .temperature(state == 1 ? 38.2 : 36.4 + 0.1 * double(id % 7))
            .alarm(state == 1 ? int(id) : -99999);
    if (id % 5 != 0) {
        const Person &person = m_vecPersons[size_t(id % qint64(m_vecPersons.size()))];
        snap.registered(person.archive.get_id(), person.archive.get_name(),
                        person.archive.get_group_id(), 0.93f)
                .archivePicture(person.strPicture);
    } else {
        snap.noMatch();
    }
    return snap.notification();
}

} // namespace benchsupport
