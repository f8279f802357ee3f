#include "TestSupport.h"

#include "FileDataCacheGroup.h"
#include "FileDataCacheHelper.h"
#include "ImageDataCache.h"
#include "ImageProcessHelper.h"

#include <QFile>
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

} // namespace

// The picture cache the cards and the intake load through (bounded, never stale) and the
// mosaic of the private mode.
class TestImageCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void leastRecentlyUsedLeavesFirst();
    void hugePictureIsHandedOutNotKept();
    void changedFileIsReloaded();
    void missingOrDamagedFilesAreNotFound();
    void mosaicMakesUniformBlocks_data();
    void mosaicMakesUniformBlocks();

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
    FileDataCacheGroup::clearCache();
    FileDataCacheGroup::setCacheByteLimit(ImageDataCache::DefaultByteLimit);
}

void TestImageCache::cleanupTestCase()
{
    FileDataCacheGroup::clearCache();
    FileDataCacheGroup::setCacheByteLimit(ImageDataCache::DefaultByteLimit);
}

void TestImageCache::leastRecentlyUsedLeavesFirst()
{
    const QString a = writePicture(m_dir.path(), "a.png", qRgb(255, 0, 0));
    const QString b = writePicture(m_dir.path(), "b.png", qRgb(0, 255, 0));
    const QString c = writePicture(m_dir.path(), "c.png", qRgb(0, 0, 255));
    QVERIFY(!a.isEmpty() && !b.isEmpty() && !c.isEmpty());
    FileDataCacheGroup::setCacheByteLimit(2 * PictureBytes + 100);

    QImage image;
    QVERIFY(FileDataCacheGroup::findImageData(a, image));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
    QVERIFY(FileDataCacheGroup::findImageData(b, image));
    QVERIFY(FileDataCacheGroup::findImageData(a, image)); // a is now the most recent
    QVERIFY(FileDataCacheGroup::findImageData(c, image));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 255));

    QVERIFY(FileDataCacheGroup::isCached(a));
    QVERIFY(!FileDataCacheGroup::isCached(b));
    QVERIFY(FileDataCacheGroup::isCached(c));
    QCOMPARE(FileDataCacheGroup::cachedCount(), 2);
    QCOMPARE(FileDataCacheGroup::cachedBytes(), 2 * PictureBytes);

    // An evicted picture is still found, by decoding it again.
    QVERIFY(FileDataCacheGroup::findImageData(b, image));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 255, 0));
    QVERIFY(!FileDataCacheGroup::isCached(a));
}

void TestImageCache::hugePictureIsHandedOutNotKept()
{
    const QString kept = writePicture(m_dir.path(), "kept.png", qRgb(1, 1, 1));
    FileDataCacheGroup::setCacheByteLimit(PictureBytes);
    QImage image;
    QVERIFY(FileDataCacheGroup::findImageData(kept, image));
    QVERIFY(FileDataCacheGroup::isCached(kept));

    // Larger than the whole bound: handed out, not kept, nothing else thrown out for it.
    const QString big = writePicture(m_dir.path(), "big.png", qRgb(9, 9, 9), 200);
    QVERIFY(FileDataCacheGroup::findImageData(big, image));
    QCOMPARE(image.size(), QSize(200, 200));
    QVERIFY(!FileDataCacheGroup::isCached(big));
    QVERIFY(FileDataCacheGroup::isCached(kept));
    QVERIFY(FileDataCacheGroup::cachedBytes() <= FileDataCacheGroup::cacheByteLimit());
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
    QCOMPARE(FileDataCacheGroup::cachedCount(), 1);

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
    QCOMPARE(FileDataCacheGroup::cachedCount(), 0);

    // The intake's helper behaves alike.
    const QString path = writePicture(m_dir.path(), "helper.png", qRgb(1, 2, 3), 60);
    QPixmap pixmap(4, 4);
    QVERIFY(!FileDataCacheHelper::tryLoadPixmapData(damaged.fileName(), pixmap));
    QCOMPARE(pixmap.size(), QSize(4, 4));
    QVERIFY(FileDataCacheHelper::tryLoadPixmapData(path, pixmap));
    QCOMPARE(pixmap.size(), QSize(60, 60));
}

void TestImageCache::mosaicMakesUniformBlocks_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("block");
    // The card asks for a block of a 32nd of the picture height: 0 for small pictures.
    QTest::newRow("block 0 leaves the picture") << QSize(7, 5) << 0;
    QTest::newRow("block 1 leaves the picture") << QSize(7, 5) << 1;
    QTest::newRow("negative block leaves the picture") << QSize(7, 5) << -7;
    QTest::newRow("7x5 by 3") << QSize(7, 5) << 3;
    QTest::newRow("1x1 by 2") << QSize(1, 1) << 2;
    QTest::newRow("5x9 by 5") << QSize(5, 9) << 5;
    QTest::newRow("block larger than picture") << QSize(6, 4) << 1000;
    QTest::newRow("block INT_MAX") << QSize(3, 3) << INT_MAX;
}

void TestImageCache::mosaicMakesUniformBlocks()
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
            QCOMPARE(result.pixel(x, y), result.pixel(int(x / step * step), int(y / step * step)));
    }
}

FEVER_TEST_MAIN(TestImageCache)
#include "tst_imagecache.moc"
