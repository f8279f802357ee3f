// Seeded hostile traffic through the client's signals into two live screens built by the
// plug-in. FEVER_FUZZ_CASES (default 2000) sets the number of cases, FEVER_FUZZ_SEED the seed
// (default: from the clock); the seed is printed so that a failing run can be repeated.
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "EpidemicPreviewPlugin.h"
#include "ScreeningScreen.h"
#include "SnapIntake.h"
#include "StrategyDefaults.h"

#include "AppConfigHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransfer.h"
#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"
#include "SnapshotHistory.h"
#include "VornClient.h"

#include <QBuffer>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

using testsupport::flushDeferredDeletes;

namespace {

// Two screens with full strips (about 350 widgets each with the frame) and full over-temperature
// lists (about 15 widgets a card) come to about 1,600.
constexpr int MaxWidgets = 1800;
constexpr int MaxObjects = 10000;
constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();
constexpr double Inf = std::numeric_limits<double>::infinity();

QByteArray encoded(const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    snaptest::facePicture().save(&buffer, format);
    return buffer.data();
}

// A valid PNG whose header claims 30000 x 30000 pixels.
QByteArray hugePng()
{
    QByteArray bytes = encoded("PNG");
    qToBigEndian<quint32>(30000, bytes.data() + 16);
    qToBigEndian<quint32>(30000, bytes.data() + 20);
    quint32 crc = 0xffffffffu;
    for (const char c : bytes.mid(12, 17)) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    qToBigEndian<quint32>(~crc, bytes.data() + 29);
    return bytes;
}

// Every entry below the root outside `skip`, with its size and time.
QStringList treeOutside(const QString &root, const QString &skip)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.filePath() != skip && !info.filePath().startsWith(skip + '/'))
            entries << info.filePath() + ' ' + QString::number(info.size()) + ' '
                               + info.lastModified().toString(Qt::ISODateWithMs);
    }
    entries.sort();
    return entries;
}

} // namespace

class TestFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileTraffic();
    void screensGoWithoutATrace();

private:
    int below(int n) { return int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template<typename T>
    T pick(std::initializer_list<T> values)
    {
        return values.begin()[below(int(values.size()))];
    }
    int anyInt()
    {
        return pick({0, 1, 2, 3, -1, 4, FeverValues::NoValue, IntMin, IntMax, int(m_rng())});
    }
    QString text(const QString &plausible);
    QString pictureUrl();
    OrvaneCompareNotifyMessage notification();
    void forgeTransferEvent();
    void changePlatform();
    void buildScreen(int slot);
    void dropScreen(int slot);
    void waitForTransfers(int atMost);
    void checkpoint(const QString &where);

    std::mt19937_64 m_rng;
    QString m_strRun; // the seed, for failure messages
    QTemporaryDir m_objSandbox;
    QString m_strRoot, m_strConfig, m_strDecoy, m_strOldCwd;
    QStringList m_lstHostileTexts, m_lstHostileUrls, m_lstTreeBefore;
    int m_nWatch = -1;
    EpidemicPreviewPlugin m_objPlugin;
    int m_arrWindow[2] = {0, 0};
    QPointer<QWidget> m_arrPage[2];
    std::vector<char> m_vecGarbage = std::vector<char>(256, '\x5a');
    void *m_pFreed = nullptr;
    SnapComparesMessage m_objBystander; // a record the intake never made, offered as user data
    int m_nBaseline = 0, m_nLastTask = 0, m_nMaxWidgets = 0, m_nShown = 0;
};

void TestFuzz::initTestCase()
{
    testsupport::installWarningGuard();
    // What hostile pictures and names are expected to make the host say.
    testsupport::allowWarning(QRegularExpression(
            "refused (picture|remote name outside|local path outside)|ImageDataCache::find "
            "refused|^(Corrupt JPEG data|Invalid JPEG file)"));
    // Device notices naming devices the client does not know.
    testsupport::allowWarning(QRegularExpression("^(EpidemicPreview|TempScreeningSW02)::slot_"
                                                 "deviceInfoChangedfailed! device not find!"));
    const quint64 seed = qEnvironmentVariableIsSet("FEVER_FUZZ_SEED")
                                 ? qgetenv("FEVER_FUZZ_SEED").toULongLong()
                                 : quint64(QDateTime::currentMSecsSinceEpoch());
    m_rng.seed(seed);
    m_strRun = QStringLiteral("FEVER_FUZZ_SEED=%1").arg(seed);
    qInfo("tst_fuzz: %s", qPrintable(m_strRun));

    // The sandbox holds the configuration folder, a decoy folder that hostile names point at,
    // and the working folder that relative paths would land in.
    QVERIFY(m_objSandbox.isValid());
    m_strRoot = QFileInfo(m_objSandbox.path()).canonicalFilePath();
    m_strConfig = m_strRoot + "/config";
    m_strDecoy = m_strRoot + "/decoy";
    const QString store = m_strConfig + "/platform/pictures/fuzz/";
    const QString cache = m_strConfig + "/cache/snapshot";
    for (const QString &folder : {m_strRoot + "/work", m_strDecoy, store, cache})
        QVERIFY(QDir().mkpath(folder));
    AppConfigHelper::instance()->setAppConfigDirPath(m_strConfig);
    QCOMPARE(SnapPathResolver::pictureStoreFolder() + "/fuzz/", store);
    FlieDataTransfer::getInstance()->setDiskCacheByteLimit(256 * 1024); // trimmed on every task
    // The customer variant decides which screen the plug-in builds (1: the alternate one).
    AppConfigOEM oem = AppConfigHelper::instance()->getOEMConfig();
    oem.nPreviewScreenType = qEnvironmentVariableIntValue("FEVER_FUZZ_OEM_VARIANT");
    QVERIFY(AppConfigHelper::instance()->setOEMConfig(oem));
    m_strRun += QStringLiteral(" FEVER_FUZZ_OEM_VARIANT=%1").arg(oem.nPreviewScreenType);

    const QByteArray jpeg = encoded("JPEG");
    const QList<QPair<QString, QByteArray>> files{
            {m_strDecoy + "/secret.jpg", jpeg},
            {store + "huge.png", hugePng()},
            {store + "vector.jpg", "<svg xmlns='http://www.w3.org/2000/svg' width='30000' "
                                   "height='30000'><image href='../../../../decoy/secret.jpg'/>"
                                   "</svg>"},
            {store + "anim.gif", "GIF89a\x08\x01\x08\x01\x80"},
            {store + "notes.txt", "not a picture"},
            {store + "empty.jpg", QByteArray()},
            {store + "cut.jpg", jpeg.left(300)}};
    for (const auto &file : files) {
        QFile out(file.first);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.second) == file.second.size());
    }
    const QImage face = snaptest::facePicture(48, 64);
    for (int i = 0; i < 6; ++i)
        QVERIFY(!PlatformPictureStore::store(QStringLiteral("fuzz/good-%1.jpg").arg(i), face)
                         .isEmpty());
    QVERIFY(!PlatformPictureStore::store(QStringLiteral("escape/new.jpg"), face).isEmpty());
#ifdef Q_OS_UNIX
    // Links out of the store and out of the cache.
    QVERIFY(QFile::link(m_strDecoy + "/secret.jpg", store + "link.jpg"));
    QVERIFY(QFile::link(m_strDecoy, cache + "/escape"));
#endif

    const QString decoy = m_strDecoy + "/secret.jpg";
    m_lstHostileTexts =
            QStringList{QString(),
                        "<img src=\"" + decoy + "\"><b>x</b><a href=\"file://" + decoy + "\">y</a>",
                        "line\nbreak\r\n\ttab",
                        QString(10240, QChar(0x4e2d)),
                        QString::fromUtf8("\xE5\x90\x8D \xE2\x80\xAE"
                                          "evil \xF0\x9F\x98\x80 e\xCC\x81"),
                        QString(QChar(0)) + "\x01\x1b[31m\x7f" + QChar(0xD800),
                        "%1 %2 %n %s %x %%"};
    // Non-pictures and links in the store, ways out of the store and the cache, other schemes.
    m_lstHostileUrls =
            QStringLiteral(
                    "fuzz/huge.png fuzz/vector.jpg fuzz/anim.gif fuzz/notes.txt fuzz/empty.jpg "
                    "fuzz/cut.jpg fuzz/link.jpg escape/new.jpg ../decoy/secret.jpg "
                    "../../../decoy/secret.jpg ../../../../decoy/secret.jpg "
                    "fuzz/../../../../decoy/secret.jpg %2e%2e/%2e%2e/decoy/secret.jpg "
                    "C:\\decoy\\secret.jpg C:secret.jpg \\\\host\\share\\a.jpg "
                    "http://127.0.0.1:9/a.jpg qrc:/images/a.png fuzz//good-1.jpg "
                    "fuzz/./good-1.jpg fuzz\\good-1.jpg CON fuzz/aux.jpg / . .. "
                    ":/images/home/charts/ai/image_nodate.png")
                    .split(' ');
    m_lstHostileUrls << decoy << "file://" + decoy << "file:" + decoy << ":/../.." + decoy;

    m_lstTreeBefore = treeOutside(m_strRoot, m_strConfig);
#ifdef Q_OS_LINUX
    m_nWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    for (const QString &folder : {m_strDecoy, m_strRoot + "/work"})
        QVERIFY(inotify_add_watch(m_nWatch, QFile::encodeName(folder).constData(), IN_ALL_EVENTS)
                >= 0);
#endif
    m_strOldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_strRoot + "/work"));

    m_pFreed = new SnapComparesMessage;
    delete static_cast<SnapComparesMessage *>(m_pFreed);
    connect(FlieDataTransfer::getInstance(), &FlieDataTransfer::signalTaskFinished, this,
            [this](int taskId) { m_nLastTask = std::max(m_nLastTask, taskId); });
    m_nBaseline = SnapComparesMessage::liveCount();
    buildScreen(0);
    buildScreen(1);
}

QString TestFuzz::text(const QString &plausible)
{
    if (chance(60))
        return plausible;
    if (chance(80))
        return m_lstHostileTexts.at(below(m_lstHostileTexts.size()));
    QByteArray bytes(below(64), '\0');
    for (char &c : bytes)
        c = char(m_rng());
    return QString::fromUtf8(bytes);
}

QString TestFuzz::pictureUrl()
{
    if (chance(55))
        return QStringLiteral("fuzz/good-%1.jpg").arg(below(6));
    return chance(80) ? m_lstHostileUrls.at(below(m_lstHostileUrls.size())) : text(QString());
}

OrvaneCompareNotifyMessage TestFuzz::notification()
{
    const QString &server = snaptest::DefaultServer;
    const QString &gate = snaptest::DefaultChannel;
    snaptest::SnapBuilder snap;
    snap.snapId(qint64(m_rng()))
            .server(text(pick<QString>({server, server, "IAU-SRV-02", "IAU-SRV-03"})))
            .deviceType(chance(70) ? pick({20, 21, 2, 3}) : anyInt())
            .skip(chance(85) ? 0 : anyInt())
            .channel(chance(70) ? pick<QString>({gate, "TC-GATE-B_1", "NVR-NORTH_1"})
                                : text(pick<QString>({"TC-GATE-A_", "_1", "TC-GATE-A_-1",
                                                      "TC-GATE-A_99999999999"})))
            .state(chance(70) ? below(4) : anyInt())
            .mask(anyInt())
            .alarm(anyInt())
            .picture(pictureUrl());
    if (chance(60))
        snap.at(QDateTime::currentDateTime().addSecs(pick({0, 0, -86400, 86400, -40000})));
    else
        snap.at(text(pick<QString>({"", "garbage", "2024-13-45 25:61:61", "9999-12-31 23:59:59"})));
    if (chance(40))
        snap.temperature(pick({std::nan(""), Inf, -Inf, 1e300, -1e300, -0.0, 5e-324, 42.0,
                               double(m_rng() % 200000) / 100.0 - 1000.0}));
    if (chance(10))
        snap.noTemperature().overTempListFlag(anyInt()).compareResult(anyInt());
    snap.noMatch();
    for (int n = below(6); n > 0; --n) {
        if (chance(30))
            snap.stranger();
        else
            snap.registered(chance(60) ? 501 + below(4) : anyInt(), text("Person"), anyInt(),
                            pick({0.9f, std::numeric_limits<float>::quiet_NaN(), -1.0f, 1e30f}));
        snap.matchFlag(chance(80) ? 1 : anyInt()).archivePicture(pictureUrl());
    }
    return snap.notification();
}

void TestFuzz::forgeTransferEvent()
{
    QWidget *target = m_arrPage[below(2)]->findChild<ScreeningScreen *>();
    if (chance(10))
        return QCoreApplication::postEvent(target, new QEvent(FileTransStateEvent::EventType));
    // User data that points anywhere: the intake must look records up by task id alone. Task
    // ids near the last completion hit downloads still under way.
    void *userData =
            pick<void *>({nullptr, m_vecGarbage.data() + below(200), m_pFreed,
                          reinterpret_cast<void *>(quintptr(0xdeadbeef)), &m_objBystander});
    auto *event = new FileTransStateEvent(chance(70) ? 0 : anyInt(), userData,
                                          chance(60) ? m_nLastTask - 3 + below(12) : anyInt(),
                                          pick({0, 0, -1, anyInt()}), chance(70), anyInt());
    if (chance(20))
        event->setError(anyInt(), text("forged"));
    QCoreApplication::postEvent(target, event);
}

void TestFuzz::changePlatform()
{
    OrvaneDevice device;
    device.set_id(chance(50) ? 101 + below(6) : anyInt());
    device.set_device_uid(text("TC-GATE-A"));
    device.set_device_type_id(pick({20, 2, anyInt()}));
    device.set_group_id(anyInt());
    OrvaneOrga orga;
    orga.set_id(chance(50) ? 1 + below(6) : anyInt());
    orga.set_group_code(text(pick<QString>({"001", "001001", "", "001001001001"})));
    orga.set_group_name(text("Orga"));
    orga.set_parent_id(anyInt());
    std::vector<int> alarms(size_t(below(40)));
    for (int &id : alarms)
        id = anyInt();
    const auto kind = OrvaneOperatorType(below(4));
    VornClient *client = VornClient::instance();
    if (chance(30))
        emit client->signalProcessOverTemperatureAlarm(alarms);
    else if (chance(50))
        emit client->signalOrgaInfoChanged(orga, kind);
    else
        emit client->signalDeviceInfoChanged(OrvaneDeviceList(size_t(below(4)), device), kind);
}

void TestFuzz::buildScreen(int slot)
{
    auto *page = new QWidget;
    const int windowId = m_objPlugin.init(page);
    QVERIFY(windowId > 0);
    ST_MSGVoiceBroadcastStrategy strategy =
            slot == 0 ? StrategyDefaults::strangerStrategy(windowId + 1)
                      : StrategyDefaults::registryStrategy(windowId + 1);
    strategy.set_card_size(1 + below(3));
    strategy.set_image_display_mode(below(4));
    strategy.temp_record_mode = below(4);
    strategy.over_temp_clear_time = pick({-1, 0, 1, 3600});
    QVERIFY(testsupport::prepareWindow(windowId, {strategy},
                                       {snaptest::DefaultChannel, "TC-GATE-B_1", "NVR-NORTH_1"}));
    IntelligentSnapConfigParam all;
    all.bAllChannel = true;
    if (slot == 0) // the other one screens the channels above
        AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, all);
    m_objPlugin.getWidget(windowId)->setProperty("priviewWinId", windowId);
    m_objPlugin.getWidget(windowId)->resize(1157, 603);
    page->resize(1157, 603);
    page->show();
    connect(page->findChild<SnapIntake *>(), &SnapIntake::recordReady, this,
            [this] { ++m_nShown; });
    m_arrWindow[slot] = windowId;
    m_arrPage[slot] = page;
}

void TestFuzz::dropScreen(int slot)
{
    m_objPlugin.getWidget(m_arrWindow[slot])->releaseResource();
    QVERIFY(m_objPlugin.uninit(m_arrWindow[slot]));
    delete m_arrPage[slot];
}

void TestFuzz::waitForTransfers(int atMost)
{
    // Woken by each completion, rather than polled as QTRY_ does.
    const QDeadlineTimer deadline(60000);
    while (FlieDataTransfer::getInstance()->pendingTaskCount() > atMost && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QVERIFY2(FlieDataTransfer::getInstance()->pendingTaskCount() <= atMost, qPrintable(m_strRun));
    QCoreApplication::sendPostedEvents();
    flushDeferredDeletes();
}

void TestFuzz::checkpoint(const QString &where)
{
    waitForTransfers(0);
    const QString at = m_strRun + ", " + where;
    // Downloaded records are handed on a few per turn of the event loop.
    const auto waiting = [this] {
        int count = 0;
        for (const QPointer<QWidget> &page : m_arrPage)
            count += page->findChild<SnapIntake *>()->waitingCount();
        return count;
    };
    QTRY_VERIFY2(waiting() == 0, qPrintable(at));
    flushDeferredDeletes();
    // With every download reported, each record is on a card: none lost, none released twice.
    int cards = 0;
    for (const QPointer<QWidget> &page : m_arrPage) {
        cards += testsupport::cardStrip(page)->cardCount();
        QVERIFY2(page->findChild<SnapIntake *>()->pendingCount() == 0, qPrintable(at));
    }
    QVERIFY2(SnapComparesMessage::liveCount() - m_nBaseline == cards, qPrintable(at));
    QObjectList roots{qApp, VornClient::instance(), FlieDataTransfer::getInstance()};
    for (QWidget *window : QApplication::topLevelWidgets())
        roots << window;
    int objects = 0;
    for (QObject *root : qAsConst(roots))
        objects += 1 + root->findChildren<QObject *>().size();
    QVERIFY2(objects < MaxObjects && m_nMaxWidgets < MaxWidgets,
             qPrintable(
                     at
                     + QStringLiteral(": %1 objects, %2 widgets").arg(objects).arg(m_nMaxWidgets)));
}

void TestFuzz::hostileTraffic()
{
    const int cases = qEnvironmentVariableIntValue("FEVER_FUZZ_CASES") > 0
                              ? qEnvironmentVariableIntValue("FEVER_FUZZ_CASES")
                              : 2000;
    QElapsedTimer clock;
    clock.start();
    VornClient *client = VornClient::instance();
    for (int i = 0; i < cases && !QTest::currentTestFailed(); ++i) {
        const int what = below(100);
        if (what < 55 || what >= 97) { // now and then a burst
            OrvaneCompareNotifyMessageList list(size_t(what >= 97 ? 20 + below(40) : 1 + below(3)));
            for (OrvaneCompareNotifyMessage &notify : list)
                notify = notification();
            if (chance(80))
                emit client->signalCompareNotifyReceived(list);
            else
                emit client->signalAiNvrCompareNotifyReceived(list);
        } else if (what < 80) {
            for (int n = 1 + below(4); n > 0; --n)
                forgeTransferEvent();
        } else if (what < 94) {
            changePlatform();
        } else {
            SnapshotHistory::record(notification()); // replayed by the screens built later
        }
        QCoreApplication::processEvents();
        flushDeferredDeletes();
        if (FlieDataTransfer::getInstance()->pendingTaskCount() > 40)
            waitForTransfers(10);
        m_nMaxWidgets = std::max(m_nMaxWidgets, QApplication::allWidgets().size());
        if ((i + 1) % std::max(1, cases / 10) == 0) {
            checkpoint(QStringLiteral("case %1").arg(i));
            if (chance(50)) { // a screen closed and opened again, with downloads under way
                emit client->signalCompareNotifyReceived({notification(), notification()});
                const int slot = below(2);
                dropScreen(slot);
                buildScreen(slot);
            }
        }
    }
    checkpoint(QStringLiteral("end"));
    // Past Qt Test's message limit, which the intake's debug lines reach early.
    std::fprintf(stderr, "tst_fuzz: %s, %d cases in %.1f s, %d records shown, at most %d widgets\n",
                 qPrintable(m_strRun), cases, double(clock.elapsed()) / 1000.0, m_nShown,
                 m_nMaxWidgets);
    // A generator that only made refusals would leave the card path untried.
    QVERIFY2(m_nShown > cases / 10, qPrintable(m_strRun));
}

void TestFuzz::screensGoWithoutATrace()
{
    dropScreen(0);
    dropScreen(1);
    waitForTransfers(0);
    QCOMPARE(SnapComparesMessage::liveCount(), m_nBaseline);
    QVERIFY(QDir::setCurrent(m_strOldCwd));
#ifdef Q_OS_LINUX
    // Any access at all to the decoy or the working folder: a hostile name was followed.
    QStringList touched;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(m_nWatch, buffer, sizeof buffer)) > 0;) {
        for (char *p = buffer; p < buffer + n; p += sizeof(inotify_event)) {
            const auto *event = reinterpret_cast<inotify_event *>(p);
            touched << QString::fromLocal8Bit(event->len ? event->name : "")
                               + QStringLiteral(" mask %1").arg(event->mask, 0, 16);
            p += event->len;
        }
    }
    close(m_nWatch);
    QVERIFY2(touched.isEmpty(), qPrintable(m_strRun + ": " + touched.join(", ")));
#endif
    // Nothing new or changed outside the configuration folder.
    QCOMPARE(treeOutside(m_strRoot, m_strConfig), m_lstTreeBefore);
}

FEVER_TEST_MAIN(TestFuzz)

#include "tst_fuzz.moc"
