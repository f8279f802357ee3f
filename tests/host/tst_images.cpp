#include "TestSupport.h"

#include "AppTranslationHelper.h"
#include "HostResources.h"

#include <QFile>
#include <QImage>

// Every picture the plug-in names by resource path is one the host provides.
class TstImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPictureOfThePluginLoads_data();
    void everyPictureOfThePluginLoads();
};

void TstImages::initTestCase()
{
    testsupport::installWarningGuard();
    HostResources::initialise();
    QVERIFY(HostResources::picturesAvailable());
}

void TstImages::everyPictureOfThePluginLoads_data()
{
    QTest::addColumn<QString>("path");
    const QStringList named = testsupport::scanPluginSources(
            QRegularExpression(QStringLiteral(":/images/[^\"<>);\\s]+\\.png")));
    // The scan itself must work, or every row would pass by finding nothing.
    QVERIFY(named.contains(QStringLiteral(":/images/home/charts/ai/image_nodate.png")));
    for (const QString &path : named) {
        // A path with a placeholder stands for one picture per language.
        if (!path.contains(QLatin1String("%1"))) {
            QTest::newRow(qPrintable(path)) << path;
            continue;
        }
        for (int language : {AppTranslationHelper::English, AppTranslationHelper::Chinese}) {
            const QString expanded = path.arg(language);
            QTest::newRow(qPrintable(expanded)) << expanded;
        }
    }
}

void TstImages::everyPictureOfThePluginLoads()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QImage image(path);
    QVERIFY(!image.isNull());
    // A picture of one colour would be an empty drawing.
    bool varied = false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height() && !varied; ++y) {
        for (int x = 0; x < image.width() && !varied; ++x)
            varied = image.pixel(x, y) != first;
    }
    QVERIFY(varied);
}

FEVER_TEST_MAIN(TstImages)
#include "tst_images.moc"
