// The video area under load, offscreen: a real EpidemicPreview plays four generated 25 fps clips
// through the stand-in player. Prints the UI thread's share of one core (its CPU time per wall
// second) with the four tiles playing, without and with live snapshots at 5 per second turned
// into slides over the video; then the UI-thread cost of building and showing one slide beside
// the floor of the snapshot benchmark (a picture loaded, smooth-scaled and shown in a QLabel).
//
//   bench_video                 10 s per phase, 300 slides
//   bench_video --seconds N     N seconds per phase
//   bench_video --slides N      N slides for the per-slide cost
#include "BenchSupport.h"
#include "DemoSitePreset.h"
#include "EpidemicPreview.h"
#include "PictureFlowSlide.h"
#include "SnapComparesMessage.h"
#include "TempSnapRules.h"

#include "AppConfigHelper.h"
#include "AppStyleHelper.h"
#include "DeviceWidget.h"
#include "FileDataCacheHelper.h"
#include "FlieDataTransfer.h"
#include "FormPlayer.h"
#include "FormVideoPlayer.h"
#include "IntelligentSnapConfigParam.h"
#include "PictureFlow.h"
#include "PlatformPictureStore.h"
#include "StreamTile.h"
#include "VornClient.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <ctime>
#include <functional>

using namespace benchsupport;

namespace {

constexpr int WindowId = 1;
const QVector<int> Channels{1001, 1002, 1031, 1033}; // thermal channels with clips

qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Counts paints of the watched widget and wakes the loop waiting for one.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QEventLoop *loop)
        : m_pLoop(loop)
    {
    }
    qint64 painted = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++painted;
            m_pLoop->quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop *m_pLoop;
};

quint64 framesOf(const FormPlayer *grid)
{
    quint64 frames = 0;
    for (int i = 0; i < grid->windowCount(); ++i)
        frames += grid->frameCountOf(i);
    return frames;
}

// Runs the event loop for the given time; returns the UI thread's CPU share of that time.
double uiShare(int seconds, QEventLoop *loop)
{
    const qint64 wall0 = nowNs();
    const qint64 cpu0 = threadCpuNs();
    QTimer::singleShot(seconds * 1000, loop, &QEventLoop::quit);
    loop->exec();
    return double(threadCpuNs() - cpu0) / double(nowNs() - wall0);
}

bool prepareWindow()
{
    IntelligentSnapConfigParam selection;
    selection.bAllChannel = true;
    return DemoSitePreset::prepareWindow(WindowId)
           && AppConfigHelper::instance()->setEpidemicPreviewConfigParam(WindowId, selection);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    if (!prepareFreshRun(config))
        return 2;
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"seconds", "Seconds per measured phase (default 10).", "n", "10"});
    parser.addOption({"slides", "Slides for the per-slide cost (default 300).", "n", "300"});
    parser.addOption({"verbose", "Write the debug log."});
    parser.process(app);
    setVerbose(parser.isSet("verbose"));
    const int seconds = qMax(1, parser.value("seconds").toInt());
    const int slides = qMax(10, parser.value("slides").toInt());
    AppStyleHelper::applyHostStyleSheet(&app);

    if (!QFileInfo::exists(StreamTile::clipFolder() + "/gate-a-thermal.ogg")) {
        say("bench_video: no clips in %s (build the fever_clips target)\n",
            qPrintable(StreamTile::clipFolder()));
        return 2;
    }
    NotificationFactory factory;
    if (!factory.prepare(100) || !prepareWindow()) {
        say("bench_video: cannot prepare the platform\n");
        return 2;
    }

    EpidemicPreview screen;
    screen.setProperty("priviewWinId", WindowId);
    screen.resize(1600, 900);
    screen.show();
    QEventLoop loop;
    auto *player = screen.findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
    auto *tree = screen.findChild<DeviceWidget *>(QStringLiteral("pageDevice"));
    auto *grid = qobject_cast<FormPlayer *>(player->getPlayerWidget());
    // After the first show, which restores the (empty) saved layout.
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    emit tree->startPlay(0, Channels);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(50);
    const bool playing = runUntil(
            [grid] {
                for (int i = 0; i < 4; ++i) {
                    if (grid->frameCountOf(i) == 0)
                        return false;
                }
                return true;
            },
            15000, &loop);
    poll.stop();
    if (!playing) {
        say("bench_video: the four tiles did not all play\n");
        for (int i = 0; i < grid->windowCount(); ++i)
            say("  tile %d: %llu frames, %s\n", i, grid->frameCountOf(i),
                qPrintable(grid->messageOf(i)));
        return 1;
    }
    say("bench_video: 4 tiles of 320x240 at 25 fps in a %dx%d player, %d s per phase, pid %lld\n",
        grid->width(), grid->height(), seconds, qint64(QCoreApplication::applicationPid()));

    quint64 frames0 = framesOf(grid);
    const double idleShare = uiShare(seconds, &loop);
    const double idleFps = double(framesOf(grid) - frames0) / seconds;
    say("  video only:                     UI thread %5.1f %% of a core, %5.1f frames/s shown\n",
        idleShare * 100, idleFps);

    QTimer traffic;
    qint64 emitted = 0;
    QObject::connect(&traffic, &QTimer::timeout, [&factory, &emitted] {
        emit VornClient::instance()->signalCompareNotifyReceived({factory.make()});
        ++emitted;
    });
    traffic.start(200);
    frames0 = framesOf(grid);
    const double busyShare = uiShare(seconds, &loop);
    const double busyFps = double(framesOf(grid) - frames0) / seconds;
    traffic.stop();
    PictureFlow *flow = player->createPictureFlow();
    say("  video + 5 snapshots/s, slides:  UI thread %5.1f %% of a core, %5.1f frames/s shown "
        "(%lld snapshots, %d slides up)\n",
        busyShare * 100, busyFps, emitted, flow ? flow->slideCount() : 0);

    // Per slide: the screen's own steps from the cached picture to the slide painted.
    std::vector<QString> files;
    for (const QString &name : factory.pool())
        files.push_back(PlatformPictureStore::absolutePath(name));
    PaintCounter counter(&loop);
    flow->installEventFilter(&counter);
    const ST_MSGVoiceBroadcastStrategy *strategy = nullptr;
    auto slideOnce = [&](int i) {
        const OrvaneCompareNotifyMessage note = factory.make();
        SnapComparesMessage record(
                note.snapFaceInfo,
                note.compareInfoVec.empty() ? CompareInfo() : note.compareInfoVec.front(), false);
        QImage face;
        FileDataCacheHelper::tryLoadImageData(files[size_t(i) % files.size()], face);
        const OrvaneSnapTargetSource &source = record.snapFaceInfo.snapTargetSource;
        const qint64 before = counter.painted;
        PictureFlowSlide::insert(
                flow, PictureFlowSlide::paint(PictureFlowSlide::textsOf(record, strategy),
                                              PictureFlowSlide::style(source.hasTemperature == 1,
                                                                      source.temperatureState),
                                              face, false));
        flow->setCenterIndex(1);
        flow->showSlide(0);
        return runUntil([&counter, before] { return counter.painted > before; }, 5000, &loop);
    };
    for (int i = 0; i < 20; ++i)
        slideOnce(i);
    qint64 cpu0 = threadCpuNs();
    for (int i = 0; i < slides; ++i)
        slideOnce(i + 20);
    const double slideUs = double(threadCpuNs() - cpu0) / 1e3 / slides;

    // The snapshot benchmark's floor, in this run.
    const QSize size = TempSnapRules::pictureSize(TempSnapRules::cardGeometry(2, false).nHeight);
    QLabel label;
    label.resize(size + QSize(20, 20));
    PaintCounter labelPaints(&loop);
    label.installEventFilter(&labelPaints);
    label.show();
    auto floorOnce = [&](int i) {
        const qint64 before = labelPaints.painted;
        QImage image(files[size_t(i) % files.size()]);
        label.setPixmap(QPixmap::fromImage(
                image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        return runUntil([&labelPaints, before] { return labelPaints.painted > before; }, 5000,
                        &loop);
    };
    for (int i = 0; i < 20; ++i)
        floorOnce(i);
    cpu0 = threadCpuNs();
    for (int i = 0; i < slides; ++i)
        floorOnce(i + 20);
    const double floorUs = double(threadCpuNs() - cpu0) / 1e3 / slides;
    say("  slide built and shown (video playing): %8.1f us UI thread each (%d slides)\n", slideUs,
        slides);
    say("  floor: QLabel load+scale+paint:        %8.1f us            ratio %.1f\n", floorUs,
        slideUs / floorUs);
    screen.releaseResource();
    return 0;
}
