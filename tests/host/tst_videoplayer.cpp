#include "TestSupport.h"

#include "FormVideoPlayer.h"
#include "HostTesting.h"
#include "PictureFlow.h"
#include "RealtimeTempDeviceWidget.h"
#include "VideoGridWidget.h"
#include "VornClient.h"

#include <QTreeWidget>

class TstVideoPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void gridCells_data();
    void gridCells();
    void gridCellsDoNotOverlap();
    void windowCountForMode_data();
    void windowCountForMode();
    void startPlayFillsFreeWindows();
    void repaintTimerRunsOnlyWhilePlaying();
    void restoresSavedLayout();
    void stopByDeviceUidStopsItsChannels();
    void doubleClickPlaysInSelectedWindow();
    void clickSelectsWindowAndReportsChannel();
    void fullScreenToggles();
    void playerSwitches();
    void pictureFlowIsCreatedOnce();
    void pictureFlowSlides();
    void pictureFlowGeometry();

    void deviceTreeListsThermalChannels();
    void deviceTreeDoubleClickPlays();
    void deviceTreeContextActions();
    void deviceTreeFollowsSelectedWindow();
    void deviceTreeDropsRemovedDevice();
};

void TstVideoPlayer::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform cannot size or raise real windows; nothing here depends on it.
    testsupport::allowWarning(QRegularExpression(QStringLiteral("^This plugin does not support")));
}

void TstVideoPlayer::cleanup()
{
    QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json")));
}

void TstVideoPlayer::gridCells_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("count");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("last");
    QTest::newRow("one") << QSize(400, 300) << 1 << QRect(0, 0, 400, 300) << QRect(0, 0, 400, 300);
    QTest::newRow("four") << QSize(402, 302) << 4 << QRect(0, 0, 200, 150)
                          << QRect(202, 152, 200, 150);
    QTest::newRow("nine") << QSize(304, 304) << 9 << QRect(0, 0, 100, 100)
                          << QRect(204, 204, 100, 100);
    QTest::newRow("three use a 2x2 grid")
            << QSize(402, 302) << 3 << QRect(0, 0, 200, 150) << QRect(0, 152, 200, 150);
}

void TstVideoPlayer::gridCells()
{
    QFETCH(QSize, area);
    QFETCH(int, count);
    QFETCH(QRect, first);
    QFETCH(QRect, last);
    const QVector<QRect> rects = VideoGridWidget::windowRects(area, count);
    QCOMPARE(rects.size(), count);
    QCOMPARE(rects.first(), first);
    QCOMPARE(rects.last(), last);
}

void TstVideoPlayer::gridCellsDoNotOverlap()
{
    const QSize area(997, 611);
    const QVector<QRect> rects = VideoGridWidget::windowRects(area, 16);
    for (int i = 0; i < rects.size(); ++i) {
        QVERIFY(QRect(QPoint(0, 0), area).contains(rects.at(i)));
        for (int j = i + 1; j < rects.size(); ++j)
            QVERIFY(!rects.at(i).intersects(rects.at(j)));
    }
    QVERIFY(VideoGridWidget::windowRects(area, 0).isEmpty());
    QVERIFY(VideoGridWidget::windowRects(QSize(0, 0), 4).isEmpty());
}

void TstVideoPlayer::windowCountForMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("windows");
    QTest::newRow("default") << 0 << 4;
    QTest::newRow("single") << 1 << 1;
    QTest::newRow("quad") << 2 << 4;
    QTest::newRow("nine") << 3 << 9;
    QTest::newRow("sixteen") << 4 << 16;
    QTest::newRow("unknown") << 42 << 4;
}

void TstVideoPlayer::windowCountForMode()
{
    QFETCH(int, mode);
    QFETCH(int, windows);
    QCOMPARE(FormVideoPlayer::windowCountForMode(mode), windows);
}

void TstVideoPlayer::startPlayFillsFreeWindows()
{
    FormVideoPlayer player;
    emit player.startPlay(0, {1031, 1001}, false);
    QCOMPARE(player.playingChannels(), QVector<int>({1031, 1001, -99999, -99999}));
    // A channel already playing is not opened twice; unknown channels are skipped.
    emit player.startPlay(0, {1001, 424242, 1002}, false);
    QCOMPARE(player.playingChannels(), QVector<int>({1031, 1001, 1002, -99999}));
    QCOMPARE(HostTesting::videoGrid(&player)->windows().at(2).strName,
             QStringLiteral("Gate B Thermal"));
    emit player.stopPlay(QVector<int>{1001});
    QCOMPARE(player.playingChannels(), QVector<int>({1031, -99999, 1002, -99999}));
    emit player.changeStream(1, 1002, false);
    QCOMPARE(HostTesting::videoGrid(&player)->windows().at(2).nStreamId, 1);
}

void TstVideoPlayer::repaintTimerRunsOnlyWhilePlaying()
{
    FormVideoPlayer player;
    player.resize(640, 480);
    player.show();
    QVERIFY(!HostTesting::videoGrid(&player)->isAnimating());
    emit player.doubleClickedPlay(1001, false);
    QVERIFY(HostTesting::videoGrid(&player)->isAnimating());
    const quint64 frames = HostTesting::videoGrid(&player)->frameCount();
    QTRY_VERIFY(HostTesting::videoGrid(&player)->frameCount() > frames);
    player.releaseResource();
    QVERIFY(!HostTesting::videoGrid(&player)->isAnimating());
    QCOMPARE(player.playingChannels(), QVector<int>(4, -99999));
}

void TstVideoPlayer::restoresSavedLayout()
{
    FormVideoPlayer player;
    QSignalSpy changed(&player, &FormVideoPlayer::wndChanged);
    player.playLastLayoutList(3, {{0, 1031}, {8, 1041}, {9, 1001}, {1, 424242}});
    QCOMPARE(player.getCurLayoutMode(), 3);
    QCOMPARE(HostTesting::videoGrid(&player)->windowCount(), 9);
    QVERIFY(changed.count() >= 1);
    const QVector<QPair<int, int>> expected{{0, 1031}, {8, 1041}};
    QCOMPARE(player.getCurrLayoutList(), expected);

    player.playLastLayoutList(0, {});
    QCOMPARE(HostTesting::videoGrid(&player)->windowCount(), 4);
    QVERIFY(player.getCurrLayoutList().isEmpty());
}

void TstVideoPlayer::stopByDeviceUidStopsItsChannels()
{
    FormVideoPlayer player;
    emit player.startPlay(0, {1031, 1001, 1033}, false);
    emit player.stopPlay(QStringLiteral("NVR-NORTH"));
    QCOMPARE(player.playingChannels(), QVector<int>({-99999, 1001, -99999, -99999}));
    emit player.stopPlay(QStringLiteral("TC-GATE-A_1"));
    QCOMPARE(player.playingChannels(), QVector<int>(4, -99999));
}

void TstVideoPlayer::doubleClickPlaysInSelectedWindow()
{
    FormVideoPlayer player;
    HostTesting::videoGrid(&player)->setSelectedIndex(2);
    emit player.doubleClickedPlay(1041, false);
    QCOMPARE(player.playingChannels().at(2), 1041);
    QCOMPARE(HostTesting::videoGrid(&player)->selectedIndex(), 3);
    emit player.doubleClickedPlay(1041, false); // already playing: only selected
    QCOMPARE(HostTesting::videoGrid(&player)->selectedIndex(), 2);
    QCOMPARE(player.playingChannels().count(1041), 1);
}

void TstVideoPlayer::clickSelectsWindowAndReportsChannel()
{
    FormVideoPlayer player;
    player.resize(642, 532);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    emit player.startPlay(0, {1001, 1002}, false);
    QSignalSpy selected(&player, &FormVideoPlayer::winSelected);
    VideoGridWidget *grid = HostTesting::videoGrid(&player);
    const QVector<QRect> rects = VideoGridWidget::windowRects(grid->size(), grid->windowCount());
    QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(1).center());
    QCOMPARE(grid->selectedIndex(), 1);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("TC-GATE-B_1"));
    QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(3).center());
    QCOMPARE(selected.last().at(0).toString(), QString()); // empty window

    player.disableScreenSignalSlots(true);
    QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(0).center());
    QCOMPARE(selected.count(), 2);
    QCOMPARE(grid->selectedIndex(), 0);
}

void TstVideoPlayer::fullScreenToggles()
{
    FormVideoPlayer player;
    QSignalSpy full(&player, &FormVideoPlayer::fullScreen);
    player.slot_fullScreen();
    player.slot_fullScreen();
    QCOMPARE(full.count(), 2);
    QCOMPARE(full.at(0).at(0).toBool(), true);
    QCOMPARE(full.at(1).at(0).toBool(), false);
    QVERIFY(!player.isFullScreen());
}

void TstVideoPlayer::playerSwitches()
{
    FormVideoPlayer player;
    player.setFunctionId(46);
    player.hideSaveButton();
    QCOMPARE(player.functionId(), 46);
    QVERIFY(player.isSaveButtonHidden());
    player.setLayoutBtnVisiable(false);
    QVERIFY(!player.isLayoutBtnVisible());
    player.disableSendMousePos(true);
    QVERIFY(player.isSendMousePosDisabled());
    QCOMPARE(player.getPicInPicModel(), 0);
    player.openPicInPic(true);
    player.setPicInPicPos({QStringLiteral("0.7,0.7,0.3,0.3")});
    QCOMPARE(player.getPicInPicModel(), 1);
    QCOMPARE(player.getPicInPicPos(), QVector<QString>({"0.7,0.7,0.3,0.3"}));
    emit player.sig_openIOOutput(3);
    QCOMPARE(player.lastIOOutput(), 3);
    QCOMPARE(player.getPlayerWidget(), static_cast<QWidget *>(HostTesting::videoGrid(&player)));
}

void TstVideoPlayer::pictureFlowIsCreatedOnce()
{
    FormVideoPlayer player;
    PictureFlow *flow = player.createPictureFlow();
    QVERIFY(flow);
    QCOMPARE(player.createPictureFlow(), flow);
    QVERIFY(flow->isWindow());
    QVERIFY(!flow->isVisible());

    FormVideoPlayer without;
    without.setPictureFlowAvailable(false);
    QVERIFY(!without.createPictureFlow());
}

void TstVideoPlayer::pictureFlowSlides()
{
    PictureFlow flow;
    flow.resize(800, 600);
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue = red;
    blue.fill(Qt::blue);
    flow.addSlide(red);
    flow.addSlide(blue);
    QCOMPARE(flow.slideCount(), 2);
    flow.setSlide(0, blue);
    flow.setSlide(5, red); // out of range: ignored
    QCOMPARE(flow.slide(0).pixel(0, 0), QColor(Qt::blue).rgb());
    QVERIFY(flow.slide(5).isNull());
    flow.setCenterIndex(1);
    QCOMPARE(flow.centerIndex(), 1);
    flow.showSlide(0);
    QVERIFY(flow.isVisible());
    QTRY_COMPARE(flow.position(), 0.0);
    flow.clear();
    QCOMPARE(flow.slideCount(), 0);
    QVERIFY(!flow.isVisible());
    flow.showSlide(0); // nothing to show: stays hidden
    QVERIFY(!flow.isVisible());
}

void TstVideoPlayer::pictureFlowGeometry()
{
    const QSize slide(330, 422);
    const QVector<QRectF> rects = PictureFlow::slideRects(QSize(1000, 600), 3, 1.0, slide, false);
    QCOMPARE(rects.size(), 3);
    QCOMPARE(rects.at(1), QRectF(335, 89, 330, 422));
    QVERIFY(rects.at(0).center().x() < rects.at(1).center().x());
    QVERIFY(rects.at(2).center().x() > rects.at(1).center().x());
    QCOMPARE(rects.at(0).width(), 330 * PictureFlow::SideScale);
    const QVector<QRectF> reversed = PictureFlow::slideRects(QSize(1000, 600), 3, 1.0, slide, true);
    QVERIFY(reversed.at(0).center().x() > reversed.at(1).center().x());
}

void TstVideoPlayer::deviceTreeListsThermalChannels()
{
    RealtimeTempDeviceWidget tree;
    QTreeWidget *view = tree.treeWidget();
    QCOMPARE(view->topLevelItemCount(), 5);
    QStringList channels;
    for (int d = 0; d < view->topLevelItemCount(); ++d) {
        for (int c = 0; c < view->topLevelItem(d)->childCount(); ++c)
            channels << view->topLevelItem(d)->child(c)->text(0);
    }
    QCOMPARE(channels,
             QStringList({"Gate A Thermal", "Gate B Thermal", "North Door Thermal",
                          "North Canteen Thermal", "South Door Thermal", "Warehouse Thermal"}));
    tree.setChannelFilterType(VornClient::ChannelFilterNone);
    tree.setShowDevicesType(VornClient::ShowAllDevices);
    QCOMPARE(view->topLevelItemCount(), 6);
}

void TstVideoPlayer::deviceTreeDoubleClickPlays()
{
    RealtimeTempDeviceWidget tree;
    tree.resize(300, 500);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QSignalSpy single(&tree, &DeviceWidget::doubleClickedPlay);
    QSignalSpy many(&tree, &DeviceWidget::startPlay);
    QTreeWidget *view = tree.treeWidget();

    QTreeWidgetItem *channel = tree.findChannelItem(QStringLiteral("NVR-NORTH_3"));
    QVERIFY(channel);
    const QPoint at = view->visualItemRect(channel).center();
    // Qt's item views take the double click from the press-release-press sequence.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(single.count(), 1);
    QCOMPARE(single.at(0).at(0).toInt(), 1033);

    QTreeWidgetItem *device = tree.findDeviceItem(QStringLiteral("NVR-NORTH"));
    const QPoint deviceAt = view->visualItemRect(device).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, deviceAt);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, deviceAt);
    QCOMPARE(many.count(), 1);
    QCOMPARE(many.at(0).at(0).toInt(), 0);
    QCOMPARE(many.at(0).at(1).value<QVector<int>>(), QVector<int>({1031, 1033}));
}

void TstVideoPlayer::deviceTreeContextActions()
{
    RealtimeTempDeviceWidget tree;
    QSignalSpy play(&tree, &DeviceWidget::startPlay);
    QSignalSpy stopIds(&tree, QOverload<const QVector<int> &>::of(&DeviceWidget::stopPlay));
    QSignalSpy stopUid(&tree, QOverload<const QString &>::of(&DeviceWidget::stopPlay));
    QSignalSpy stream(&tree, &DeviceWidget::changeStream);
    QSignalSpy config(&tree, &DeviceWidget::clickDevConfig);
    QTreeWidgetItem *channel = tree.findChannelItem(QStringLiteral("TC-GATE-B_1"));
    QTreeWidgetItem *device = tree.findDeviceItem(QStringLiteral("NVR-SOUTH"));

    QVERIFY(tree.triggerAction(channel, QStringLiteral("play")));
    QCOMPARE(play.at(0).at(1).value<QVector<int>>(), QVector<int>({1002}));
    QVERIFY(tree.triggerAction(channel, QStringLiteral("stop")));
    QCOMPARE(stopIds.at(0).at(0).value<QVector<int>>(), QVector<int>({1002}));
    QVERIFY(tree.triggerAction(device, QStringLiteral("stop")));
    QCOMPARE(stopUid.at(0).at(0).toString(), QStringLiteral("NVR-SOUTH"));
    QVERIFY(tree.triggerAction(channel, QStringLiteral("sub")));
    QCOMPARE(stream.at(0).at(0).toInt(), 1);
    QCOMPARE(stream.at(0).at(1).toInt(), 1002);
    QVERIFY(tree.triggerAction(channel, QStringLiteral("config")));
    QCOMPARE(config.at(0).at(0).toInt(), 102);
    QCOMPARE(config.at(0).at(1).value<ParamMap>().value(QStringLiteral("channelUid")).toString(),
             QStringLiteral("TC-GATE-B_1"));
    QVERIFY(!tree.triggerAction(channel, QStringLiteral("explode")));
    QVERIFY(!tree.triggerAction(nullptr, QStringLiteral("play")));
}

void TstVideoPlayer::deviceTreeFollowsSelectedWindow()
{
    RealtimeTempDeviceWidget tree;
    FormVideoPlayer player;
    player.resize(642, 532);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    connect(&player, &FormVideoPlayer::winSelected, &tree, &DeviceWidget::slot_winSelected);
    emit player.startPlay(0, {1041}, false);
    const QVector<QRect> rects =
            VideoGridWidget::windowRects(HostTesting::videoGrid(&player)->size(),
                                         HostTesting::videoGrid(&player)->windowCount());
    QTest::mouseClick(HostTesting::videoGrid(&player), Qt::LeftButton, {}, rects.at(0).center());
    QVERIFY(tree.treeWidget()->currentItem());
    QCOMPARE(tree.treeWidget()->currentItem()->data(0, DeviceWidget::ItemUidRole).toString(),
             QStringLiteral("NVR-SOUTH_1"));
    tree.slot_winSelected(QStringLiteral("NVR-SOUTH_2")); // not a thermal channel: not listed
    QVERIFY(!tree.treeWidget()->currentItem());
}

void TstVideoPlayer::deviceTreeDropsRemovedDevice()
{
    RealtimeTempDeviceWidget tree;
    QVERIFY(tree.findDeviceItem(QStringLiteral("TC-GATE-A")));
    QVERIFY(HostTesting::removeDevice(101));
    QTRY_VERIFY(!tree.findDeviceItem(QStringLiteral("TC-GATE-A")));
    QCOMPARE(tree.treeWidget()->topLevelItemCount(), 4);
}

FEVER_TEST_MAIN(TstVideoPlayer)
#include "tst_videoplayer.moc"
