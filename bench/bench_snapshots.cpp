// Live snapshot path under load: notifications emitted through VornClient reach a real
// EpidemicPreview (intake, transfer thread, picture cache, card and strip), rendered with the
// offscreen platform. Prints the UI-thread cost per snapshot beside the floor of showing the
// same picture in a plain QLabel, the sustained rate, latency at 50 per second, and memory and
// object counts after many snapshots.
//
//   bench_snapshots            full run (about two minutes)
//   bench_snapshots --quick    shorter run with smaller counts
//   bench_snapshots --alarms   one in three snapshots an over-temperature alarm: strip and
//                              over-temperature list together against the floor, and the marks
//   bench_snapshots --help     every option
#include "BenchSupport.h"
#include "EpidemicPreview.h"
#include "OverTempSnapItem.h"
#include "OverTempSnapWidget.h"
#include "SnapComparesMessage.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"
#include "TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "AppStyleHelper.h"
#include "FlieDataTransfer.h"
#include "HostTesting.h"
#include "IntelligentSnapConfigParam.h"
#include "PlatformPictureStore.h"
#include "VornClient.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <vector>

using namespace benchsupport;

namespace {

constexpr int WindowId = 1;

// ---------------------------------------------------------------- measuring helpers

qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// User and system time of the calling thread, in nanoseconds.
struct ThreadTimes
{
    qint64 user = 0;
    qint64 system = 0;
};

ThreadTimes threadTimes()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return {qint64(usage.ru_utime.tv_sec) * 1000000000LL + qint64(usage.ru_utime.tv_usec) * 1000,
            qint64(usage.ru_stime.tv_sec) * 1000000000LL + qint64(usage.ru_stime.tv_usec) * 1000};
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const double rank = p / 100.0 * double(values.size() - 1);
    const size_t low = size_t(std::floor(rank));
    const size_t high = std::min(values.size() - 1, low + 1);
    return values[low] + (values[high] - values[low]) * (rank - double(low));
}

// ---------------------------------------------------------------- watching the strip

// Sees each card arrive in the strip and its first paint, by snapshot id.
class CardProbe : public QObject
{
public:
    explicit CardProbe(QWidget *viewport)
        : m_pViewport(viewport)
    {
        viewport->installEventFilter(this);
    }

    void noteEmitted(qint64 id) { m_hashEmitted.insert(id, nowNs()); }
    void reset()
    {
        m_hashEmitted.clear();
        m_vecToCard.clear();
        m_vecToPaint.clear();
    }

    qint64 cardsSeen() const { return m_nCards; }
    qint64 cardsPainted() const { return m_nPainted; }
    qint64 lastCardId() const { return m_nLastCardId; }
    qint64 lastPaintedId() const { return m_nLastPaintedId; }
    // Milliseconds from emission to the card, and to its first paint, for noted emissions.
    const std::vector<double> &toCard() const { return m_vecToCard; }
    const std::vector<double> &toPaint() const { return m_vecToPaint; }

    std::function<void()> onChange; // called after every card or paint seen

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A card is complete when the view shows it, which polishes it and tells the parent;
        // ChildAdded may come while the card is still being constructed.
        if (watched == m_pViewport && event->type() == QEvent::ChildPolished) {
            auto *card = qobject_cast<TempSnapItem *>(static_cast<QChildEvent *>(event)->child());
            if (card && !card->property(SeenProperty).toBool()) {
                card->setProperty(SeenProperty, true);
                const qint64 id = card->record().snapFaceInfo.snapId;
                ++m_nCards;
                m_nLastCardId = id;
                const auto it = m_hashEmitted.constFind(id);
                if (it != m_hashEmitted.cend())
                    m_vecToCard.push_back(double(nowNs() - it.value()) / 1e6);
                card->installEventFilter(this);
                if (onChange)
                    onChange();
            }
        } else if (event->type() == QEvent::Paint && watched != m_pViewport) {
            auto *card = static_cast<TempSnapItem *>(watched);
            card->removeEventFilter(this);
            const qint64 id = card->record().snapFaceInfo.snapId;
            ++m_nPainted;
            m_nLastPaintedId = id;
            const auto it = m_hashEmitted.find(id);
            if (it != m_hashEmitted.end()) {
                m_vecToPaint.push_back(double(nowNs() - it.value()) / 1e6);
                m_hashEmitted.erase(it);
            }
            if (onChange)
                onChange();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr const char *SeenProperty = "benchCardSeen";

    QWidget *m_pViewport;
    QHash<qint64, qint64> m_hashEmitted;
    std::vector<double> m_vecToCard;
    std::vector<double> m_vecToPaint;
    qint64 m_nCards = 0;
    qint64 m_nPainted = 0;
    qint64 m_nLastCardId = 0;
    qint64 m_nLastPaintedId = 0;
};

// First paints of the over-temperature list's cards, by alarm id.
class ListCardProbe : public QObject
{
public:
    explicit ListCardProbe(QWidget *viewport)
        : m_pViewport(viewport)
    {
        viewport->installEventFilter(this);
    }

    qint64 lastPaintedAlarm() const { return m_nLastPaintedAlarm; }
    std::function<void()> onChange;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_pViewport && event->type() == QEvent::ChildPolished) {
            if (auto *card = qobject_cast<OverTempSnapItem *>(
                        static_cast<QChildEvent *>(event)->child()))
                card->installEventFilter(this);
        } else if (event->type() == QEvent::Paint && watched != m_pViewport) {
            auto *card = static_cast<OverTempSnapItem *>(watched);
            card->removeEventFilter(this);
            m_nLastPaintedAlarm = card->snapSource().alarmId;
            if (onChange)
                onChange();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_pViewport;
    qint64 m_nLastPaintedAlarm = 0;
};

// Paint events of one plain widget.
class PaintCounter : public QObject
{
public:
    qint64 painted = 0;
    std::function<void()> onPaint;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++painted;
            if (onPaint)
                onPaint();
        }
        return QObject::eventFilter(watched, event);
    }
};

// ---------------------------------------------------------------- the bench

struct Options
{
    int nPool = 400;
    int nSteady = 2000;
    int nFloor = 2000;
    double dLatencySeconds = 10.0;
    double dRateSeconds = 3.0;
    std::vector<double> vecRates{100, 200, 300, 400, 500, 600, 800, 1000, 1200, 1600};
    int nMarkA = 2000;
    int nMarkB = 20000;
    bool bSkipMemory = false;
    bool bAlarms = false; // one in three over temperature; only floor, steady and marks
};

class Bench
{
public:
    Bench(const Options &options, EpidemicPreview *screen, TempSnapWidget *strip,
          OverTempSnapWidget *overTemp, NotificationFactory *factory)
        : m_objOptions(options)
        , m_pScreen(screen)
        , m_pStrip(strip)
        , m_pList(strip->findChild<QListWidget *>())
        , m_pOverTemp(overTemp)
        , m_pFactory(factory)
        , m_objProbe(m_pList->viewport())
        , m_objListProbe(overTemp->findChild<QListWidget *>()->viewport())
    {
        m_objProbe.onChange = [this] {
            if (m_fnWake && m_fnWake())
                m_objLoop.quit();
        };
        m_objListProbe.onChange = m_objProbe.onChange;
    }

    int run()
    {
        int failures = 0;
        const double floorUs = measureFloor();
        const double cardUs = measureSteady();
        if (m_objOptions.bAlarms)
            return runAlarms(floorUs, cardUs);
        const double ratio = cardUs / floorUs;
        say("\nUI-thread time per shown snapshot (closed loop, strip full, oldest dropped)\n");
        say("  card in the strip          %8.1f us\n", cardUs);
        say("  floor: QLabel load+scale   %8.1f us\n", floorUs);
        say("  ratio                      %8.2f   (target <= 3.00)  %s\n", ratio,
            ratio <= 3.0 ? "MET" : "MISSED");
        failures += ratio <= 3.0 ? 0 : 1;

        failures += measureLatency() ? 0 : 1;
        failures += measureRates() ? 0 : 1;
        if (!m_objOptions.bSkipMemory)
            failures += measureMemory() ? 0 : 1;
        say("\n%s\n", failures == 0 ? "all targets met" : "some targets missed");
        return failures == 0 ? 0 : 1;
    }

private:
    int runAlarms(double floorUs, double cardUs)
    {
        say("\nUI-thread time per shown snapshot, one in three an over-temperature alarm "
            "(closed loop, strip and list full, oldest dropped)\n");
        say("  strip and list together    %8.1f us\n", cardUs);
        say("  floor: QLabel load+scale   %8.1f us\n", floorUs);
        say("  ratio                      %8.2f\n", cardUs / floorUs);
        const bool ok = m_objOptions.bSkipMemory || measureMemory();
        say("\n%s\n", ok ? "counts equal" : "counts differ");
        return ok ? 0 : 1;
    }

    void emitNow(int count)
    {
        OrvaneCompareNotifyMessageList list;
        for (int i = 0; i < count; ++i) {
            list.push_back(m_pFactory->make());
            m_objProbe.noteEmitted(list.back().snapFaceInfo.snapId);
        }
        emit VornClient::instance()->signalCompareNotifyReceived(list);
    }

    bool waitFor(const std::function<bool()> &done, int timeoutMs)
    {
        m_fnWake = done;
        const bool ok = runUntil(done, timeoutMs, &m_objLoop);
        m_fnWake = nullptr;
        return ok;
    }

    // Emits one snapshot and waits for its card to be painted.
    bool oneClosedLoop()
    {
        emitNow(1);
        const qint64 id = m_pFactory->lastId();
        // An alarm is shown when its list card is painted too.
        const bool alarm = m_objOptions.bAlarms && NotificationFactory::isAlarm(id);
        return waitFor(
                [this, id, alarm] {
                    return m_objProbe.lastPaintedId() >= id
                           && (!alarm || m_objListProbe.lastPaintedAlarm() == id);
                },
                5000);
    }

    void settle()
    {
        waitFor([] { return FlieDataTransfer::getInstance()->pendingTaskCount() == 0; }, 10000);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    double measureSteady()
    {
        // Fill the strip and warm the caches, then measure with the oldest card dropped each time.
        // With alarms the list fills too: one card per three snapshots.
        const int fill = m_pStrip->maxCount() + 20
                         + (m_objOptions.bAlarms ? 3 * (FeverValues::MaxListCards + 5) : 0);
        for (int i = 0; i < fill; ++i) {
            if (!oneClosedLoop()) {
                say("steady: a card did not appear (is the intake wired to the strip?)\n");
                return std::nan("");
            }
        }
        say("steady: strip holds %d cards, over-temperature list %d\n", m_pStrip->cardCount(),
            m_pOverTemp->cardCount());
        const qint64 cpu0 = threadCpuNs();
        const ThreadTimes times0 = threadTimes();
        const qint64 wall0 = nowNs();
        for (int i = 0; i < m_objOptions.nSteady; ++i) {
            if (!oneClosedLoop()) {
                say("steady: card %d did not appear\n", i);
                return std::nan("");
            }
        }
        const double perCpuUs = double(threadCpuNs() - cpu0) / 1e3 / m_objOptions.nSteady;
        const double perWallUs = double(nowNs() - wall0) / 1e3 / m_objOptions.nSteady;
        const ThreadTimes times1 = threadTimes();
        say("steady: %d snapshots, UI-thread CPU %.1f us each (user %.1f, system %.1f), wall "
            "%.1f us each, strip %d cards\n",
            m_objOptions.nSteady, perCpuUs,
            double(times1.user - times0.user) / 1e3 / m_objOptions.nSteady,
            double(times1.system - times0.system) / 1e3 / m_objOptions.nSteady, perWallUs,
            m_pStrip->cardCount());
        return perCpuUs;
    }

    // The same pictures, loaded from the files the transfer wrote and smooth-scaled to the
    // card's picture size into a plain label, each painted before the next.
    double measureFloor()
    {
        settle();
        std::vector<QString> files;
        for (const QString &name : m_pFactory->pool())
            files.push_back(PlatformPictureStore::absolutePath(name));
        const QSize size = TempSnapRules::pictureSize(m_pStrip->cardSize().height());

        QLabel label;
        label.setWindowTitle(QStringLiteral("floor"));
        label.resize(size + QSize(20, 20));
        PaintCounter counter;
        label.installEventFilter(&counter);
        label.show();
        counter.onPaint = [this] {
            if (m_fnWake && m_fnWake())
                m_objLoop.quit();
        };
        waitFor([&counter] { return counter.painted > 0; }, 5000);

        auto once = [&](int i) {
            const qint64 before = counter.painted;
            QImage image(files[size_t(i) % files.size()]);
            label.setPixmap(QPixmap::fromImage(
                    image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            return waitFor([&counter, before] { return counter.painted > before; }, 5000);
        };
        for (int i = 0; i < 50; ++i)
            once(i);
        const qint64 cpu0 = threadCpuNs();
        const ThreadTimes times0 = threadTimes();
        for (int i = 0; i < m_objOptions.nFloor; ++i) {
            if (!once(i + 50)) {
                say("floor: the label was not painted\n");
                return std::nan("");
            }
        }
        const double perUs = double(threadCpuNs() - cpu0) / 1e3 / m_objOptions.nFloor;
        const ThreadTimes times1 = threadTimes();
        say("floor: %d pictures 200x250 -> %dx%d into a QLabel, UI-thread CPU %.1f us each "
            "(user %.1f, system %.1f)\n",
            m_objOptions.nFloor, size.width(), size.height(), perUs,
            double(times1.user - times0.user) / 1e3 / m_objOptions.nFloor,
            double(times1.system - times0.system) / 1e3 / m_objOptions.nFloor);
        label.hide();
        return perUs;
    }

    struct OpenLoopResult
    {
        qint64 emitted = 0;
        qint64 shown = 0;
        double seconds = 0;
        double drainMs = 0;
        double cpuPerSnapshotUs = 0;
        std::vector<double> toCard;
        std::vector<double> toPaint;
    };

    // Emits at a fixed rate for a while, in one list per 5 ms tick as the platform batches,
    // then waits for the last card.
    OpenLoopResult openLoop(double rate, double seconds)
    {
        settle();
        m_objProbe.reset();
        OpenLoopResult result;
        const qint64 firstId = m_pFactory->lastId() + 1;
        const qint64 cards0 = m_objProbe.cardsSeen();
        const qint64 cpu0 = threadCpuNs();
        const qint64 start = nowNs();
        const qint64 total = qint64(std::llround(rate * seconds));
        qint64 sent = 0;

        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 due =
                    std::min(total, qint64(std::floor(double(nowNs() - start) / 1e9 * rate)) + 1);
            if (due > sent) {
                emitNow(int(due - sent));
                sent = due;
            }
            if (sent >= total) {
                tick.stop();
                m_objLoop.quit();
            }
        });
        tick.start(rate > 200 ? 5 : std::max(1, int(1000.0 / rate)));
        waitFor([&] { return sent >= total; }, int(seconds * 1000) + 10000);
        const qint64 endEmit = nowNs();
        const qint64 lastId = firstId + total - 1;
        waitFor([&] { return m_objProbe.lastCardId() >= lastId; }, 10000);
        result.drainMs = double(nowNs() - endEmit) / 1e6;
        // Let the last cards paint.
        waitFor([&] { return m_objProbe.lastPaintedId() >= lastId; }, 500);
        result.emitted = total;
        result.shown = m_objProbe.cardsSeen() - cards0;
        result.seconds = double(endEmit - start) / 1e9;
        result.cpuPerSnapshotUs =
                double(threadCpuNs() - cpu0) / 1e3 / double(std::max<qint64>(1, result.shown));
        result.toCard = m_objProbe.toCard();
        result.toPaint = m_objProbe.toPaint();
        return result;
    }

    bool measureLatency()
    {
        const OpenLoopResult r = openLoop(50.0, m_objOptions.dLatencySeconds);
        const double p50 = percentile(r.toPaint, 50);
        const double p99 = percentile(r.toPaint, 99);
        say("\nNotification-to-card latency at 50 per second (%lld snapshots in %.1f s)\n",
            r.emitted, r.seconds);
        say("  to the card painted    p50 %6.2f ms   p99 %6.2f ms   max %6.2f ms  (target p99 < 50 "
            "ms)  %s\n",
            p50, p99, percentile(r.toPaint, 100), p99 < 50.0 ? "MET" : "MISSED");
        say("  to the card created    p50 %6.2f ms   p99 %6.2f ms\n", percentile(r.toCard, 50),
            percentile(r.toCard, 99));
        say("  UI-thread CPU per snapshot at this pace (announcements included) %.1f us\n",
            r.cpuPerSnapshotUs);
        return r.shown == r.emitted && p99 < 50.0;
    }

    bool measureRates()
    {
        say("\nSustained rate (open loop, %.1f s per rate; kept up = every card within 250 ms "
            "of the last emission and p99 to card < 100 ms)\n",
            m_objOptions.dRateSeconds);
        double best = 0;
        for (double rate : m_objOptions.vecRates) {
            const OpenLoopResult r = openLoop(rate, m_objOptions.dRateSeconds);
            const double p99 = percentile(r.toCard, 99);
            const bool keptUp = r.shown == r.emitted && r.drainMs <= 250.0 && p99 < 100.0;
            say("  %6.0f/s: emitted %5lld shown %5lld  drain %7.1f ms  to card p50 %7.2f p99 %7.2f "
                "ms  "
                "UI CPU %6.1f us/snapshot  %s\n",
                rate, r.emitted, r.shown, r.drainMs, percentile(r.toCard, 50), p99,
                r.cpuPerSnapshotUs, keptUp ? "kept up" : "fell behind");
            if (!keptUp)
                break;
            best = rate;
        }
        say("  sustained: %.0f snapshots per second (target >= 200)  %s\n", best,
            best >= 200 ? "MET" : "MISSED");
        return best >= 200;
    }

    struct Mark
    {
        double rssMiB = 0;
        double rssTrimmedMiB = 0;
        int widgets = 0;
        int records = 0;
        int cards = 0;
        int listCards = 0;
    };

    Mark takeMark()
    {
        settle();
        Mark mark;
        mark.rssMiB = residentMiB();
        malloc_trim(0);
        mark.rssTrimmedMiB = residentMiB();
        mark.widgets = QApplication::allWidgets().size();
        mark.records = SnapComparesMessage::liveCount();
        mark.cards = m_pStrip->cardCount();
        mark.listCards = m_pOverTemp->cardCount();
        return mark;
    }

    // Snapshots in flight at a time while running up to the marks.
    static constexpr int InFlight = 4;

    bool runSnapshots(qint64 count)
    {
        const qint64 target = m_objProbe.cardsSeen() + count;
        while (m_objProbe.cardsSeen() < target) {
            const qint64 inFlight = m_pFactory->lastId() - m_objProbe.lastCardId();
            const qint64 room = std::min<qint64>(InFlight - inFlight,
                                                 target - m_objProbe.cardsSeen() - inFlight);
            if (room > 0)
                emitNow(int(room));
            const qint64 seen = m_objProbe.cardsSeen();
            if (!waitFor([this, seen] { return m_objProbe.cardsSeen() > seen; }, 5000)) {
                say("memory: no card for 5 s\n");
                return false;
            }
        }
        return true;
    }

    bool measureMemory()
    {
        m_objProbe.reset();
        const QElapsedTimer clock = [] {
            QElapsedTimer t;
            t.start();
            return t;
        }();
        if (!runSnapshots(m_objOptions.nMarkA))
            return false;
        const Mark a = takeMark();
        if (!runSnapshots(m_objOptions.nMarkB - m_objOptions.nMarkA))
            return false;
        const Mark b = takeMark();
        // Freed heap kept by malloc would hide or fake growth; both marks are compared after
        // returning it to the system.
        const double growth = b.rssTrimmedMiB - a.rssTrimmedMiB;
        const bool countsEqual = a.widgets == b.widgets && a.records == b.records;
        say("\nMemory and live objects (deferred deletes flushed; %d snapshots in %.1f s)\n",
            m_objOptions.nMarkB, clock.elapsed() / 1000.0);
        say("  after %6d: RSS %7.1f MiB (%7.1f after malloc_trim)  widgets %5d  records %4d  cards "
            "%d\n",
            m_objOptions.nMarkA, a.rssMiB, a.rssTrimmedMiB, a.widgets, a.records, a.cards);
        say("  after %6d: RSS %7.1f MiB (%7.1f after malloc_trim)  widgets %5d  records %4d  cards "
            "%d\n",
            m_objOptions.nMarkB, b.rssMiB, b.rssTrimmedMiB, b.widgets, b.records, b.cards);
        if (m_objOptions.bAlarms)
            say("  over-temperature list cards %d / %d\n", a.listCards, b.listCards);
        say("  growth %.2f MiB after malloc_trim (%.2f MiB before) (target < 5)  %s;  counts %s\n",
            growth, b.rssMiB - a.rssMiB, growth < 5.0 ? "MET" : "MISSED",
            countsEqual ? "equal: MET" : "DIFFER: MISSED");
        return growth < 5.0 && countsEqual;
    }

    Options m_objOptions;
    QPointer<EpidemicPreview> m_pScreen;
    TempSnapWidget *m_pStrip;
    QListWidget *m_pList;
    OverTempSnapWidget *m_pOverTemp;
    NotificationFactory *m_pFactory;
    CardProbe m_objProbe;
    ListCardProbe m_objListProbe;
    QEventLoop m_objLoop;
    std::function<bool()> m_fnWake;
};

bool parseOptions(const QStringList &arguments, Options *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Benchmark of the live snapshot path."));
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("quick"),
             QStringLiteral("Shorter run: fewer snapshots, shorter phases.")},
            {QStringLiteral("verbose"), QStringLiteral("Write the debug log to stderr.")},
            {QStringLiteral("pool"),
             QStringLiteral("Distinct snapshot pictures (default 400, "
                            "more than the picture cache holds)."),
             QStringLiteral("n")},
            {QStringLiteral("steady"), QStringLiteral("Snapshots measured in the closed loop."),
             QStringLiteral("n")},
            {QStringLiteral("rates"), QStringLiteral("Comma-separated rates to try, per second."),
             QStringLiteral("list")},
            {QStringLiteral("marks"),
             QStringLiteral("Snapshot counts of the two memory marks, "
                            "e.g. 2000,20000."),
             QStringLiteral("a,b")},
            {QStringLiteral("no-memory"), QStringLiteral("Skip the memory marks.")},
            {QStringLiteral("alarms"),
             QStringLiteral("One in three snapshots an over-temperature alarm (strip and list); "
                            "runs the floor, the steady state and the marks only.")},
    });
    parser.process(arguments);
    setVerbose(parser.isSet(QStringLiteral("verbose")));
    if (parser.isSet(QStringLiteral("quick"))) {
        options->nSteady = 300;
        options->nFloor = 300;
        options->dLatencySeconds = 3.0;
        options->dRateSeconds = 1.0;
        options->vecRates = {100, 200, 400, 800};
        options->nMarkA = 500;
        options->nMarkB = 3000;
    }
    bool ok = true;
    if (parser.isSet(QStringLiteral("pool")))
        options->nPool = parser.value(QStringLiteral("pool")).toInt(&ok);
    if (!ok || options->nPool < 1)
        return false;
    if (parser.isSet(QStringLiteral("steady"))) {
        options->nSteady = parser.value(QStringLiteral("steady")).toInt(&ok);
        options->nFloor = options->nSteady;
        if (!ok || options->nSteady < 1)
            return false;
    }
    if (parser.isSet(QStringLiteral("rates"))) {
        options->vecRates.clear();
        for (const QString &part : parser.value(QStringLiteral("rates")).split(QLatin1Char(','))) {
            const double rate = part.toDouble(&ok);
            if (!ok || rate <= 0)
                return false;
            options->vecRates.push_back(rate);
        }
    }
    if (parser.isSet(QStringLiteral("marks"))) {
        const QStringList parts = parser.value(QStringLiteral("marks")).split(QLatin1Char(','));
        bool okB = false;
        if (parts.size() != 2)
            return false;
        options->nMarkA = parts.at(0).toInt(&ok);
        options->nMarkB = parts.at(1).toInt(&okB);
        if (!ok || !okB || options->nMarkA < 1 || options->nMarkB <= options->nMarkA)
            return false;
    }
    options->bSkipMemory = parser.isSet(QStringLiteral("no-memory"));
    options->bAlarms = parser.isSet(QStringLiteral("alarms"));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    if (!prepareFreshRun(config))
        return 2;

    QApplication app(argc, argv);
    Options options;
    if (!parseOptions(QCoreApplication::arguments(), &options)) {
        std::fprintf(stderr, "bench_snapshots: bad option value (see --help)\n");
        return 2;
    }
    AppStyleHelper::applyHostStyleSheet(&app);

    NotificationFactory factory;
    factory.setAlarmMix(options.bAlarms);
    if (!factory.prepare(options.nPool)) {
        std::fprintf(stderr, "bench_snapshots: cannot store the pictures\n");
        return 2;
    }
    IntelligentSnapConfigParam selection;
    selection.bAllChannel = true;
    AppConfigHelper::instance()->setEpidemicPreviewConfigParam(WindowId, selection);

    EpidemicPreview screen;
    screen.setProperty("priviewWinId", WindowId);
    screen.resize(1600, 900);
    screen.show();
    auto *strip = screen.findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
    auto *overTemp = screen.findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));
    if (!strip || !strip->findChild<QListWidget *>() || !overTemp
        || !overTemp->findChild<QListWidget *>()) {
        std::fprintf(stderr, "bench_snapshots: the screen has no snapshot strip or list\n");
        return 2;
    }
    QCoreApplication::processEvents();

    say("bench_snapshots: %d distinct snapshot pictures (cache bound %lld MiB), card %dx%d, "
        "pid %lld\n",
        options.nPool, HostTesting::imageCacheByteLimit() / (1024 * 1024),
        strip->cardSize().width(), strip->cardSize().height(),
        qint64(QCoreApplication::applicationPid()));
    Bench bench(options, &screen, strip, overTemp, &factory);
    const int result = bench.run();
    screen.releaseResource();
    return result;
}
