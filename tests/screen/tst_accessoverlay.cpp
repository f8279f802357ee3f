#include "TestSupport.h"

#include "AccessOverlayRules.h"
#include "AlternateScreenRules.h"

// Where the alternate screen's access overlays sit and when they show. Which of them stay, their
// banners and the ratio texts are followed through the screen in tst_alternatescreen.
class TestAccessOverlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
    void geometry_data()
    {
        QTest::addColumn<int>("playerHeight");
        QTest::addColumn<QRect>("face0");
        QTest::addColumn<QRect>("face1");
        QTest::addColumn<int>("movedY");
        QTest::addColumn<QRect>("banner0");
        QTest::addColumn<int>("fontPx");
        QTest::newRow("nominal") << 650 << QRect(45, 45, 125, 125) << QRect(45, 200, 125, 125)
                                 << 200 << QRect(185, 90, 160, 35) << 15;
        // k x 125 = 207.7 and k x 45 = 74.8 truncate. Moving down adds to the truncated face
        // position, rescaling to k x 45 itself: a pixel apart at this height.
        QTest::newRow("1080") << 1080 << QRect(74, 74, 207, 207) << QRect(74, 331, 207, 207) << 330
                              << QRect(305, 148, 265, 58) << 24;
    }

    void geometry()
    {
        QFETCH(int, playerHeight);
        QFETCH(QRect, face0);
        QFETCH(QRect, face1);
        QFETCH(int, movedY);
        QFETCH(QRect, banner0);
        QFETCH(int, fontPx);
        const float k = AccessOverlayRules::scale(playerHeight);
        QCOMPARE(AccessOverlayRules::faceGeometry(k, 0, 0), face0);
        QCOMPARE(AccessOverlayRules::faceGeometry(k, 1, face0.height()), face1);
        QCOMPARE(AccessOverlayRules::movedDown(face0, k), QPoint(face0.x(), movedY));
        QCOMPARE(AccessOverlayRules::bannerGeometry(k, face0), banner0);
        QCOMPARE(AccessOverlayRules::textStyleSheet(k),
                 QStringLiteral("color: white; font: %1px").arg(fontPx));
    }

    void visibility_data()
    {
        QTest::addColumn<bool>("formPlayer");
        QTest::addColumn<bool>("layoutEmpty");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("winBig");
        QTest::addColumn<bool>("visible");
        QTest::newRow("single layout") << true << false << 0 << false << true;
        QTest::newRow("grid, nothing enlarged") << true << false << 4 << false << false;
        QTest::newRow("grid, tile enlarged") << true << false << 4 << true << true;
        QTest::newRow("empty layout list") << true << true << 0 << true << false;
        QTest::newRow("not a host player") << false << false << 0 << false << false;
    }

    void visibility()
    {
        QFETCH(bool, formPlayer);
        QFETCH(bool, layoutEmpty);
        QFETCH(int, mode);
        QFETCH(bool, winBig);
        QFETCH(bool, visible);
        QCOMPARE(AlternateScreenRules::overlaysVisible(formPlayer, layoutEmpty, mode, winBig),
                 visible);
    }
};

FEVER_TEST_MAIN(TestAccessOverlay)
#include "tst_accessoverlay.moc"
