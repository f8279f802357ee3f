#include "TestSupport.h"

#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "HostTesting.h"
#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"
#include "VORNClientAIManager.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QThread>

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
};

// Records every transfer event it receives, and on which thread.
class EventSink : public QObject
{
public:
    QList<SeenEvent> events;

    bool event(QEvent *e) override
    {
        if (e->type() == FileTransStateEvent::EventType) {
            auto *state = static_cast<FileTransStateEvent *>(e);
            events.append({state->transType(), state->userData(), state->taskId(), state->status(),
                           state->isFinished(), state->index(), QThread::currentThread()});
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
    void ownedTaskOverload();
    void receiverDestroyedBeforeCompletion();
    void faultSwitches();
    void uploadStoresInPictureStore();
    void hostileRemoteNamesStayInStore_data();
    void hostileRemoteNamesStayInStore();
    void localPathOutsideCacheFails_data();
    void localPathOutsideCacheFails();
    void symbolicLinksDoNotLeadOut();
    void localSnapPathStaysInCache_data();
    void localSnapPathStaysInCache();
    void localSnapPathKeepsSafeNamesApart();

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

    QImage copied(local);
    QCOMPARE(copied.size(), QSize(40, 50));
    QCOMPARE(QFile(local).size(), QFile(PlatformPictureStore::absolutePath(remote)).size());

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
    QTest::addColumn<int>("position");

    QTest::newRow("no receiver") << false << true << 1 << 0 << 1;
    QTest::newRow("no files") << true << false << 1 << 0 << 1;
    QTest::newRow("handle 0") << true << true << 0 << 0 << 1;
    QTest::newRow("negative handle") << true << true << -3 << 0 << 1;
    QTest::newRow("unknown type") << true << true << 1 << 1 << 1;
    QTest::newRow("unknown position") << true << true << 1 << 0 << 0;
}

void TestFileTransfer::invalidTasksAreRefused()
{
    QFETCH(bool, withReceiver);
    QFETCH(bool, withFiles);
    QFETCH(int, handle);
    QFETCH(int, transType);
    QFETCH(int, position);

    EventSink sink;
    QList<TransFilePath> files;
    if (withFiles)
        files << TransFilePath(m_cache + "/snapshot/x.jpg", "x.jpg");
    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, transType, withReceiver ? &sink : nullptr, &sink, position);
    QCOMPARE(FlieDataTransfer::getInstance()->addTransTask(task), -99999);
    QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCoreApplication::processEvents();
    QVERIFY(sink.events.isEmpty());
}

void TestFileTransfer::ownedTaskOverload()
{
    QCOMPARE(FlieDataTransfer::getInstance()->addTransTask(
                     static_cast<FlieDataTransTask *>(nullptr)),
             -99999);

    const QString remote = "snap/owned.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(9, 9, 9))).isEmpty());
    EventSink sink;
    QList<TransFilePath> files{{SnapPathResolver::convertToLocalSnapAbsPath(remote, true), remote}};
    auto task = std::make_unique<FlieDataTransTask>(true);
    task->setTaskInfo(2, files, 0, &sink, nullptr, 1);
    // Ownership passes to the transfer; ASan reports a leak or double delete otherwise.
    const int taskId = FlieDataTransfer::getInstance()->addTransTask(task.release());
    QVERIFY(taskId > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, 0);
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

    // A receiver destroyed after the event was posted, before delivery: Qt drops the event.
    auto second = std::make_unique<EventSink>();
    QPointer<EventSink> watch = second.get();
    const QMetaObject::Connection kill =
            connect(FlieDataTransfer::getInstance(), &FlieDataTransfer::signalTaskFinished, this,
                    [&second] { second.reset(); });
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(second.get(), {{local, remote}}))
            > 0);
    QTRY_COMPARE(finished.size(), 2);
    disconnect(kill);
    QCoreApplication::processEvents();
    QVERIFY(watch.isNull());
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

void TestFileTransfer::uploadStoresInPictureStore()
{
    const QString source = m_config + "/chosen.png";
    QVERIFY(sample(qRgb(20, 30, 40), 12, 8).save(source));
    EventSink sink;
    FlieDataTransTask upload(false);
    QList<TransFilePath> files{{source, "voice/chosen.png"}};
    upload.setTaskInfo(1, files, 0, &sink, nullptr, 1);
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(upload) > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, 0);
    QVERIFY(PlatformPictureStore::contains("voice/chosen.png"));
    QCOMPARE(QImage(PlatformPictureStore::absolutePath("voice/chosen.png")).size(), QSize(12, 8));

    // An upload may read any file the user chose but never writes outside the store.
    testsupport::allowWarning(QRegularExpression("outside the picture store"));
    QList<TransFilePath> escaping{{source, "../../uploaded.png"}};
    upload.setTaskInfo(1, escaping, 0, &sink, nullptr, 1);
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(upload) > 0);
    QTRY_COMPARE(sink.events.size(), 2);
    QCOMPARE(sink.events.at(1).status, -1);
    QVERIFY(!QFile::exists(m_config + "/uploaded.png"));

    QVERIFY(PlatformPictureStore::store("voice/null.png", QImage()).isEmpty());
    QVERIFY(!PlatformPictureStore::contains("voice/null.png"));
}

void TestFileTransfer::hostileRemoteNamesStayInStore_data()
{
    QTest::addColumn<QString>("remote");
    QTest::newRow("parent") << "../bait.jpg";
    QTest::newRow("two parents") << "../../bait.jpg";
    QTest::newRow("parent inside") << "snap/../../bait.jpg";
    QTest::newRow("trailing parent") << "snap/..";
    QTest::newRow("absolute") << (qEnvironmentVariable("FEVER_CONFIG_DIR") + "/bait.jpg");
    QTest::newRow("drive letter") << "C:/bait.jpg";
    QTest::newRow("drive relative") << "C:bait.jpg";
    QTest::newRow("backslashes") << "..\\..\\bait.jpg";
    QTest::newRow("unc") << "\\\\server\\share\\bait.jpg";
    QTest::newRow("scheme") << "file:///etc/hostname";
    QTest::newRow("empty") << "";
    QTest::newRow("dot segment") << "./snap/x.jpg";
    QTest::newRow("empty segment") << "snap//x.jpg";
    QTest::newRow("control char") << QString("snap/x\nname.jpg");
    QTest::newRow("device name") << "snap/con.jpg";
    QTest::newRow("trailing dot") << "snap/x.jpg.";
    QTest::newRow("very long") << QString(300, QLatin1Char('a'));
}

void TestFileTransfer::hostileRemoteNamesStayInStore()
{
    QFETCH(QString, remote);
    // Real pictures wait where a traversal would land, so a missing check cannot hide behind
    // a missing file.
    const QImage bait = sample(qRgb(0, 255, 0));
    QVERIFY(QDir().mkpath(m_config + "/platform"));
    QVERIFY(bait.save(m_config + "/bait.jpg"));
    QVERIFY(bait.save(m_config + "/platform/bait.jpg"));

    testsupport::allowWarning(QRegularExpression("outside the (picture )?store"));
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
    QVERIFY2(SnapPathResolver::isInside(m_cache, local), qPrintable(local));
    EventSink sink;
    const int taskId =
            FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}}));
    QVERIFY(taskId > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, -1);
    QCOMPARE(sink.events.first().index, 0);
    QVERIFY(!QFile::exists(local));
    QVERIFY(PlatformPictureStore::absolutePath(remote).isEmpty());
    QVERIFY(PlatformPictureStore::store(remote, bait).isEmpty());
}

void TestFileTransfer::localPathOutsideCacheFails_data()
{
    QTest::addColumn<QString>("local");
    const QString config = QDir::cleanPath(qEnvironmentVariable("FEVER_CONFIG_DIR"));
    QTest::newRow("config folder") << config + "/escaped.jpg";
    QTest::newRow("parent segments") << config + "/cache/snapshot/../../escaped.jpg";
    QTest::newRow("sibling prefix") << config + "/cache-evil/escaped.jpg";
    QTest::newRow("cache itself") << config + "/cache";
    QTest::newRow("relative") << "cache/escaped.jpg";
    QTest::newRow("empty") << "";
}

void TestFileTransfer::localPathOutsideCacheFails()
{
    QFETCH(QString, local);
    const QString remote = "snap/good.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(1, 1, 1))).isEmpty());
    testsupport::allowWarning(QRegularExpression("outside the cache folder"));
    EventSink sink;
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(makeTask(&sink, {{local, remote}})) > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, -1);
    QVERIFY(!QFile::exists(m_config + "/escaped.jpg"));
    QVERIFY(!QFile::exists(m_config + "/cache-evil/escaped.jpg"));
    QVERIFY(!QFileInfo(m_config + "/cache").isFile());
}

void TestFileTransfer::symbolicLinksDoNotLeadOut()
{
    testsupport::allowWarning(QRegularExpression("outside the (picture store|cache folder)"));
    const QString outside = m_config + "/outside";
    QVERIFY(QDir().mkpath(outside));
    QVERIFY(sample(qRgb(3, 3, 3)).save(outside + "/secret.jpg"));

    // A link inside the store pointing out of it must not serve the file behind it.
    QVERIFY(QDir().mkpath(m_store));
    QVERIFY(QFile::link(outside, m_store + "/linked"));
    EventSink sink;
    const QString local = SnapPathResolver::convertToLocalSnapAbsPath("linked/secret.jpg", true);
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(
                    makeTask(&sink, {{local, "linked/secret.jpg"}}))
            > 0);
    QTRY_COMPARE(sink.events.size(), 1);
    QCOMPARE(sink.events.first().status, -1);
    QVERIFY(!QFile::exists(local));

    // A link inside the cache pointing out of it must not be written through, nor a dangling
    // one (writing through it would create its target).
    const QString remote = "snap/plain.jpg";
    QVERIFY(!PlatformPictureStore::store(remote, sample(qRgb(4, 4, 4))).isEmpty());
    QVERIFY(QDir().mkpath(m_cache + "/snapshot"));
    QVERIFY(QFile::link(outside, m_cache + "/snapshot/out"));
    QVERIFY(QFile::link(outside + "/created.jpg", m_cache + "/snapshot/dangling.jpg"));
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(
                    makeTask(&sink, {{m_cache + "/snapshot/out/written.jpg", remote}}))
            > 0);
    QVERIFY(FlieDataTransfer::getInstance()->addTransTask(
                    makeTask(&sink, {{m_cache + "/snapshot/dangling.jpg", remote}}))
            > 0);
    QTRY_COMPARE(sink.events.size(), 3);
    QCOMPARE(sink.events.at(1).status, -1);
    QCOMPARE(sink.events.at(2).status, -1);
    QVERIFY(!QFile::exists(outside + "/written.jpg"));
    QVERIFY(!QFile::exists(outside + "/created.jpg"));
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
    QTest::newRow("http") << "http://server:8080/pic/a.jpg?x=../1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("nul") << QString("a") + QChar(0) + "b.jpg" << false;
    QTest::newRow("dots only") << "..." << false;
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

FEVER_TEST_MAIN(TestFileTransfer)
#include "tst_filetransfer.moc"
