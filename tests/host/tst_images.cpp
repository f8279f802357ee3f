#include "TestSupport.h"

#include "HostResources.h"

#include <QFile>
#include <QPixmap>

class TstImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPictureLoads_data();
    void everyPictureLoads();
    void cardPicturesFitTogether();
    void sideBarPicturesFitTheButtons();
};

void TstImages::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform cannot size or raise real windows; nothing here depends on it.
    testsupport::allowWarning(QRegularExpression(QStringLiteral("^This plugin does not support")));
    HostResources::initialise();
    QVERIFY(HostResources::picturesAvailable());
}

void TstImages::everyPictureLoads_data()
{
    QTest::addColumn<QString>("path");
    // Every picture the screens name, with their placeholders expanded (language numbers 1 and
    // 96, both access signs), plus the pictures the style sheet uses.
    const QStringList paths = {
            ":/images/home/charts/title_dot.png",
            ":/images/home/common/drop_10.png",
            ":/images/home/common/sheet/sheet_filter.png",
            ":/images/home/common/common_16/add_16.png",
            ":/images/home/common/common_16/delete_16.png",
            ":/images/home/charts/ai/card_bg.png",
            ":/images/home/charts/ai/card_border.png",
            ":/images/home/charts/ai/card_alarm_border.png",
            ":/images/home/charts/ai/card_temp_bg.png",
            ":/images/home/charts/ai/card_temp_alarm_bg.png",
            ":/images/home/charts/ai/card_temp_unnsual_bg.png",
            ":/images/home/charts/ai/card_temp_unnsual_border.png",
            ":/images/home/charts/ai/image_nodate.png",
            ":/images/home/charts/ai/image_no_show_face_normal.png",
            ":/images/home/charts/ai/image_no_show_face_overTemp.png",
            ":/images/home/charts/ai/image_no_show_face_abnormal.png",
            ":/images/home/charts/ai/NOMASK.png",
            ":/images/home/charts/ai/NOMASK1.png",
            ":/images/home/charts/ai/NOMASK96.png",
            ":/images/home/charts/ai/access-granted(160px).png",
            ":/images/home/charts/ai/access-denied(160px).png",
            ":/images/home/common/sound_open.png",
            ":/images/home/common/sound_close.png",
            ":/images/home/common/sidebar_hide.png",
            ":/images/home/common/sidebar_show.png",
    };
    for (const QString &path : paths)
        QTest::newRow(qPrintable(path)) << path;
}

void TstImages::everyPictureLoads()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QPixmap pixmap(path);
    QVERIFY(!pixmap.isNull());
    // A picture of one colour would be an empty drawing.
    const QImage image = pixmap.toImage();
    bool varied = false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height() && !varied; ++y) {
        for (int x = 0; x < image.width() && !varied; ++x)
            varied = image.pixel(x, y) != first;
    }
    QVERIFY(varied);
}

void TstImages::cardPicturesFitTogether()
{
    // A slide is the card drawn at (23, 23) on its border picture, the face at (83, 31) with
    // 258 x 311 pixels and three text lines down to y 539 on the card.
    const QSize card = QPixmap(":/images/home/charts/ai/card_temp_bg.png").size();
    const QSize border = QPixmap(":/images/home/charts/ai/card_border.png").size();
    QCOMPARE(border, QSize(card.width() + 46, card.height() + 46));
    QVERIFY(card.width() >= 83 + 258 && card.height() > 539);
    QCOMPARE(QPixmap(":/images/home/charts/ai/card_bg.png").size(), card);
    QCOMPARE(QPixmap(":/images/home/charts/ai/card_alarm_border.png").size(), border);
    QCOMPARE(border, QSize(472, 603)); // the largest slide size: no scaling for big cards
}

void TstImages::sideBarPicturesFitTheButtons()
{
    QCOMPARE(QPixmap(":/images/home/common/sidebar_hide.png").size(), QSize(13, 67));
    QCOMPARE(QPixmap(":/images/home/common/sidebar_show.png").size(), QSize(13, 67));
    QCOMPARE(QPixmap(":/images/home/common/sound_open.png").size(), QSize(16, 16));
}

FEVER_TEST_MAIN(TstImages)
#include "tst_images.moc"
