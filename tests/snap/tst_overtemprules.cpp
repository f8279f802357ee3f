#include "TestSupport.h"

#include "FeverValues.h"
#include "OverTempRules.h"

#include "OrvaneAiCompareVoiceBroadcastStrategy.h"

#include <QFont>
#include <QFontMetrics>

// The over-temperature card's and list's decisions, apart from their widgets.
class TestOverTempRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void cardSize_data()
    {
        QTest::addColumn<int>("cardSize");
        QTest::addColumn<QSize>("expected");
        QTest::addColumn<int>("maximumHeight"); // with a 30-pixel title

        const QSize current(159, 221);
        QTest::newRow("big") << 1 << QSize(184, 255) << 315;
        QTest::newRow("medium") << 2 << QSize(159, 221) << 281;
        QTest::newRow("small") << 3 << QSize(123, 170) << 230;
        QTest::newRow("0 keeps") << 0 << current << 281;
        QTest::newRow("4 keeps") << 4 << current << 281;
    }

    void cardSize()
    {
        QFETCH(int, cardSize);
        QFETCH(QSize, expected);
        QFETCH(int, maximumHeight);
        const QSize size = OverTempRules::cardSize(cardSize, QSize(159, 221));
        QCOMPARE(size, expected);
        QCOMPARE(OverTempRules::listMaximumHeight(30, size.height()), maximumHeight);
    }

    void newTagAge_data()
    {
        QTest::addColumn<qint64>("age");
        QTest::addColumn<bool>("seen");
        QTest::newRow("59 s") << qint64(59) << false;
        QTest::newRow("60 s") << qint64(60) << true;
        QTest::newRow("65 s") << qint64(65) << true;
        // The steady clock may be read back across a restart of the tick; the age is absolute.
        QTest::newRow("-60 s") << qint64(-60) << true;
    }

    void newTagAge()
    {
        QFETCH(qint64, age);
        QFETCH(bool, seen);
        const uint created = 1000;
        QCOMPARE(OverTempRules::isNewTagSeen(created + age, created), seen);
    }

    void picture_data()
    {
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("imageHandle");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("protectedPic");
        QTest::addColumn<bool>("mosaic");

        const QString snap = QStringLiteral("/tmp/snap.jpg");
        const QString ai = QStringLiteral(":/images/home/charts/ai/image_no_show_face_");
        QTest::newRow("shown") << 1 << 2 << 1 << snap << false << false;
        QTest::newRow("placeholder over") << 2 << 1 << 1 << ai + "overTemp.png" << true << false;
        QTest::newRow("placeholder abnormal 3")
                << 2 << 1 << 3 << ai + "abnormal.png" << true << false;
        QTest::newRow("placeholder normal") << 2 << 1 << 0 << ai + "normal.png" << true << false;
        QTest::newRow("mosaic") << 2 << 2 << 0 << snap << true << true;
        QTest::newRow("private, no treatment") << 2 << 3 << 1 << snap << false << false;
    }

    void picture()
    {
        QFETCH(int, displayMode);
        QFETCH(int, imageHandle);
        QFETCH(int, state);
        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.set_image_display_mode(displayMode);
        strategy.set_snap_image_handle(imageHandle);
        const OverTempRules::Picture picture =
                OverTempRules::picture(QStringLiteral("/tmp/snap.jpg"), state, strategy);
        QTEST(picture.source, "source");
        QTEST(picture.bProtected, "protectedPic");
        QTEST(picture.bMosaic, "mosaic");
    }

    void longDeviceNameKeepsEightPixelsEachSide_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("elided");
        QTest::newRow("fits") << QStringLiteral("Gate") << false;
        QTest::newRow("too wide") << QStringLiteral("North entrance thermal camera 12") << true;
    }

    void longDeviceNameKeepsEightPixelsEachSide()
    {
        QFETCH(QString, name);
        QFETCH(bool, elided);
        QFont font;
        font.setPixelSize(14);
        const QFontMetrics metrics(font);
        const QSize bar(123, 30);

        const QString shown = OverTempRules::fittedName(metrics, name, bar.width());
        QCOMPARE(shown != name, elided);
        const int width = metrics.horizontalAdvance(shown);
        QVERIFY2(width <= bar.width() - 16, qPrintable(shown));
        if (elided)
            QVERIFY(shown.endsWith(QChar(0x2026)));
        // Centred on the bar, 5 pixels above its bottom.
        QCOMPARE(OverTempRules::deviceNameOrigin(width, bar),
                 QPoint((bar.width() - width) / 2, 25));
    }

    void popupPointsAtTheAddButton()
    {
        const QRect add(61, 64, 32, 32);
        const QRect popup = OverTempRules::popupGeometry(QSize(155, 108), add);
        QCOMPARE(popup.size(), QSize(139, 72));
        QCOMPARE(popup.bottom() + 1 + 5, add.top());
        const QPolygon outline = OverTempRules::popupOutline(popup.size());
        // The pointer's tip is the outline's lowest point, over the button's middle.
        QCOMPARE(outline.at(4), QPoint(69, 71));
        QCOMPARE(popup.x() + outline.at(4).x(), add.x() + add.width() / 2);
    }
};

FEVER_TEST_MAIN(TestOverTempRules)
#include "tst_overtemprules.moc"
