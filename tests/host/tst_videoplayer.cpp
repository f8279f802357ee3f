#include "TestSupport.h"

#include "HostTesting.h"

#include "BaseHelper.h"
#include "FormPlayer.h"
#include "FormVideoPlayer.h"
#include "PictureFlow.h"
#include "RealtimeTempDeviceWidget.h"
#include "StreamTile.h"
#include "VornClient.h"

#include <QPushButton>
#include <QTreeWidget>

// The host's video player and device tree as the screen wires them: what plays where, live
// frames and failing streams, the saved layout, selection and enlarging, and the signals the
// tree sends.
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

    void clickSelectsEnlargesAndCloses()
    {
        FormVideoPlayer player;
        player.resize(642, 532);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        emit player.startPlay(0, {1001, 1002}, false);
        QSignalSpy selected(&player, &FormVideoPlayer::winSelected);
        FormPlayer *grid = HostTesting::videoGrid(&player);
        const QVector<QRect> rects = FormPlayer::windowRects(grid->size(), grid->windowCount());
        QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(1).center());
        QCOMPARE(grid->selectedIndex(), 1);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("TC-GATE-B_1"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, rects.at(3).center());
        QCOMPARE(selected.last().at(0).toString(), QString()); // empty window

        QSignalSpy doubled(&player, &FormVideoPlayer::doubleclicked);
        QSignalSpy closed(&player, &FormVideoPlayer::close);
        QSignalSpy modes(&player, &FormVideoPlayer::sigSelectedLayoutMode);
        QTest::mouseDClick(grid, Qt::LeftButton, {}, rects.at(1).center());
        QCOMPARE(grid->bigIndex(), 1);
        QCOMPARE(doubled.count(), 1);
        QCOMPARE(grid->windowAt(rects.at(0).center()), 1); // the whole area is window 1
        grid->closeWindow(1);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(player.playingChannels(), QVector<int>({1001, -99999, -99999, -99999}));
        player.playLastLayoutList(1, {});
        QCOMPARE(modes.count(), 1);
    }

    void clipPlaysAndBrokenTileSaysWhy()
    {
        if (!QFileInfo::exists(StreamTile::clipFolder() + "/gate-a-thermal.ogg"))
            QSKIP("no generated clips (gst-launch-1.0 missing at build time)");
        FormPlayer grid;
        grid.resize(640, 480);
        FormPlayer::Window good;
        good.nChannelId = 1001;
        good.strName = QStringLiteral("Gate A Thermal");
        good.strStream = QStringLiteral("gate-a-thermal.ogg");
        FormPlayer::Window broken = good;
        broken.nChannelId = 1002;
        broken.strName = QStringLiteral("Gate B Thermal");
        broken.strStream = QStringLiteral("ftp://example.org/live");
        FormPlayer::Window missing = broken;
        missing.nChannelId = 1003;
        missing.strStream = QStringLiteral("no-such-clip.ogg");
        grid.setWindow(0, broken);
        grid.setWindow(1, missing);
        grid.setWindow(2, good);
        QCOMPARE(grid.messageOf(0), QStringLiteral("Gate B Thermal: unsupported stream address"));
        QVERIFY2(grid.messageOf(1).startsWith("Gate B Thermal: clip file not found"),
                 qPrintable(grid.messageOf(1)));

        // Frames arrive without a window on screen (offscreen platform), and keep coming.
        QTRY_VERIFY_WITH_TIMEOUT(grid.frameCountOf(2) > 5, 15000);
        QCOMPARE(grid.frameOf(2).size(), QSize(320, 240));
        QVERIFY(grid.frameOf(0).isNull() && grid.frameOf(1).isNull());
        const quint64 seen = grid.frameCountOf(2);
        QTRY_VERIFY_WITH_TIMEOUT(grid.frameCountOf(2) > seen + 10, 5000);

        grid.setWindow(2, FormPlayer::Window());
        QVERIFY(grid.frameOf(2).isNull());
    }

    void streamAddressesAndRetryDelay_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("url");
        const auto row = [](const char *tag, const char *stream, const char *url) {
            QTest::newRow(tag) << QString(stream) << QString(url);
        };
        row("clip", "a.ogg", "file:///clips/a.ogg");
        row("absolute", "/media/b.ogg", "file:///media/b.ogg");
        row("rtsp", "rtsp://10.0.0.2:554/live", "rtsp://10.0.0.2:554/live");
        row("leaves folder", "../secret.ogg", "");
        row("unknown scheme", "ftp://host/x", "");
        row("no host", "rtsp:///live", "");
        row("empty", "  ", "");
    }

    void streamAddressesAndRetryDelay()
    {
        QFETCH(QString, stream);
        QFETCH(QString, url);
        QString why;
        const QUrl resolved = StreamTile::resolveStream(stream, QStringLiteral("/clips"), &why);
        QCOMPARE(resolved.toString(), url);
        QCOMPARE(why.isEmpty(), !url.isEmpty());

        QCOMPARE(StreamTile::nextRetryDelay(StreamTile::FirstRetryMs), 2000);
        QCOMPARE(StreamTile::nextRetryDelay(16000), StreamTile::MaxRetryMs); // 32 s is capped
    }

    // Only what the user does is stored: a replayed layout must not overwrite the record the
    // screen has just reset, or a saved layout would come back at every start.
    void storesLayoutOnUserChangesOnly()
    {
        QWidget screen;
        screen.setProperty("priviewWinId", 6);
        auto *player = new FormVideoPlayer(&screen);
        BaseHelper::instance()->setEpidemicPreviewConfigParam(6, PREVIEWCONFIGPARAM());
        player->playLastLayoutList(3, {{0, 1031}, {8, 1041}, {9, 1001}, {1, 424242}});
        QCOMPARE(BaseHelper::instance()->getEpidemicPreviewConfigParam(6), PREVIEWCONFIGPARAM());
        // Windows beyond the layout and unknown channels are left out.
        QCOMPARE(player->getCurrLayoutList(), (QVector<QPair<int, int>>{{0, 1031}, {8, 1041}}));

        emit player->startPlay(0, {1002}, false);
        PREVIEWCONFIGPARAM stored = BaseHelper::instance()->getEpidemicPreviewConfigParam(6);
        QVERIFY(!stored.strLayoutId.isEmpty());
        QCOMPARE(stored.strLayoutMode, QStringLiteral("3"));
        QCOMPARE(stored.vecLayoutList, (QVector<QPair<int, int>>{{0, 1031}, {1, 1002}, {8, 1041}}));

        player->openPicInPic(true);
        player->setPicInPicPos({QStringLiteral("0.7,0.7,0.3,0.3")});
        player->findChild<QPushButton *>(QStringLiteral("pushButtonLayout2"))->click();
        stored = BaseHelper::instance()->getEpidemicPreviewConfigParam(6);
        QCOMPARE(stored.strLayoutMode, QStringLiteral("2"));
        QCOMPARE(stored.nPicInPic, 1);
        QCOMPARE(stored.vecPicInPicPos, QVector<QString>({"0.7,0.7,0.3,0.3"}));
    }

    // The carousel lies over the video as a child: the parent's pixels show around the slides,
    // slides fit the part of it the parent shows, and showing one slides it to the centre.
    void carouselOverVideoIsTransparentAroundSlides()
    {
        QWidget parent;
        parent.resize(800, 600);
        parent.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(0, 255, 0));
        parent.setPalette(palette);
        auto *flow = new PictureFlow(&parent);
        flow->setReflectionEffect(PictureFlow::NoReflection);
        flow->setSlideSize(QSize(472, 603));
        flow->setGeometry(-100, 50, 1920, 930); // larger than the parent, as from a monitor
        QCOMPARE(flow->visibleArea(), QRect(100, 0, 800, 550));
        QCOMPARE(PictureFlow::fittedSlideSize(QSize(472, 603), QSize(800, 550)), QSize(387, 495));
        QImage red(100, 100, QImage::Format_RGB32);
        red.fill(Qt::red);
        flow->addSlide(red);
        flow->addSlide(red);
        flow->setCenterIndex(0);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        flow->showSlide(1);
        QVERIFY(flow->isVisible());
        QTRY_COMPARE(flow->position(), 1.0);
        const QImage shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(400, 325), QColor(Qt::red));  // centre of the visible part
        QCOMPARE(shot.pixelColor(400, 60), QColor(0, 255, 0)); // above the slides, inside the flow
        flow->clear();
        QVERIFY(!flow->isVisible());
        QCOMPARE(flow->slideCount(), 0);
    }

    void deviceTreeListsThermalChannelsAndFollowsTheWindow()
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

        // The screen connects the player's winSelected to this slot.
        tree.slot_winSelected(QStringLiteral("NVR-SOUTH_1"));
        QVERIFY(view->currentItem());
        QCOMPARE(view->currentItem()->data(0, DeviceWidget::ItemUidRole).toString(),
                 QStringLiteral("NVR-SOUTH_1"));
        tree.slot_winSelected(QStringLiteral("NVR-SOUTH_2")); // not a thermal channel: not listed
        QVERIFY(!view->currentItem());

        tree.setChannelFilterType(VornClient::ChannelFilterNone);
        tree.setShowDevicesType(VornClient::ShowAllDevices);
        QCOMPARE(view->topLevelItemCount(), 6);
    }
};

FEVER_TEST_MAIN(TstVideoPlayer)
#include "tst_videoplayer.moc"
