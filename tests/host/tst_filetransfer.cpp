#include "TestSupport.h"

#include "HostTesting.h"

#include "MessageLog.h"

#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "FlieDataTransferWorker.h"
#include "ImageDataCache.h"
#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"
#include "VORNClientAIManager.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QThread>

#include <functional>
#include <memory>

namespace {

struct SeenEvent
{
    int transType;
    void *userData;
    int taskId;
    int status;
    bool finished;
    int index;
    QThread *thread;
    int error;
    QString errorText;
};

// Records every transfer event it receives, and on which thread.
class EventSink : public QObject
{
public:
    QList<SeenEvent> events;
    std::function<void()> onEvent; // runs while the event is delivered

    bool event(QEvent *e) override
    {
        if (e->type() == FileTransStateEvent::EventType) {
            auto *state = static_cast<FileTransStateEvent *>(e);
            events.append({state->transType(), state->userData(), state->taskId(), state->status(),
                           state->isFinished(), state->index(), QThread::currentThread(),
                           state->error(), state->errorText()});
            if (onEvent)
                onEvent();
            return true;
        }
        return QObject::event(e);
    }
};

QImage sample(QRgb colour, int width = 40, int height = 50)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

FlieDataTransTask makeTask(QObject *receiver, QList<TransFilePath> files, void *userData = nullptr,
                           long handle = 1)
{
    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, 0, receiver, userData, 1);
    return task;
}

} // namespace

// The host's file transfer as the intake uses it: work off the user-interface thread,
// completion posted back to a receiver that may be gone, injected faults, and local paths that
// never leave the cache folder whatever the platform names.
class TestFileTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void downloadsOnWorkerAndPostsToReceiver();
    void missingRemotePictureFails();
    void invalidTasksAreRefused_data();
    void invalidTasksAreRefused();
    void receiverDestroyedBeforeCompletion();
    void faultSwitches();
    void localPathOutsideCacheFails_data();
    void localPathOutsideCacheFails();
    void localSnapPathStaysInCache_data();
    void localSnapPathStaysInCache();
    void localSnapPathKeepsSafeNamesApart();

    void pictureIsDecodedBeforeCompletionArrives();
    void damagedCachedPictureIsFetchedAgain();
    void diskCacheStaysWithinBound();
    void fullDiskFailsWithReasonOnceAndRecovers();
    void lineBreakInNameDoesNotForgeLogLine();

private:
    QString m_config;
    QString m_cache;
    QString m_store;
};

void TestFileTransfer::initTestCase()
{
    testsupport::installWarningGuard();
    m_config = QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR"));
    m_cache = SnapPathResolver::cacheFolder();
    m_store = SnapPathResolver::pictureStoreFolder();
    QCOMPARE(m_cache, m_config + "/cache");
    QCOMPARE(m_store, m_config + "/platform/pictures");
}

void TestFileTransfer::cleanup()
{
    HostTesting::resetTransferFaults();
    FlieDataTransfer::getInstance()->setDiskCacheByteLimit(FlieDataTransfer::DefaultDiskCacheBytes);
    testsupport::clearAllowedWarnings();
    QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
}

void TestFileTransfer::cleanupTestCase()
{
    // Leaves a task waiting on its delay timer at exit: the shutdown must stop the worker
    // thread and free the timer and the task (the ASan run reports a leak otherwise).
    static EventSink lateSink;
    const QString remote = "snap/exit.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(8, 8, 8))).isEmpty());
    HostTesting::delayNextTransferTask(60000);
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(
                    makeTask(&lateSink,
                             {{SnapPathResolver::convertToLocalSnapAbsPath(remote, true), remote}}))
            > 0);
    QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 1);
}

void TestFileTransfer::downloadsOnWorkerAndPostsToReceiver()
{
    const QString remote = "snap/2026-12-06/abc.jpg";
    QCOMPARE(PlatformPictureStore::store(remote, sample(qRgb(200, 10, 10))), remote);
    const QString local = VORNClientAIManager::instance()->convertToLocalSnapAbsPath(remote, true);
    QVERIFY(local.startsWith(m_cache + "/"));
    QVERIFY(!QFile::exists(local));

    EventSink sink;
    int record = 7;
    const QString resource = ":/no/such/resource.png"; // resources count as present
    const int taskId = FlieDataTransfer::getInstance()->addTransTask(
            makeTask(&sink, {{local, remote}, {resource, resource}}, &record));
    QVERIFY(taskId > 0);
    // The UI thread runs no event loop here, so the file can only appear through another
    // thread; and the completion is posted, never delivered without the loop.
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(local) && clock.elapsed() < 5000)
        QThread::msleep(5);
    QVERIFY(QFile::exists(local));
    QThread::msleep(20);
    QVERIFY(sink.events.isEmpty());
    QTRY_COMPARE(sink.events.size(), 1);

    const SeenEvent seen = sink.events.first();
    QCOMPARE(seen.transType, 0);
    QCOMPARE(seen.userData, static_cast<void *>(&record));
    QCOMPARE(seen.taskId, taskId);
    QCOMPARE(seen.status, 0);
    QVERIFY(seen.finished);
    QCOMPARE(seen.index, 1);
    QCOMPARE(seen.thread, QThread::currentThread());

    QCOMPARE(QImage(local).size(), QSize(40, 50));

    // Task ids are unique per task.
    const int second =
            FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}}));
    QVERIFY(second > 0 && second != taskId);
    QTRY_COMPARE(sink.events.size(), 2);
    QCOMPARE(sink.events.at(1).status, 0);
}

void TestFileTransfer::missingRemotePictureFails()
{
    const QString present = "snap/present.jpg";
    QVERIFY(!PlatformPictureStore::store(present, sample(qRgb(1, 2, 3))).isEmpty());
    const QString localPresent = SnapPathResolver::convertToLocalSnapAbsPath(present, true);
    const QString localMissing = SnapPathResolver::convertToLocalSnapAbsPath("snap/gone.jpg", true);

    EventSink sink;
    const int taskId = FlieDataTransfer::getInstance()->addTransTask(
            makeTask(&sink, {{localPresent, present}, {localMissing, "snap/gone.jpg"}}));
    QVERIFY(taskId > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, -1);
    QVERIFY(sink.events.first().finished);
    QCOMPARE(sink.events.first().index, 1);
    QVERIFY(!QFile::exists(localMissing));
}

void TestFileTransfer::invalidTasksAreRefused_data()
{
    QTest::addColumn<bool>("withReceiver");
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<int>("handle");
    QTest::addColumn<int>("transType");

    // Handle 0 is what the intake gets for a picture server that is not connected.
    QTest::newRow("handle 0") << true << true << 0 << 0;
    QTest::newRow("no receiver") << false << true << 1 << 0;
    QTest::newRow("no files") << true << false << 1 << 0;
    QTest::newRow("unknown type") << true << true << 1 << 1;
}

void TestFileTransfer::invalidTasksAreRefused()
{
    QFETCH(bool, withReceiver);
    QFETCH(bool, withFiles);
    QFETCH(int, handle);
    QFETCH(int, transType);

    EventSink sink;
    QList<TransFilePath> files;
    if (withFiles)
        files << TransFilePath(m_cache + "/snapshot/x.jpg", "x.jpg");
    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, transType, withReceiver ? &sink : nullptr, &sink, 1);
    QCOMPARE(FlieDataTransfer::getInstance()->addTransTask(task), -99999);
    QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCoreApplication::processEvents();
    QVERIFY(sink.events.isEmpty());
}

void TestFileTransfer::receiverDestroyedBeforeCompletion()
{
    const QString remote = "snap/late.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(5, 6, 7))).isEmpty());
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);

    QSignalSpy finished(FlieDataTransfer::getInstance(), &FlieDataTransfer::signalTaskFinished);
    auto sink = std::make_unique<EventSink>();
    // The delay makes sure the receiver is gone before the completion comes back; posting to
    // it then would be a use after free that ASan reports.
    HostTesting::delayNextTransferTask(150);
    const int taskId =
            FlieDataTransfer::getInstance()->addTransTask(makeTask(sink.get(), {{local, remote}}));
    QVERIFY(taskId > 0);
    sink.reset();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toInt(), taskId);
    QCOMPARE(finished.first().at(1).toInt(), 0);
}

void TestFileTransfer::faultSwitches()
{
    const QString remote = "snap/fault.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(50, 60, 70))).isEmpty());
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();

    // Injected failures hit exactly the next N tasks.
    EventSink sink;
    HostTesting::failNextTransferTasks(2);
    const int a = transfer->addTransTask(makeTask(&sink, {{local, remote}}));
    const int b = transfer->addTransTask(makeTask(&sink, {{local, remote}}));
    const int c = transfer->addTransTask(makeTask(&sink, {{local, remote}}));
    QTRY_COMPARE(sink.events.size(), 3);
    QMap<int, int> statusById;
    for (const SeenEvent &seen : qAsConst(sink.events))
        statusById.insert(seen.taskId, seen.status);
    QCOMPARE(statusById.value(a), -1);
    QCOMPARE(statusById.value(b), -1);
    QCOMPARE(statusById.value(c), 0);

    // A delayed task completes after a later one.
    EventSink ordered;
    HostTesting::delayNextTransferTask(300);
    const int slow = transfer->addTransTask(makeTask(&ordered, {{local, remote}}));
    const int fast = transfer->addTransTask(makeTask(&ordered, {{local, remote}}));
    QTRY_COMPARE(ordered.events.size(), 2);
    QCOMPARE(ordered.events.at(0).taskId, fast);
    QCOMPARE(ordered.events.at(1).taskId, slow);

    // A repeated completion arrives twice with the same task and user data.
    EventSink repeated;
    int data = 0;
    HostTesting::repeatNextTransferCompletions(1);
    const int twice = transfer->addTransTask(makeTask(&repeated, {{local, remote}}, &data));
    const int once = transfer->addTransTask(makeTask(&repeated, {{local, remote}}, &data));
    QTRY_COMPARE(repeated.events.size(), 3);
    QTest::qWait(50);
    QCOMPARE(repeated.events.size(), 3);
    QCOMPARE(repeated.events.at(0).taskId, twice);
    QCOMPARE(repeated.events.at(1).taskId, twice);
    QCOMPARE(repeated.events.at(1).userData, static_cast<void *>(&data));
    QCOMPARE(repeated.events.at(2).taskId, once);
}

void TestFileTransfer::localPathOutsideCacheFails_data()
{
    QTest::addColumn<QString>("local");
    const QString config = QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR"));
    const QString cache = config + "/cache/snapshot";
    QTest::newRow("config folder") << config + "/escaped.jpg";
    QTest::newRow("parent segments") << cache + "/../../escaped.jpg";
    QTest::newRow("sibling prefix") << config + "/cache-evil/escaped.jpg";
    QTest::newRow("relative") << "cache/escaped.jpg";
    // Links inside the cache: one to a folder outside, one dangling (writing through it would
    // create its target outside).
    QTest::newRow("through a link") << cache + "/out/escaped.jpg";
    QTest::newRow("dangling link") << cache + "/dangling.jpg";
}

void TestFileTransfer::localPathOutsideCacheFails()
{
    QFETCH(QString, local);
    const QString outside = m_config + "/outside";
    if (!QFileInfo::exists(m_cache + "/snapshot/out")) {
        QVERIFY(QDir().mkpath(outside) && QDir().mkpath(m_cache + "/snapshot"));
        QVERIFY(QFile::link(outside, m_cache + "/snapshot/out"));
        QVERIFY(QFile::link(outside + "/created.jpg", m_cache + "/snapshot/dangling.jpg"));
    }
    const QString remote = "snap/good.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(1, 1, 1))).isEmpty());
    testsupport::allowWarning(QRegularExpression("outside the cache folder"));
    EventSink sink;
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}})) > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, -1);
    for (const QString &escaped : {m_config + "/escaped.jpg", m_config + "/cache-evil/escaped.jpg",
                                   outside + "/escaped.jpg", outside + "/created.jpg"})
        QVERIFY2(!QFile::exists(escaped), qPrintable(escaped));
}

void TestFileTransfer::localSnapPathStaysInCache_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("keepsName");
    QTest::newRow("plain") << "snap/2026-12-06/abc.jpg" << true;
    QTest::newRow("unicode") << QString::fromUtf8("snap/\xe5\xbc\xa0.jpg") << true;
    QTest::newRow("parent") << "../../../etc/passwd" << false;
    QTest::newRow("parent inside") << "a/../../b.jpg" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("drive") << "C:\\Windows\\system.ini" << false;
    QTest::newRow("drive relative") << "C:bait.jpg" << false;
    QTest::newRow("backslash parents") << "..\\..\\bait.jpg" << false;
    QTest::newRow("unc") << "\\\\server\\share\\bait.jpg" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("nul") << QString("a") + QChar(0) + "b.jpg" << false;
}

void TestFileTransfer::localSnapPathStaysInCache()
{
    QFETCH(QString, url);
    QFETCH(bool, keepsName);
    for (bool isSnapshot : {true, false}) {
        const QString path =
                VORNClientAIManager::instance()->convertToLocalSnapAbsPath(url, isSnapshot);
        QVERIFY2(path.startsWith(m_cache + "/"), qPrintable(path));
        QCOMPARE(QDir::cleanPath(path), path);
        QVERIFY(SnapPathResolver::isInside(m_cache, path));
        const QString kind = isSnapshot ? "snapshot" : "archive";
        if (keepsName)
            QCOMPARE(path, m_cache + "/" + kind + "/" + url);
        else
            QVERIFY2(path.startsWith(m_cache + "/hashed/" + kind + "/"), qPrintable(path));
    }
}

void TestFileTransfer::localSnapPathKeepsSafeNamesApart()
{
    // Different names never share a file, and the two kinds never share a folder.
    const QStringList urls{"../a.jpg", "..\\a.jpg", "/a.jpg", "a.jpg", "hashed/a.jpg"};
    QSet<QString> paths;
    for (const QString &url : urls) {
        paths.insert(SnapPathResolver::convertToLocalSnapAbsPath(url, true));
        paths.insert(SnapPathResolver::convertToLocalSnapAbsPath(url, false));
    }
    QCOMPARE(paths.size(), urls.size() * 2);
    // Resources are used in place.
    QCOMPARE(SnapPathResolver::convertToLocalSnapAbsPath(":/images/x.png", false),
             QString(":/images/x.png"));
    // The hashed name keeps a plain suffix so the picture format is still recognisable.
    QVERIFY(SnapPathResolver::convertToLocalSnapAbsPath("../a.JPG", true).endsWith(".jpg"));
    QVERIFY(!SnapPathResolver::convertToLocalSnapAbsPath("../a.j/pg", true).contains("/pg"));
}

void TestFileTransfer::pictureIsDecodedBeforeCompletionArrives()
{
    const QString remote = "snap/decoded-early.png"; // lossless, to compare pixels
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(10, 200, 10))).isEmpty());
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
    ImageDataCache::shared().clear();

    EventSink sink;
    bool cachedOnArrival = false;
    bool loadedWithoutFile = false;
    sink.onEvent = [&] {
        cachedOnArrival = ImageDataCache::shared().contains(local);
        // With the file gone, only the picture decoded before the event can be found.
        QFile::remove(local);
        QPixmap pixmap;
        loadedWithoutFile = FileDataCacheHelper::tryLoadPixmapData(local, pixmap)
                            && pixmap.toImage().pixel(0, 0) == qRgb(10, 200, 10);
    };
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}})) > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, 0);
    QVERIFY(cachedOnArrival);
    QVERIFY(loadedWithoutFile);
    QCOMPARE(ImageDataCache::shared().heldBytes(), qint64(0)); // released with the event
}

void TestFileTransfer::damagedCachedPictureIsFetchedAgain()
{
    const QString remote = "snap/damaged-once.png";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(200, 20, 200))).isEmpty());
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
    EventSink sink;
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}})) > 0);
    QTRY_COMPARE(sink.events.size(), 1);

    // Same size, newer time: the copy rule alone trusts this file; only decoding shows the
    // damage, and the memory cache is emptied so the damaged file must be decoded.
    QFile file(local);
    const qint64 size = file.size();
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(QByteArray(int(size), '\0')), size);
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                             QFileDevice::FileModificationTime));
    file.close();
    ImageDataCache::shared().clear();

    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}})) > 0);
    QTRY_COMPARE(sink.events.size(), 2);
    QCOMPARE(sink.events.at(1).status, 0);
    QCOMPARE(QImage(local).pixel(0, 0), qRgb(200, 20, 200));
}

void TestFileTransfer::diskCacheStaysWithinBound()
{
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    const auto folderBytes = [this] {
        qint64 total = 0;
        QDirIterator it(m_cache, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            total += it.fileInfo().size();
        }
        return total;
    };
    QStringList locals;
    EventSink sink;
    for (int i = 0; i < 24; ++i) {
        const QString remote = QString("bound/%1.jpg").arg(i);
        QImage picture(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                picture.setPixel(x, y, qRgb((x * i) % 256, (y * 7 + i) % 256, (x ^ y) % 256));
        QVERIFY(!PlatformPictureStore::store(remote, picture).isEmpty());
        locals << SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
        if (i == 0) {
            // The bound allows about six of these pictures, whatever other tests left behind.
            QVERIFY(transfer->addTransTask(makeTask(&sink, {{locals.last(), remote}})) > 0);
            QTRY_COMPARE(sink.events.size(), 1);
            transfer->setDiskCacheByteLimit(6 * QFileInfo(locals.last()).size());
            continue;
        }
        QVERIFY(transfer->addTransTask(makeTask(&sink, {{locals.last(), remote}})) > 0);
    }
    QTRY_COMPARE(sink.events.size(), locals.size());
    const qint64 total = folderBytes();
    QVERIFY2(total <= transfer->diskCacheByteLimit(), qPrintable(QString::number(total)));
    QVERIFY(total > 0);
    QVERIFY(QFile::exists(locals.last()));   // the newest stays
    QVERIFY(!QFile::exists(locals.first())); // the oldest went
    for (const SeenEvent &seen : qAsConst(sink.events))
        QCOMPARE(seen.status, 0);
}

void TestFileTransfer::fullDiskFailsWithReasonOnceAndRecovers()
{
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    QSignalSpy diskState(transfer, &FlieDataTransfer::signalLocalDiskStateChanged);
    testsupport::allowWarning(QRegularExpression("download failed:.*no space left"));
    EventSink sink;
    QStringList remotes{"snap/full-1.jpg", "snap/full-2.jpg", "snap/full-3.jpg"};
    for (const QString &remote : remotes)
        QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(7, 7, 7))).isEmpty());

    HostTesting::simulateFullDisk(true);
    for (int i = 0; i < 2; ++i) {
        const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remotes.at(i), true);
        QVERIFY(transfer->addTransTask(makeTask(&sink, {{local, remotes.at(i)}})) > 0);
    }
    QTRY_COMPARE(sink.events.size(), 2);
    for (const SeenEvent &seen : qAsConst(sink.events)) {
        QCOMPARE(seen.status, -1);
        QCOMPARE(seen.error, int(FileTransStateEvent::ErrorDiskFull));
        QVERIFY(seen.errorText.contains("no space left"));
    }
    QCOMPARE(diskState.size(), 1); // once, not per task
    QCOMPARE(diskState.first().at(0).toBool(), true);
    QVERIFY(transfer->isLocalDiskFull());

    HostTesting::simulateFullDisk(false);
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remotes.at(2), true);
    QVERIFY(transfer->addTransTask(makeTask(&sink, {{local, remotes.at(2)}})) > 0);
    QTRY_COMPARE(sink.events.size(), 3);
    QCOMPARE(sink.events.last().status, 0);
    QCOMPARE(sink.events.last().error, int(FileTransStateEvent::NoError));
    QCOMPARE(diskState.size(), 2);
    QCOMPARE(diskState.last().at(0).toBool(), false);
    QVERIFY(!transfer->isLocalDiskFull());
}

void TestFileTransfer::lineBreakInNameDoesNotForgeLogLine()
{
    // Run on this thread, so every line the worker writes is captured in order.
    FlieDataTransferWorker worker;
    FlieDataTransferJob job;
    job.taskId = 1;
    job.cacheRoot = m_cache;
    job.storeRoot = m_store;
    job.diskCacheLimit = FlieDataTransfer::DefaultDiskCacheBytes;
    const QString remote = "snap/x.jpg\n2026-12-07 FORGED transfer line";
    job.files << TransFilePath(SnapPathResolver::convertToLocalSnapAbsPath(remote, true), remote);
    testsupport::allowWarning(QRegularExpression("outside the picture store"));
    MessageLog log;
    worker.process(job);
    QCOMPARE(log.count("FORGED"), 1);                   // the name is logged ...
    QVERIFY(log.contains("x.jpg\\n2026-12-07 FORGED")); // ... escaped, on one line
    for (const QString &line : qAsConst(log.lines))
        QVERIFY2(!line.contains('\n') && !line.contains('\r'), qPrintable(line));
}

FEVER_TEST_MAIN(TestFileTransfer)
#include "tst_filetransfer.moc"
