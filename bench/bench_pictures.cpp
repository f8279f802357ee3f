// Picture path under hostile and long-running input. Prints the time to refuse pictures whose
// header claims 20000 x 20000 pixels (a valid, fully compressed PNG of about 50 KB and a
// 150-byte SVG of 30000 x 30000 named .jpg), beside the decode of an ordinary camera picture;
// then downloads many distinct pictures through the transfer with a small disk bound and
// prints the size of the cache folder against the bound, with the UI-thread time per
// completion (the picture is already decoded by the worker).
//
//   bench_pictures                        default run (about 20 s)
//   bench_pictures --downloads N --bound-mib M --repeat R

#include "BenchSupport.h"

#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "ImageDataCache.h"
#include "PictureDecoder.h"
#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void messageFilter(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // Refusals are expected by the hundred; only the unexpected gets through.
    if (type == QtDebugMsg || type == QtInfoMsg || message.contains(QLatin1String("refused")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xffffffffu;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(body), crc.data());
    return chunk + body + crc;
}

// A complete, valid 1-bit grey PNG of 20000 x 20000 zero pixels: 50 MB of raw rows deflate to
// about 50 KB; a reader that trusted it would allocate 1.6 GB to decode it as ARGB.
QByteArray hugeValidPng()
{
    const int side = 20000;
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(side, header.data());
    qToBigEndian<quint32>(side, header.data() + 4);
    header[8] = 1;                                        // bit depth
    header[9] = 0;                                        // grey
    const QByteArray raw(side * (1 + side / 8), '\0');    // filter byte + 2500 bytes per row
    const QByteArray deflated = qCompress(raw, 9).mid(4); // zlib stream without Qt's length
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
           + pngChunk("IDAT", deflated) + pngChunk("IEND", QByteArray());
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage cameraPicture(int index)
{
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x + index * 3) % 256, (y * 2 + index) % 256,
                           ((x * y + index * 7919) >> 3) % 256);
    }
    return image;
}

// Takes each completion as the screen does: loads the picture through the cache on the UI
// thread, and counts the thread's CPU time for it.
class Receiver : public QObject
{
public:
    int done = 0;
    int failed = 0;
    std::vector<double> uiMicros;
    QHash<int, QString> paths;

    bool event(QEvent *e) override
    {
        if (e->type() != FileTransStateEvent::EventType)
            return QObject::event(e);
        auto *state = static_cast<FileTransStateEvent *>(e);
        ++done;
        if (state->status() != FileTransStateEvent::StatusSuccess) {
            ++failed;
            return true;
        }
        const qint64 start = threadCpuNs();
        QPixmap pixmap;
        if (!FileDataCacheHelper::tryLoadPixmapData(paths.take(state->taskId()), pixmap))
            ++failed;
        uiMicros.push_back(double(threadCpuNs() - start) / 1000.0);
        return true;
    }
};

void refusalFigures(const QString &folder, int repeat)
{
    struct Case
    {
        const char *name;
        QString path;
    };
    const QString png = folder + QStringLiteral("/huge.png");
    const QString svg = folder + QStringLiteral("/bomb.jpg");
    const QString camera = folder + QStringLiteral("/camera.jpg");
    const QByteArray pngBytes = hugeValidPng();
    const QByteArray svgBytes("<svg xmlns='http://www.w3.org/2000/svg' width='30000' "
                              "height='30000'><rect width='30000' height='30000'/></svg>");
    if (!writeFile(png, pngBytes) || !writeFile(svg, svgBytes)
        || !cameraPicture(1).save(camera, "JPEG")) {
        std::printf("cannot write the sample pictures\n");
        return;
    }
    std::printf("Refusing oversized and foreign pictures (%d runs each, ImageDataCache::find):\n",
                repeat);
    const Case cases[] = {{"PNG 20000 x 20000, valid", png},
                          {"SVG 30000 x 30000 named .jpg", svg},
                          {"camera JPEG 320 x 240 (decoded)", camera}};
    for (const Case &c : cases) {
        std::vector<double> ms;
        bool found = false;
        for (int i = 0; i < repeat; ++i) {
            ImageDataCache cache; // empty each run: nothing is served from memory
            QImage image;
            QElapsedTimer clock;
            clock.start();
            found = cache.find(c.path, image);
            ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        std::printf("  %-34s %7lld bytes  %s  median %.3f ms, max %.3f ms\n", c.name,
                    QFileInfo(c.path).size(), found ? "decoded" : "refused", median(ms),
                    *std::max_element(ms.begin(), ms.end()));
    }
}

void diskFigures(int downloads, qint64 bound)
{
    FlieDataTransfer *transfer = FlieDataTransfer::getInstance();
    transfer->setDiskCacheByteLimit(bound);
    const QString cache = SnapPathResolver::cacheFolder();
    std::printf("\nDownloading %d distinct 320 x 240 JPEGs with a disk bound of %.2f MiB:\n",
                downloads, double(bound) / (1024.0 * 1024.0));

    Receiver receiver;
    QEventLoop loop;
    qint64 maxSeen = 0;
    qint64 storeBytes = 0;
    QElapsedTimer wall;
    wall.start();
    const int window = 16; // downloads in flight
    int issued = 0;
    int nextMeasure = 50;
    int nextPrint = qMax(1, downloads / 4);
    while (receiver.done < downloads) {
        while (issued < downloads && issued - receiver.done < window) {
            const QString remote = QStringLiteral("bench/pic-%1.jpg").arg(issued);
            if (PlatformPictureStore::store(remote, cameraPicture(issued)).isEmpty())
                return;
            storeBytes += QFileInfo(PlatformPictureStore::absolutePath(remote)).size();
            const QString local = SnapPathResolver::convertToLocalSnapAbsPath(remote, true);
            QList<TransFilePath> files{{local, remote}};
            FlieDataTransTask task(true);
            task.setTaskInfo(1, files, 0, &receiver, nullptr, 1);
            const int id = transfer->addTransTask(task);
            receiver.paths.insert(id, local);
            ++issued;
        }
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
        if (receiver.done < nextMeasure && receiver.done < downloads)
            continue;
        // Measured every 50 downloads (a listing of the folder), printed every quarter.
        nextMeasure = receiver.done + 50;
        const qint64 bytes = benchsupport::folderBytes(cache);
        maxSeen = std::max(maxSeen, bytes);
        if (receiver.done >= nextPrint || receiver.done == downloads) {
            std::printf("  after %5d downloads: cache folder %8.2f MiB (%3.0f %% of the bound)\n",
                        receiver.done, double(bytes) / (1024.0 * 1024.0),
                        100.0 * double(bytes) / double(bound));
            nextPrint = receiver.done == downloads ? downloads + 1 : nextPrint + downloads / 4;
        }
    }
    std::printf("  downloaded %.2f MiB in total; largest folder size seen %.2f MiB; bound %s\n",
                double(storeBytes) / (1024.0 * 1024.0), double(maxSeen) / (1024.0 * 1024.0),
                maxSeen <= bound ? "held" : "EXCEEDED");
    std::printf("  failed completions: %d; wall time %.1f s (%.2f ms per download)\n",
                receiver.failed, double(wall.elapsed()) / 1000.0,
                double(wall.elapsed()) / downloads);
    std::printf("  UI-thread CPU per completion (find + pixmap of a decoded picture): median %.0f"
                " us\n",
                median(receiver.uiMicros));

    // For scale: what the UI thread paid before, decoding the same picture itself.
    QImage image;
    QString reason;
    std::vector<double> decodeMicros;
    const QString sample = SnapPathResolver::convertToLocalSnapAbsPath(
            QStringLiteral("bench/pic-%1.jpg").arg(downloads - 1), true);
    for (int i = 0; i < 50; ++i) {
        const qint64 start = threadCpuNs();
        PictureDecoder::decode(sample, &image, &reason);
        decodeMicros.push_back(double(threadCpuNs() - start) / 1000.0);
    }
    std::printf("  decoding one such picture: median %.0f us\n", median(decodeMicros));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QTemporaryDir config;
    if (!config.isValid())
        return 2;
    qputenv("FEVER_CONFIG_DIR", config.path().toLocal8Bit());
    qInstallMessageHandler(messageFilter);
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption downloads(QStringLiteral("downloads"),
                                       QStringLiteral("distinct pictures to download (2000)"),
                                       QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption bound(QStringLiteral("bound-mib"),
                                   QStringLiteral("disk bound of the cache folder in MiB (16)"),
                                   QStringLiteral("M"), QStringLiteral("16"));
    const QCommandLineOption repeat(QStringLiteral("repeat"),
                                    QStringLiteral("runs per refusal figure (20)"),
                                    QStringLiteral("R"), QStringLiteral("20"));
    parser.addOptions({downloads, bound, repeat});
    parser.process(app);

    refusalFigures(config.path(), qMax(1, parser.value(repeat).toInt()));
    diskFigures(qMax(1, parser.value(downloads).toInt()),
                qMax(1LL, parser.value(bound).toLongLong()) * 1024 * 1024);
    return 0;
}
