#include "TestSupport.h"

#include "FileDataCacheGroup.h"
#include "FileDataCacheHelper.h"
#include "HostTesting.h"
#include "ImageDataCache.h"
#include "ImageProcessHelper.h"

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <climits>

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

QString findResourcePicture()
{
    QDirIterator it(":/", QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(".png") && QImageReader(path).canRead())
            return path;
    }
    return QString();
}

} // namespace

class TestImageCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void leastRecentlyUsedLeavesFirst();
    void boundHoldsAfterLoweringAndForHugePictures();
    void changedFileIsReloaded();
    void missingOrDamagedFilesAreNotFound();
    void resourcesAreFound();
    void pixmapAndImageHelpers();

    void mosaicLeavesPictureForSmallBlocks_data();
    void mosaicLeavesPictureForSmallBlocks();
    void mosaicNullPicture();
    void mosaicOddSizesMakeUniformBlocks_data();
    void mosaicOddSizesMakeUniformBlocks();
    void mosaicAveragesBlocks();
    void mosaicKeepsTransparentColours();

private:
    QTemporaryDir m_dir;
};

void TestImageCache::initTestCase()
{
    testsupport::installWarningGuard();
    QVERIFY(m_dir.isValid());
}

void TestImageCache::init()
{
    HostTesting::clearImageCache();
    HostTesting::setImageCacheByteLimit(ImageDataCache::DefaultByteLimit);
}

void TestImageCache::cleanupTestCase()
{
    HostTesting::clearImageCache();
    HostTesting::setImageCacheByteLimit(ImageDataCache::DefaultByteLimit);
}

void TestImageCache::leastRecentlyUsedLeavesFirst()
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
    QCOMPARE(HostTesting::imageCachedCount(), 2);
    QCOMPARE(HostTesting::imageCachedBytes(), 2 * PictureBytes);

    // An evicted picture is still found, by decoding it again.
    QVERIFY(FileDataCacheGroup::findImageData(b, image));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 255, 0));
    QVERIFY(!HostTesting::isImageCached(a));
}

void TestImageCache::boundHoldsAfterLoweringAndForHugePictures()
{
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << writePicture(m_dir.path(), QString("p%1.png").arg(i), qRgb(i, i, i));
    QImage image;
    for (const QString &path : qAsConst(paths))
        QVERIFY(FileDataCacheGroup::findImageData(path, image));
    QCOMPARE(HostTesting::imageCachedCount(), 5);

    HostTesting::setImageCacheByteLimit(PictureBytes);
    QCOMPARE(HostTesting::imageCachedCount(), 1);
    QVERIFY(HostTesting::isImageCached(paths.last()));
    QVERIFY(HostTesting::imageCachedBytes() <= HostTesting::imageCacheByteLimit());

    // Larger than the whole bound: handed out, not kept, nothing else thrown out for it.
    const QString big = writePicture(m_dir.path(), "big.png", qRgb(9, 9, 9), 200);
    QVERIFY(FileDataCacheGroup::findImageData(big, image));
    QCOMPARE(image.size(), QSize(200, 200));
    QVERIFY(!HostTesting::isImageCached(big));
    QVERIFY(HostTesting::isImageCached(paths.last()));

    HostTesting::setImageCacheByteLimit(0);
    QCOMPARE(HostTesting::imageCachedCount(), 0);
    QCOMPARE(HostTesting::imageCachedBytes(), qint64(0));
    QVERIFY(FileDataCacheGroup::findImageData(paths.first(), image));
}

void TestImageCache::changedFileIsReloaded()
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

void TestImageCache::missingOrDamagedFilesAreNotFound()
{
    QImage image(3, 3, QImage::Format_RGB32);
    QVERIFY(!FileDataCacheGroup::findImageData(QString(), image));
    QVERIFY(!FileDataCacheGroup::findImageData(m_dir.path() + "/none.jpg", image));
    QVERIFY(!FileDataCacheGroup::findImageData(m_dir.path(), image)); // a folder
    QFile damaged(m_dir.path() + "/damaged.jpg");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a picture at all");
    damaged.close();
    QVERIFY(!FileDataCacheGroup::findImageData(damaged.fileName(), image));
    QVERIFY(!FileDataCacheGroup::findImageData(":/no/such/picture.png", image));
    QCOMPARE(image.size(), QSize(3, 3)); // untouched on failure
    QCOMPARE(HostTesting::imageCachedCount(), 0);
}

void TestImageCache::resourcesAreFound()
{
    const QString resource = findResourcePicture();
    if (resource.isEmpty())
        QSKIP("no picture resource linked into this test");
    QImage image;
    QVERIFY(FileDataCacheGroup::findImageData(resource, image));
    QVERIFY(!image.isNull());
    QVERIFY(HostTesting::isImageCached(resource));
    QImage again;
    QVERIFY(FileDataCacheGroup::findImageData(resource, again));
    QCOMPARE(again, image);
}

void TestImageCache::pixmapAndImageHelpers()
{
    const QString path = writePicture(m_dir.path(), "helper.png", qRgb(1, 2, 3), 60);
    QPixmap pixmap;
    QVERIFY(FileDataCacheHelper::tryLoadPixmapData(path, pixmap));
    QCOMPARE(pixmap.size(), QSize(60, 60));
    QImage image;
    QVERIFY(FileDataCacheHelper::tryLoadImageData(path, image));
    QCOMPARE(image.pixel(5, 5), qRgb(1, 2, 3));
    QPixmap untouched(4, 4);
    QVERIFY(!FileDataCacheHelper::tryLoadPixmapData(m_dir.path() + "/missing.png", untouched));
    QCOMPARE(untouched.size(), QSize(4, 4));
}

void TestImageCache::mosaicLeavesPictureForSmallBlocks_data()
{
    QTest::addColumn<int>("block");
    QTest::newRow("0 (pictures under 32 pixels high)") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("negative") << -7;
    QTest::newRow("INT_MIN") << INT_MIN;
}

void TestImageCache::mosaicLeavesPictureForSmallBlocks()
{
    QFETCH(int, block);
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.setPixel(x, y, qRgb(x * 30, y * 40, 7));
    const QImage original = image.copy();
    const QImage result = ImageProcessHelper::tryFullImageMosaic(image, block);
    QCOMPARE(image, original);
    QCOMPARE(result, original);
}

void TestImageCache::mosaicNullPicture()
{
    for (int block : {INT_MIN, -1, 0, 1, 2, 5, INT_MAX}) {
        QImage image;
        QVERIFY(ImageProcessHelper::tryFullImageMosaic(image, block).isNull());
        QVERIFY(image.isNull());
    }
}

void TestImageCache::mosaicOddSizesMakeUniformBlocks_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("block");
    QTest::newRow("7x5 by 3") << QSize(7, 5) << 3;
    QTest::newRow("1x1 by 2") << QSize(1, 1) << 2;
    QTest::newRow("33x1 by 4") << QSize(33, 1) << 4;
    QTest::newRow("5x9 by 5") << QSize(5, 9) << 5;
    QTest::newRow("block larger than picture") << QSize(6, 4) << 1000;
    QTest::newRow("block INT_MAX") << QSize(3, 3) << INT_MAX;
}

void TestImageCache::mosaicOddSizesMakeUniformBlocks()
{
    QFETCH(QSize, size);
    QFETCH(int, block);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
    const QImage result = ImageProcessHelper::tryFullImageMosaic(image, block);
    QCOMPARE(result.size(), size);
    QCOMPARE(image, result); // changed in place as well

    // Every pixel equals the top-left pixel of its block.
    const qint64 step = block;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int bx = int(x / step * step);
            const int by = int(y / step * step);
            QCOMPARE(result.pixel(x, y), result.pixel(bx, by));
        }
    }
}

void TestImageCache::mosaicAveragesBlocks()
{
    // Left 2x2 block: grey levels 0, 40, 80, 120 average to 60; the cut column at x = 2
    // keeps its own average of 200 and 100 = 150.
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(40, 40, 40));
    image.setPixel(0, 1, qRgb(80, 80, 80));
    image.setPixel(1, 1, qRgb(120, 120, 120));
    image.setPixel(2, 0, qRgb(200, 200, 200));
    image.setPixel(2, 1, qRgb(100, 100, 100));
    ImageProcessHelper::tryFullImageMosaic(image, 2);
    QCOMPARE(image.pixel(1, 1), qRgb(60, 60, 60));
    QCOMPARE(image.pixel(2, 0), qRgb(150, 150, 150));
    QCOMPARE(image.pixel(2, 1), qRgb(150, 150, 150));
}

void TestImageCache::mosaicKeepsTransparentColours()
{
    // A transparent black pixel beside an opaque red one: averaging straight colour values
    // would turn the block dark red; the block must stay pure red at half opacity.
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    ImageProcessHelper::tryFullImageMosaic(image, 2);
    const QColor colour = image.pixelColor(0, 0);
    QVERIFY(qAbs(colour.alpha() - 127) <= 1);
    QVERIFY(colour.red() >= 250);
    QCOMPARE(colour.green(), 0);
    QCOMPARE(image.pixelColor(1, 0), colour);
}

FEVER_TEST_MAIN(TestImageCache)
#include "tst_imagecache.moc"
