#include "TestSupport.h"

#include "HostTesting.h"

#include "FormVideoPlayer.h"
#include "RealtimeTempDeviceWidget.h"
#include "VideoGridWidget.h"
#include "VornClient.h"

#include <QTreeWidget>

// The host's video player and device tree as the screen wires them: what plays where, the
// saved layout, selection and full screen, and the signals the tree sends.
class TstVideoPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void cleanup()
    {
        QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json")));
    }

    void playAndStopByChannelAndDevice()
    {
        FormVideoPlayer player;
        emit player.startPlay(0, {1031, 1001}, false);
        QCOMPARE(player.playingChannels(), QVector<int>({1031, 1001, -99999, -99999}));
        // A channel already playing is not opened twice; unknown channels are skipped.
        emit player.startPlay(0, {1001, 424242, 1002}, false);
        QCOMPARE(player.playingChannels(), QVector<int>({1031, 1001, 1002, -99999}));
        QCOMPARE(HostTesting::videoGrid(&player)->windows().at(2).strName,
                 QStringLiteral("Gate B Thermal"));
        emit player.changeStream(1, 1002, false);
        QCOMPARE(HostTesting::videoGrid(&player)->windows().at(2).nStreamId, 1);
        emit player.stopPlay(QVector<int>{1001});
        QCOMPARE(player.playingChannels(), QVector<int>({1031, -99999, 1002, -99999}));
        emit player.stopPlay(QStringLiteral("NVR-NORTH")); // a device stops all its channels
        QCOMPARE(player.playingChannels(), QVector<int>({-99999, -99999, 1002, -99999}));
        emit player.stopPlay(QStringLiteral("TC-GATE-B_1"));
        QCOMPARE(player.playingChannels(), QVector<int>(4, -99999));

        emit player.doubleClickedPlay(1001, false);
        QVERIFY(HostTesting::videoGrid(&player)->isAnimating());
        player.releaseResource();
        QVERIFY(!HostTesting::videoGrid(&player)->isAnimating());
        QCOMPARE(player.playingChannels(), QVector<int>(4, -99999));
    }

    // The screen saves the layout and the picture-in-picture state the player reports.
    void reportsLayoutForSaving()
    {
        FormVideoPlayer player;
        player.playLastLayoutList(3, {{0, 1031}, {8, 1041}, {9, 1001}, {1, 424242}});
        QCOMPARE(player.getCurLayoutMode(), 3);
        QCOMPARE(HostTesting::videoGrid(&player)->windowCount(), 9);
        // Windows beyond the layout and unknown channels are left out.
        QCOMPARE(player.getCurrLayoutList(), (QVector<QPair<int, int>>{{0, 1031}, {8, 1041}}));

        QCOMPARE(player.getPicInPicModel(), 0);
        player.openPicInPic(true);
        player.setPicInPicPos({QStringLiteral("0.7,0.7,0.3,0.3")});
        QCOMPARE(player.getPicInPicModel(), 1);
        QCOMPARE(player.getPicInPicPos(), QVector<QString>({"0.7,0.7,0.3,0.3"}));
    }

    void clickSelectsWindowAndReportsChannel()
    {
        FormVideoPlayer player;
        player.resize(642, 532);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        emit player.startPlay(0, {1001, 1002}, false);
        QSignalSpy selected(&player, &FormVideoPlayer::winSelected);
        VideoGridWidget *grid = HostTesting::videoGrid(&player);
        const QVector<QRect> rects =
                VideoGridWidget::windowRects(grid->size(), grid->windowCount());
        QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(1).center());
        QCOMPARE(grid->selectedIndex(), 1);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("TC-GATE-B_1"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(3).center());
        QCOMPARE(selected.last().at(0).toString(), QString()); // empty window
    }

    void fullScreenToggles()
    {
        // The screen follows the flag of each toggle.
        FormVideoPlayer player;
        QSignalSpy full(&player, &FormVideoPlayer::fullScreen);
        player.slot_fullScreen();
        player.slot_fullScreen();
        QCOMPARE(full.count(), 2);
        QCOMPARE(full.at(0).at(0).toBool(), true);
        QCOMPARE(full.at(1).at(0).toBool(), false);
    }

    void deviceTreeListsThermalChannels()
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

    void deviceTreeFollowsSelectedWindow()
    {
        // The screen connects the player's winSelected to this slot.
        RealtimeTempDeviceWidget tree;
        tree.slot_winSelected(QStringLiteral("NVR-SOUTH_1"));
        QVERIFY(tree.treeWidget()->currentItem());
        QCOMPARE(tree.treeWidget()->currentItem()->data(0, DeviceWidget::ItemUidRole).toString(),
                 QStringLiteral("NVR-SOUTH_1"));
        tree.slot_winSelected(QStringLiteral("NVR-SOUTH_2")); // not a thermal channel: not listed
        QVERIFY(!tree.treeWidget()->currentItem());
    }
};

FEVER_TEST_MAIN(TstVideoPlayer)
#include "tst_videoplayer.moc"
