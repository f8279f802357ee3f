#include "TestSupport.h"

#include "HostTesting.h"

#include "MessageLog.h"

#include "FileDataCacheGroup.h"
#include "FileDataCacheHelper.h"
#include "ImageDataCache.h"
#include "ImageProcessHelper.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <climits>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

// 100 x 100 ARGB32 pictures decode to 40000 bytes each.
constexpr qint64 PictureBytes = 100 * 100 * 4;

QString writePicture(const QString &folder, const QString &name, QRgb colour, int size = 100)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = folder + "/" + name;
    return image.save(path, "PNG") ? path : QString();
}

} // namespace

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

// A small valid picture; with `huge` its header claims 20000 x 20000 pixels, which would take
// 1.6 GB to decode, in a file of a few hundred bytes.
QByteArray encoded(const QByteArray &format, bool huge)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(qRgb(90, 120, 150));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    QByteArray bytes = buffer.data();
    if (!huge)
        return bytes;
    uchar *data = reinterpret_cast<uchar *>(bytes.data());
    if (format == "png") {
        qToBigEndian<quint32>(20000, data + 16);
        qToBigEndian<quint32>(20000, data + 20);
        qToBigEndian<quint32>(crc32(bytes.mid(12, 17)), data + 29);
    } else {
        // Walk the JPEG segments to the baseline frame header: height, then width.
        int pos = 2;
        while (pos + 9 < bytes.size() && data[pos + 1] != 0xc0)
            pos += 2 + qFromBigEndian<quint16>(data + pos + 2);
        qToBigEndian<quint16>(20000, data + pos + 5);
        qToBigEndian<quint16>(20000, data + pos + 7);
    }
    return bytes;
}

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

// The picture cache the cards and the intake load through (bounded, never stale) and the
// mosaic of the private mode.
class TestImageCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        testsupport::clearAllowedWarnings();
        HostTesting::clearImageCache();
        HostTesting::setImageCacheByteLimit(ImageDataCache::DefaultByteLimit);
    }

    void leastRecentlyUsedLeavesFirstAndHugeIsNotKept()
    {
        const QString a = writePicture(m_dir.path(), "a.png", qRgb(255, 0, 0));
        const QString b = writePicture(m_dir.path(), "b.png", qRgb(0, 255, 0));
        const QString c = writePicture(m_dir.path(), "c.png", qRgb(0, 0, 255));
        QVERIFY(!a.isEmpty() && !b.isEmpty() && !c.isEmpty());
        HostTesting::setImageCacheByteLimit(2 * PictureBytes + 100);

        QImage image;
        QVERIFY(FileDataCacheGroup::findImageData(a, image));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QVERIFY(FileDataCacheGroup::findImageData(b, image));
        QVERIFY(FileDataCacheGroup::findImageData(a, image)); // a is now the most recent
        QVERIFY(FileDataCacheGroup::findImageData(c, image));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 255));

        QVERIFY(HostTesting::isImageCached(a));
        QVERIFY(!HostTesting::isImageCached(b));
        QVERIFY(HostTesting::isImageCached(c));
        QCOMPARE(HostTesting::imageCachedBytes(), 2 * PictureBytes);

        // An evicted picture is still found, by decoding it again.
        QVERIFY(FileDataCacheGroup::findImageData(b, image));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 255, 0));
        QVERIFY(!HostTesting::isImageCached(a));

        // Larger than the whole bound: handed out, not kept, nothing else thrown out for it.
        const QString big = writePicture(m_dir.path(), "big.png", qRgb(9, 9, 9), 200);
        QVERIFY(FileDataCacheGroup::findImageData(big, image));
        QCOMPARE(image.size(), QSize(200, 200));
        QVERIFY(!HostTesting::isImageCached(big));
        QVERIFY(HostTesting::isImageCached(b) && HostTesting::isImageCached(c));
    }

    void changedFileIsReloaded()
    {
        // A picture downloaded again under the same name must not be served from the old entry.
        const QString path = writePicture(m_dir.path(), "same.png", qRgb(10, 20, 30));
        QImage image;
        QVERIFY(FileDataCacheGroup::findImageData(path, image));
        QCOMPARE(image.pixel(0, 0), qRgb(10, 20, 30));

        QCOMPARE(writePicture(m_dir.path(), "same.png", qRgb(200, 100, 50)), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(FileDataCacheGroup::findImageData(path, image));
        QCOMPARE(image.pixel(0, 0), qRgb(200, 100, 50));
        QCOMPARE(HostTesting::imageCachedCount(), 1);

        QVERIFY(QFile::remove(path));
        QVERIFY(!FileDataCacheGroup::findImageData(path, image));
    }

    void mosaicMakesUniformBlocks_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("block");
        // The card asks for a block of a 32nd of the picture height: 0 for small pictures.
        QTest::newRow("block 0 leaves the picture") << QSize(7, 5) << 0;
        QTest::newRow("negative block leaves the picture") << QSize(7, 5) << -7;
        QTest::newRow("7x5 by 3") << QSize(7, 5) << 3;
        QTest::newRow("5x9 by 5") << QSize(5, 9) << 5;
        QTest::newRow("block larger than picture") << QSize(6, 4) << 1000;
        QTest::newRow("block INT_MAX") << QSize(3, 3) << INT_MAX;
    }

    void mosaicMakesUniformBlocks()
    {
        QFETCH(QSize, size);
        QFETCH(int, block);
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
        const QImage original = image.copy();
        const QImage result = ImageProcessHelper::tryFullImageMosaic(image, block);
        QCOMPARE(image, result); // changed in place as well
        if (block < 2) {
            QCOMPARE(result, original);
            return;
        }
        QCOMPARE(result.size(), size);
        // Every pixel equals the top-left pixel of its block.
        const qint64 step = block;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(result.pixel(x, y),
                         result.pixel(int(x / step * step), int(y / step * step)));
        }
    }

    void onlyCameraFormatsWithinSizeBound_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal"); // empty: decodes

        QTest::newRow("png named .jpg") << encoded("png", false) << QString();
        QTest::newRow("bmp") << encoded("bmp", false) << QString();
        QTest::newRow("jpeg") << encoded("jpeg", false) << QString();
        QTest::newRow("svg") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='30000'"
                                           " height='30000'><rect width='9' height='9'/></svg>")
                             << "not a JPEG, PNG or BMP picture";
        QTest::newRow("gif") << QByteArray("GIF89a\x08\x00\x08\x00\x80\x00\x00")
                             << "not a JPEG, PNG or BMP picture";
        // The refusal names the size: refused from the header, not after a failed decode.
        QTest::newRow("png 20000 x 20000") << encoded("png", true) << "20000 x 20000 pixels";
        QTest::newRow("jpeg 20000 x 20000") << encoded("jpeg", true) << "20000 x 20000 pixels";
    }

    void onlyCameraFormatsWithinSizeBound()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        // Named like a camera picture, with a line break: the warning must stay on one line.
        const QString path = writeBytes(m_dir.path() + "/pic\nture.jpg", bytes);
        QVERIFY(!path.isEmpty());
        MessageLog log;
        testsupport::allowWarning(QRegularExpression("ImageDataCache::find refused"));
        QImage image;
        QCOMPARE(FileDataCacheGroup::findImageData(path, image), refusal.isEmpty());
        if (refusal.isEmpty()) {
            QCOMPARE(image.size(), QSize(8, 8));
            QVERIFY(log.lines.isEmpty());
            return;
        }
        QVERIFY(image.isNull());
        QCOMPARE(log.lines.size(), 1);
        QVERIFY2(log.lines.first().contains(refusal), qPrintable(log.lines.first()));
        QVERIFY(log.lines.first().contains("pic\\nture.jpg"));
        QVERIFY(!log.lines.first().contains('\n'));
    }

    void svgUnderPictureNameReadsNoOtherFile()
    {
#ifndef Q_OS_LINUX
        QSKIP("file access is watched through inotify");
#else
        // The SVG embeds a picture that lies outside the configuration folder.
        QTemporaryDir outside;
        const QString secret = writePicture(outside.path(), "secret.png", qRgb(255, 0, 255), 20);
        const QString svg = writeBytes(
                m_dir.path() + "/snap.jpg",
                "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'"
                " width='20' height='20'><image width='20' height='20' xlink:href='"
                        + QFile::encodeName(secret) + "'/></svg>");
        QVERIFY(!secret.isEmpty() && !svg.isEmpty());
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(inotify_add_watch(watch, QFile::encodeName(secret).constData(), IN_OPEN) >= 0);
        const auto opened = [watch] {
            char events[4096];
            bool any = false;
            while (read(watch, events, sizeof events) > 0)
                any = true;
            return any;
        };

        testsupport::allowWarning(QRegularExpression("ImageDataCache::find refused"));
        QImage image;
        QVERIFY(!FileDataCacheGroup::findImageData(svg, image));
        QVERIFY(!opened());

        // Control: a reader left to pick the decoder follows the reference, so the watch works.
        if (QImageReader::supportedImageFormats().contains("svg")) {
            QImageReader sniffing(svg);
            sniffing.setDecideFormatFromContent(true);
            QVERIFY(!sniffing.read().isNull());
            QVERIFY(opened());
        }
        close(watch);
#endif
    }

    void heldPictureOutlivesBoundUntilReleased()
    {
        const QString small = writePicture(m_dir.path(), "small.png", qRgb(1, 1, 1));
        const QString big = writePicture(m_dir.path(), "held.png", qRgb(2, 2, 2), 200);
        ImageDataCache cache(2 * PictureBytes);
        QImage image;
        QVERIFY(cache.find(small, image));

        bool held = false;
        QString reason;
        QVERIFY(cache.loadAndHold(big, &held, &reason));
        QVERIFY(held);
        QVERIFY(!cache.contains(small)); // pushed out by the held picture
        // Served from memory while held: with the file gone, a second decode could not succeed.
        QVERIFY(QFile::remove(big));
        QVERIFY(cache.find(big, image));
        QCOMPARE(image.pixel(0, 0), qRgb(2, 2, 2));

        QVERIFY(cache.hold(big));
        cache.release(big);
        QVERIFY(cache.contains(big));
        cache.release(big);
        QVERIFY(!cache.contains(big)); // larger than the bound: gone once nobody holds it
        QCOMPARE(cache.heldBytes(), qint64(0));
        QVERIFY(!cache.find(big, image));
    }

private:
    QTemporaryDir m_dir;
};

FEVER_TEST_MAIN(TestImageCache)
#include "tst_imagecache.moc"
