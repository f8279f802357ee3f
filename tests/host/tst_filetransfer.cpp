#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "MessageLog.h"

#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FileTransThread.h"
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
        if (e->type() != FileTransStateEvent::EventType)
            return QObject::event(e);
        auto *state = static_cast<FileTransStateEvent *>(e);
        events.append({state->transType(), state->userData(), state->taskId(), state->status(),
                       state->isFinished(), state->index(), QThread::currentThread(),
                       state->error(), state->errorText()});
        if (onEvent)
            onEvent();
        return true;
    }
};

// Stores a picture of one colour on the platform under the name; the name.
QString remotePicture(const QString &name, QRgb colour = qRgb(200, 10, 10))
{
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(colour);
    return PlatformPictureStore::store(name, image);
}

QString localSnap(const QString &remote)
{
    return SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
}

// Adds a task fetching the remote pictures to their local snapshot paths, or to `locals`.
int addTask(QObject *receiver, const QStringList &remotes, void *userData = nullptr,
            const QStringList &locals = QStringList())
{
    QList<TransFilePath> files;
    for (int i = 0; i < remotes.size(); ++i)
        files << TransFilePath(locals.value(i, localSnap(remotes.at(i))), remotes.at(i));
    FlieDataTransTask task(true);
    task.setTaskInfo(1, files, 0, receiver, userData, 1);
    return FlieDataTransfer::getInstance()->addTransTask(task);
}

} // namespace

// The host's file transfer as the intake uses it: work off the user-interface thread,
// completion posted back to the receiver (one that is gone by then is tst_intake's), injected
// faults, the picture decoded into the cache before the completion arrives (and fetched again
// when the cached copy is damaged), a full disk told apart, and local paths and log lines that
// the platform's names cannot break out of.
class TestFileTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        m_config = QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR"));
        m_cache = SnapPathResolver::cacheFolder();
        QCOMPARE(m_cache, m_config + "/cache");
        QCOMPARE(SnapPathResolver::pictureStoreFolder(), m_config + "/platform/pictures");
    }

    void cleanup()
    {
        HostTesting::resetTransferFaults();
        FlieDataTransfer::getInstance()->setDiskCacheByteLimit(
                FlieDataTransfer::DefaultDiskCacheBytes);
        testsupport::clearAllowedWarnings();
        QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    }

    void cleanupTestCase()
    {
        // Leaves a task waiting on its delay timer at exit: the shutdown must stop the worker
        // thread and free the timer and the task (the ASan run reports a leak otherwise).
        static EventSink lateSink;
        HostTesting::delayNextTransferTask(60000);
        QVERIFY(addTask(&lateSink, {remotePicture("snap/exit.jpg")}) > 0);
        QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 1);
    }

    void downloadsOnWorkerAndPostsToReceiver()
    {
        const QString remote = remotePicture("snap/2026-12-06/abc.jpg");
        const QString local = localSnap(remote);
        QVERIFY(local.startsWith(m_cache + "/"));
        QVERIFY(!QFile::exists(local));

        EventSink sink;
        int record = 7;
        const QString resource = ":/no/such/resource.png"; // resources count as present
        const int taskId = addTask(&sink, {remote, resource}, &record, {local, resource});
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

        // A task with a picture missing on the platform fails as a whole, under an id of its own.
        const int second = addTask(&sink, {remote, "snap/gone.jpg"});
        QVERIFY(second > 0 && second != taskId);
        QTRY_COMPARE(sink.events.size(), 2);
        QCOMPARE(sink.events.at(1).status, -1);
        QVERIFY(sink.events.at(1).finished);
        QVERIFY(!QFile::exists(localSnap("snap/gone.jpg")));
    }

    void invalidTasksAreRefused_data()
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

    void invalidTasksAreRefused()
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

    void damagedPictureIsFetchedAgainAndDecodedBeforeCompletion()
    {
        const QString remote =
                remotePicture("snap/damaged-once.png", qRgb(10, 200, 10)); // lossless
        const QString local = localSnap(remote);
        EventSink sink;
        QVERIFY(addTask(&sink, {remote}) > 0);
        QTRY_COMPARE(sink.events.size(), 1);

        // Same size, newer time: the copy rule alone keeps this file; only decoding it shows the
        // damage, and the emptied memory cache leaves nothing else to decode.
        QFile file(local);
        const qint64 size = file.size();
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(QByteArray(int(size), '\0')), size);
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        ImageDataCache::shared().clear();

        bool cachedOnArrival = false;
        bool loadedWithoutFile = false;
        sink.onEvent = [&] {
            cachedOnArrival = ImageDataCache::shared().contains(local);
            // With the file gone, only the picture decoded before the event can be found, and
            // only a fetched copy decodes to the colour.
            QFile::remove(local);
            QPixmap pixmap;
            loadedWithoutFile = FileDataCacheHelper::tryLoadPixmapData(local, pixmap)
                                && pixmap.toImage().pixel(0, 0) == qRgb(10, 200, 10);
        };
        QVERIFY(addTask(&sink, {remote}) > 0);
        QTRY_COMPARE(sink.events.size(), 2);
        QCOMPARE(sink.events.at(1).status, 0);
        QVERIFY(cachedOnArrival);
        QVERIFY(loadedWithoutFile);
        QCOMPARE(ImageDataCache::shared().heldBytes(), qint64(0)); // released with the event
    }

    void diskCacheStaysWithinBound()
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
            QVERIFY(!PlatformPictureStore::store(remote, snaptest::facePicture(64, 64)).isEmpty());
            locals << localSnap(remote);
            QVERIFY(addTask(&sink, {remote}) > 0);
            if (i == 0) {
                // The bound allows about six of these pictures, whatever other tests left behind.
                QTRY_COMPARE(sink.events.size(), 1);
                transfer->setDiskCacheByteLimit(6 * QFileInfo(locals.last()).size());
            }
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

    // Its end, and what the screen tells of both, are tst_screenfaults'.
    void fullDiskFailsWithReasonOnce()
    {
        FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
        QSignalSpy diskState(transfer, &FlieDataTransfer::signalLocalDiskStateChanged);
        testsupport::allowWarning(QRegularExpression("download failed:.*no space left"));
        EventSink sink;
        HostTesting::simulateFullDisk(true);
        QVERIFY(addTask(&sink, {remotePicture("snap/full-1.jpg")}) > 0);
        QVERIFY(addTask(&sink, {remotePicture("snap/full-2.jpg")}) > 0);
        QTRY_COMPARE(sink.events.size(), 2);
        // A plain failure (-1 without a reason) would leave the operator guessing.
        for (const SeenEvent &seen : qAsConst(sink.events)) {
            QCOMPARE(seen.status, -1);
            QCOMPARE(seen.error, int(FileTransStateEvent::ErrorDiskFull));
            QVERIFY2(seen.errorText.contains("no space left"), qPrintable(seen.errorText));
        }
        QCOMPARE(diskState.size(), 1); // once, not per task
        QCOMPARE(diskState.first().at(0).toBool(), true);
        QVERIFY(transfer->isLocalDiskFull());
    }

    void lineBreakInNameDoesNotForgeLogLine()
    {
        // Run on this thread, so every line the worker writes is captured, in order.
        FlieDataTransferWorker worker;
        FlieDataTransferJob job;
        job.taskId = 1;
        job.cacheRoot = m_cache;
        job.storeRoot = SnapPathResolver::pictureStoreFolder();
        job.diskCacheLimit = FlieDataTransfer::DefaultDiskCacheBytes;
        const QString remote = "snap/x.jpg\n2026-12-07 FORGED transfer line";
        job.files << TransFilePath(localSnap(remote), remote);
        testsupport::allowWarning(QRegularExpression("outside the picture store"));
        MessageLog log;
        worker.process(job);
        QCOMPARE(log.count("FORGED"), 1);                   // the name is logged ...
        QVERIFY(log.contains("x.jpg\\n2026-12-07 FORGED")); // ... escaped, on one line
        for (const QString &line : qAsConst(log.lines))
            QVERIFY2(!line.contains('\n') && !line.contains('\r'), qPrintable(line));
    }

    void localPathOutsideCacheFails_data()
    {
        QTest::addColumn<QString>("local");
        const QString cache = m_cache + "/snapshot";
        QTest::newRow("config folder") << m_config + "/escaped.jpg";
        QTest::newRow("parent segments") << cache + "/../../escaped.jpg";
        QTest::newRow("sibling prefix") << m_config + "/cache-evil/escaped.jpg";
        QTest::newRow("relative") << "cache/escaped.jpg";
        // Links inside the cache: one to a folder outside, one dangling (writing through it would
        // create its target outside).
        QTest::newRow("through a link") << cache + "/out/escaped.jpg";
        QTest::newRow("dangling link") << cache + "/dangling.jpg";
    }

    void localPathOutsideCacheFails()
    {
        QFETCH(QString, local);
        const QString outside = m_config + "/outside";
        if (!QFileInfo::exists(m_cache + "/snapshot/out")) {
            QVERIFY(QDir().mkpath(outside) && QDir().mkpath(m_cache + "/snapshot"));
            QVERIFY(QFile::link(outside, m_cache + "/snapshot/out"));
            QVERIFY(QFile::link(outside + "/created.jpg", m_cache + "/snapshot/dangling.jpg"));
        }
        testsupport::allowWarning(QRegularExpression("outside the cache folder"));
        EventSink sink;
        QVERIFY(addTask(&sink, {remotePicture("snap/good.jpg")}, nullptr, {local}) > 0);
        QTRY_COMPARE(sink.events.size(), 1);
        QCOMPARE(sink.events.first().status, -1);
        for (const QString &escaped :
             {m_config + "/escaped.jpg", m_config + "/cache-evil/escaped.jpg",
              outside + "/escaped.jpg", outside + "/created.jpg"})
            QVERIFY2(!QFile::exists(escaped), qPrintable(escaped));
    }

    void localSnapPathStaysInCache_data()
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

    void localSnapPathStaysInCache()
    {
        QFETCH(QString, url);
        QFETCH(bool, keepsName);
        QSet<QString> paths;
        for (bool isSnapshot : {true, false}) {
            const QString path =
                    VORNClientAIManager::instance()->convertToLocalSnapAbsPath(url, isSnapshot);
            paths.insert(path);
            QVERIFY2(path.startsWith(m_cache + "/"), qPrintable(path));
            QCOMPARE(QDir::cleanPath(path), path);
            QVERIFY(SnapPathResolver::isInside(m_cache, path));
            const QString kind = isSnapshot ? "snapshot" : "archive";
            if (keepsName)
                QCOMPARE(path, m_cache + "/" + kind + "/" + url);
            else
                QVERIFY2(path.startsWith(m_cache + "/hashed/" + kind + "/"), qPrintable(path));
        }
        QCOMPARE(paths.size(), 2); // a snapshot and an archive picture never share a file
    }

    // The general transfer: type 0 fetches into the configuration pictures' folder, type 1 stores
    // a local file on the platform; each event carries the task's type. The refused cases each
    // name a file that would exist afterwards if the rule were missing.
    void fileTransThreadMovesBothWays_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<int>("status");
        const QString voice = FileTransThread::localRoot() + "/voice";
        QTest::newRow("download") << 0 << voice + "/cmu_pic/voice/a.png"
                                  << "cmu_pic/voice/a.png" << 0;
        QTest::newRow("upload") << 1 << m_config + "/upload-src.png"
                                << "cmu_pic/voice/up.png" << 0;
        QTest::newRow("download outside folder") << 0 << m_cache + "/voice-escape.png"
                                                 << "cmu_pic/voice/a.png" << -1;
        QTest::newRow("download name leaves store") << 0 << voice + "/leak.png"
                                                    << "../../leak.png" << -1;
        QTest::newRow("upload name leaves store") << 1 << m_config + "/upload-src.png"
                                                  << "../up-escape.png" << -1;
    }

    void fileTransThreadMovesBothWays()
    {
        QFETCH(int, type);
        QFETCH(QString, local);
        QFETCH(QString, remote);
        QFETCH(int, status);
        remotePicture("cmu_pic/voice/a.png", qRgb(1, 2, 3));
        QImage source(30, 20, QImage::Format_RGB32);
        source.fill(qRgb(9, 8, 7));
        QVERIFY(source.save(m_config + "/upload-src.png"));
        if (status != 0)
            testsupport::allowWarning(QRegularExpression("outside"));

        EventSink sink;
        TransFileTask task;
        task.setTaskInfo(1, {TransFile(local, remote)}, type, &sink, nullptr, 0);
        QVERIFY(FileTransThread::instance()->addTransTask(task) > 0);
        QTRY_COMPARE(sink.events.size(), 1);
        QCOMPARE(sink.events.first().transType, type);
        QCOMPARE(sink.events.first().status, status);
        const QString store = SnapPathResolver::pictureStoreFolder();
        if (status == 0 && type == 0)
            QCOMPARE(QImage(local).pixel(0, 0), qRgb(1, 2, 3));
        if (status == 0 && type == 1)
            QCOMPARE(QImage(store + "/" + remote).size(), QSize(30, 20));
        if (status != 0) {
            QVERIFY(!QFile::exists(local) || type == 1);
            QVERIFY(!QFile::exists(m_config + "/platform/up-escape.png"));
            QVERIFY(!QFile::exists(m_config + "/leak.png"));
        }
        // Refused at once: no receiver, an unknown type.
        task.setTaskInfo(1, {TransFile(local, remote)}, 2, &sink, nullptr, 0);
        QCOMPARE(FileTransThread::instance()->addTransTask(task), FlieDataTransfer::InvalidTaskId);
        task.setTaskInfo(1, {TransFile(local, remote)}, type, nullptr, nullptr, 0);
        QCOMPARE(FileTransThread::instance()->addTransTask(task), FlieDataTransfer::InvalidTaskId);
    }

private:
    QString m_config;
    QString m_cache;
};

FEVER_TEST_MAIN(TestFileTransfer)
#include "tst_filetransfer.moc"
