#include "TestSupport.h"

#include "AccessOverlayGroups.h"
#include "AccessOverlayRules.h"
#include "AlternateScreenRules.h"

// The alternate screen's decisions: which access overlays stay, how they look and sit, when
// they show, and the ratio texts beside the rings.
class TestAccessOverlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
    void thirdSnapshotDropsTheOldest();
    void banner_data();
    void banner();
    void geometry_data();
    void geometry();
    void visibility_data();
    void visibility();
    void ratioTexts();
};

void TestAccessOverlay::thirdSnapshotDropsTheOldest()
{
    AccessOverlayGroups groups;
    AccessOverlayGroups::Admission first = groups.add(1);
    QVERIFY(first.vecDropped.isEmpty());
    QCOMPARE(first.nMovedDown, AccessOverlayGroups::NoGroup);
    QCOMPARE(groups.add(2).nMovedDown, 1);
    const AccessOverlayGroups::Admission third = groups.add(3);
    QCOMPARE(third.vecDropped, QVector<int>{1});
    QCOMPARE(third.nMovedDown, 2);
    QCOMPARE(groups.ids(), (QVector<int>{3, 2}));
    // Whichever face expires, the oldest group goes.
    QCOMPARE(groups.removeOldest(), 2);
    QCOMPARE(groups.removeOldest(), 3);
    QCOMPARE(groups.removeOldest(), AccessOverlayGroups::NoGroup);
}

void TestAccessOverlay::banner_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("over");
    QTest::newRow("over-temperature") << 1 << true;
    QTest::newRow("unknown") << 42 << false;
}

void TestAccessOverlay::banner()
{
    QFETCH(int, state);
    QFETCH(bool, over);
    const AccessOverlayRules::Banner banner = AccessOverlayRules::banner(state);
    QCOMPARE(banner.bOver, over);
    QCOMPARE(banner.strColor, over ? QStringLiteral("#e6a39b") : QStringLiteral("#78997b"));
    QCOMPARE(banner.strTextKey,
             over ? QStringLiteral("TK_AccessDenied") : QStringLiteral("TK_AccessGranted"));
    // A language switch re-texts by the kept flag alone.
    QCOMPARE(AccessOverlayRules::bannerTextKey(banner.bOver), banner.strTextKey);
    QCOMPARE(banner.strIconPath,
             over ? QStringLiteral(":/images/home/charts/ai/access-denied(160px).png")
                  : QStringLiteral(":/images/home/charts/ai/access-granted(160px).png"));
    QVERIFY(!QPixmap(banner.strIconPath).isNull());
}

void TestAccessOverlay::geometry_data()
{
    QTest::addColumn<int>("playerHeight");
    QTest::addColumn<QRect>("face0");
    QTest::addColumn<QRect>("face1");
    QTest::addColumn<int>("movedY");
    QTest::addColumn<QRect>("banner0");
    QTest::addColumn<int>("fontPx");
    QTest::newRow("nominal") << 650 << QRect(45, 45, 125, 125) << QRect(45, 200, 125, 125) << 200
                             << QRect(185, 90, 160, 35) << 15;
    // k x 125 = 207.7 and k x 45 = 74.8 truncate. Moving down adds to the truncated face
    // position, rescaling to k x 45 itself: a pixel apart at this height.
    QTest::newRow("1080") << 1080 << QRect(74, 74, 207, 207) << QRect(74, 331, 207, 207) << 330
                          << QRect(305, 148, 265, 58) << 24;
}

void TestAccessOverlay::geometry()
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

void TestAccessOverlay::visibility_data()
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

void TestAccessOverlay::visibility()
{
    QFETCH(bool, formPlayer);
    QFETCH(bool, layoutEmpty);
    QFETCH(int, mode);
    QFETCH(bool, winBig);
    QFETCH(bool, visible);
    QCOMPARE(AlternateScreenRules::overlaysVisible(formPlayer, layoutEmpty, mode, winBig), visible);
}

void TestAccessOverlay::ratioTexts()
{
    const AlternateScreenRules::RatioTexts none = AlternateScreenRules::ratioTexts(0, 0);
    QVERIFY(none.strHealthy.isEmpty() && none.strWarm.isEmpty());
    const AlternateScreenRules::RatioTexts some = AlternateScreenRules::ratioTexts(10, 3);
    QCOMPARE(some.strHealthy, QStringLiteral("7/10"));
    QCOMPARE(some.strWarm, QStringLiteral("3/10"));
}

FEVER_TEST_MAIN(TestAccessOverlay)
#include "tst_accessoverlay.moc"
