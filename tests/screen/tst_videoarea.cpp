#include "SnapBuilder.h"
#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "NoshowVideoWidget.h"
#include "PictureFlowSlide.h"
#include "StrategyDefaults.h"

#include "AppLanguageTr.h"
#include "BaseHelper.h"
#include "FormPlayer.h"
#include "FormVideoPlayer.h"
#include "PictureFlow.h"
#include "QssFormatHelper.h"
#include "VornClient.h"

#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <memory>

using snaptest::SnapBuilder;

namespace {

ST_MSGVoiceBroadcastStrategy videoStrategy(int windowId, int displayMode, int cardSize)
{
    ST_MSGVoiceBroadcastStrategy strategy = StrategyDefaults::strangerStrategy(windowId + 1);
    strategy.set_display_mode(displayMode);
    strategy.set_card_size(cardSize);
    strategy.set_thermometry_mode(1);
    return strategy;
}

QImage filled(QRgb colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

FormVideoPlayer *playerOf(QWidget *screen)
{
    return screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
}

} // namespace

// The video area of the screen: restoring the saved layout once, full screen, the placeholder
// and the snapshot slides over the video.
class TestVideoArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(QRegularExpression("does not support propagateSizeHints"));
    }

    void cleanup()
    {
        testsupport::settle();
        testsupport::flushDeferredDeletes();
    }

    void slideStylePerState_data()
    {
        QTest::addColumn<bool>("measured");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("border");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QString>("themeKey");
        QTest::newRow("normal") << true << 0 << "card_temp_bg"
                                << "card_border"
                                << QssFormatHelper::findColorByKey("$word_normaltemp")
                                << "$word_normaltemp";
        QTest::newRow("over") << true << 1 << "card_temp_alarm_bg"
                              << "card_alarm_border" << QColor(210, 74, 74) << "$word_overtemp";
        QTest::newRow("abnormal 2")
                << true << 2 << "card_temp_alarm_bg"
                << "card_alarm_border" << QColor(210, 74, 74) << "$word_anormaltemp";
        QTest::newRow("abnormal 3")
                << true << 3 << "card_temp_unnsual_bg"
                << "card_temp_unnsual_border" << QColor(231, 122, 56) << "$word_anormaltemp";
        QTest::newRow("unmeasured over") << false << 1 << "card_bg"
                                         << "card_alarm_border" << QColor(25, 246, 255) << "";
    }

    void slideStylePerState()
    {
        QFETCH(bool, measured);
        QFETCH(int, state);
        QFETCH(QString, background);
        QFETCH(QString, border);
        QFETCH(QColor, text);
        QFETCH(QString, themeKey);
        const PictureFlowSlide::Style style = PictureFlowSlide::style(measured, state);
        QCOMPARE(style.background, ":/images/home/charts/ai/" + background + ".png");
        QCOMPARE(style.border, ":/images/home/charts/ai/" + border + ".png");
        QCOMPARE(style.textColour, text);
        QCOMPARE(style.stateColour,
                 themeKey.isEmpty() ? text : QssFormatHelper::findColorByKey(themeKey));

        const QImage slide =
                PictureFlowSlide::paint({"N", "G", "T", "D"}, style, filled(0xff102030), true);
        QCOMPARE(slide.text("bordeImage"), style.border);
        QCOMPARE(slide.size(), QSize(472, 603)); // the border picture's size
        // The card sits 23 pixels in; its face at (83, 31) within it, under the 8-pixel frame.
        QCOMPARE(slide.pixelColor(23 + 83 + 129, 23 + 31 + 150), QColor(0x10, 0x20, 0x30));
        QCOMPARE(slide.pixelColor(23 + 83 + 129, 23 + 31), style.stateColour);
    }

    void slideTexts()
    {
        ST_MSGVoiceBroadcastStrategy strategy = videoStrategy(0, 1, 3);
        strategy.set_show_archive(2);
        strategy.set_stranger_show_name("");
        QCOMPARE(PictureFlowSlide::nameText(501, "Alice", &strategy), QStringLiteral("..."));
        QCOMPARE(PictureFlowSlide::nameText(FeverValues::NoValue, "", &strategy),
                 AppLanguageTr::translate("TK_Stranger"));
        QCOMPARE(PictureFlowSlide::temperatureText(false, 36.5, "2026-12-07 08:15:42"),
                 QStringLiteral("08:15:42"));
        QCOMPARE(PictureFlowSlide::temperatureText(true, -1.0, "x"), QStringLiteral("..."));

        // Through the host: the group under its parent, the device by channel, the verdict on
        // framed faces.
        strategy.set_thermometry_result(3);
        strategy.set_image_display_mode(2);
        const PictureFlowSlide::Texts texts = PictureFlowSlide::textsOf(
                SnapBuilder().registered(501, "Alice", 2).state(1).record(), &strategy);
        QCOMPARE(texts.group, QStringLiteral("Staff/Engineering"));
        QCOMPARE(texts.device, VornClient::instance()->getDevNameByChannelUID("TC-GATE-A_1"));
        QCOMPARE(texts.temperature, AppLanguageTr::translate("TK_OverTemperature"));
    }

    // The carousel keeps the five newest; a sixth drops the oldest (the last slide), which a
    // plain append or a front insertion without the shift would not.
    void sixthSlideDropsTheOldest()
    {
        PictureFlow flow;
        for (int i = 1; i <= 6; ++i)
            PictureFlowSlide::insert(&flow, filled(qRgb(i, 0, 0)));
        QCOMPARE(flow.slideCount(), PictureFlowSlide::MaxSlides);
        QList<int> order;
        for (int i = 0; i < flow.slideCount(); ++i)
            order << qRed(flow.slide(i).pixel(0, 0));
        QCOMPARE(order, (QList<int>{6, 1, 2, 3, 4}));
    }

    void liveSnapshotsBecomeSlides()
    {
        auto screen = makeScreen(videoStrategy(nextWindow(), 1, 2));
        PictureFlow *flow = playerOf(screen.get())->createPictureFlow();
        QCOMPARE(flow->slideSize(), QSize(378, 483)); // by card size; 4 and others leave it
        QVERIFY(!PictureFlowSlide::slideSizeForCard(4).isValid());
        QRect area = screen->screen()->geometry();
        area.setHeight(area.height() - 150);
        area.moveTop(50);
        QCOMPARE(flow->geometry(), area);
        for (int i = 0; i < 6; ++i)
            emit VornClient::instance()->signalCompareNotifyReceived(
                    SnapBuilder().onPlatform().registered(501 + i % 4).state(i % 2).list());
        testsupport::settle();
        QTRY_COMPARE(flow->slideCount(), 5);
        QTRY_VERIFY(flow->isVisible()); // shown by the 200 ms slide timer
        const auto timers = screen->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(std::any_of(timers.begin(), timers.end(), [](const QTimer *timer) {
            return timer->interval() == PictureFlowSlide::ClearDelayMs && timer->isActive();
        }));
        QMetaObject::invokeMethod(screen.get(), "slot_clearPictrueFlow");
        QCOMPARE(flow->slideCount(), 0);
        QVERIFY(!flow->isVisible());
    }

    void withoutPictureFlowSlidesAreSkipped()
    {
        const int windowId = nextWindow();
        QVERIFY(testsupport::prepareWindow(windowId, {videoStrategy(windowId, 1, 1)},
                                           {"TC-GATE-A_1"}));
        auto screen = std::make_unique<EpidemicPreview>();
        screen->setProperty("priviewWinId", windowId);
        playerOf(screen.get())->setPictureFlowAvailable(false);
        screen->show();
        emit VornClient::instance()->signalCompareNotifyReceived(
                SnapBuilder().onPlatform().registered(501).list());
        testsupport::settle();
        QTRY_COMPARE(testsupport::cardStrip(screen.get())->cardCount(), 1);
        QVERIFY(!playerOf(screen.get())->findChild<PictureFlow *>());
    }

    void customPictureModeShowsThePlaceholder()
    {
        ST_MSGVoiceBroadcastStrategy strategy = videoStrategy(nextWindow(), 1, 1);
        strategy.set_image_display_mode(2);
        strategy.set_screen_content_mode(1);
        strategy.set_thermometry_result(1);
        auto screen = makeScreen(strategy);
        auto *placeholder = screen->findChild<NoshowVideoWidget *>();
        QVERIFY(placeholder && placeholder->isVisible());
        QCOMPARE(placeholder->parentWidget(), playerOf(screen.get())->getPlayerWidget());
        QVERIFY(!playerOf(screen.get())->isLayoutBtnVisible());
        emit VornClient::instance()->signalCompareNotifyReceived(
                SnapBuilder().onPlatform().registered(501).state(1).temperature(38.4).list());
        testsupport::settle();
        QTRY_VERIFY(placeholder->temperatureText().startsWith("38.4"));
        QCOMPARE(placeholder->stateColour(), QssFormatHelper::findColorByKey("$word_overtemp"));
        QCOMPARE(playerOf(screen.get())->createPictureFlow()->slideCount(), 0);
    }

    void savedLayoutIsRestoredOnce()
    {
        const int windowId = nextWindow();
        PREVIEWCONFIGPARAM saved;
        saved.strLayoutId = "7";
        saved.strLayoutMode = "3";
        saved.vecLayoutList = {{0, 1001}, {4, 1002}};
        saved.nPicInPic = 1;
        saved.vecPicInPicPos = {"0.1,0.1,0.3,0.3"};
        QVERIFY(BaseHelper::instance()->setEpidemicPreviewConfigParam(windowId, saved));
        {
            auto screen = makeScreen(videoStrategy(windowId, 1, 3));
            FormVideoPlayer *player = playerOf(screen.get());
            QCOMPARE(player->getCurLayoutMode(), 3);
            QCOMPARE(player->getCurrLayoutList(), saved.vecLayoutList);
            QCOMPARE(player->getPicInPicPos(), saved.vecPicInPicPos);
            const PREVIEWCONFIGPARAM reset =
                    BaseHelper::instance()->getEpidemicPreviewConfigParam(windowId);
            QVERIFY(reset.strLayoutId.isEmpty() && reset.strLayoutMode.isEmpty());
            QCOMPARE(reset.nPicInPic, 0);
            screen->releaseResource();
        }
        auto again = makeScreen(videoStrategy(windowId, 1, 3), false);
        QCOMPARE(playerOf(again.get())->getCurLayoutMode(), 0);
        QVERIFY(playerOf(again.get())->getCurrLayoutList().isEmpty());
    }

    // Display mode 1: the player goes full screen by itself; only the placeholder follows.
    void fullScreenInDisplayModeOneResizesOnlyThePlaceholder()
    {
        auto screen = makeScreen(videoStrategy(nextWindow(), 1, 3));
        QWidget *main = screen->findChild<QWidget *>("widgetMain");
        auto *placeholder = screen->findChild<NoshowVideoWidget *>();
        emit playerOf(screen.get())->fullScreen(true);
        QVERIFY(!main->isWindow());
        QTRY_COMPARE(placeholder->geometry(), screen->screen()->geometry());
        QVERIFY(!main->isWindow());
    }

    void fullScreenDetachesAndRestoresTheGeometry()
    {
        auto screen = makeScreen(videoStrategy(nextWindow(), 2, 3));
        screen->setGeometry(40, 30, 1157, 603);
        QWidget *main = screen->findChild<QWidget *>("widgetMain");
        QTRY_COMPARE(main->geometry(), QRect(0, 0, 1157, 603));
        emit playerOf(screen.get())->fullScreen(true);
        QVERIFY(main->isWindow());
        QVERIFY(main->windowFlags() & Qt::FramelessWindowHint);
        // On the monitor, as large as it and the window's minimum size allow.
        QCOMPARE(main->geometry().topLeft(), screen->screen()->geometry().topLeft());
        QCOMPARE(main->height(), screen->screen()->geometry().height());
        emit playerOf(screen.get())->fullScreen(false);
        QVERIFY(!main->isWindow());
        QCOMPARE(main->parentWidget(), screen.get());
        QCOMPARE(screen->geometry(), QRect(40, 30, 1157, 603));
        QTRY_COMPARE(main->geometry(), QRect(0, 0, 1157, 603));
    }

private:
    int nextWindow() { return m_nNextWindow++; }

    std::unique_ptr<EpidemicPreview> makeScreen(ST_MSGVoiceBroadcastStrategy strategy,
                                                bool store = true)
    {
        const int windowId = strategy.get_window_id() - 1;
        if (store && !testsupport::prepareWindow(windowId, {strategy}, {"TC-GATE-A_1"}))
            qFatal("window %d not stored", windowId);
        auto screen = testsupport::showScreen<EpidemicPreview>(windowId, false);
        if (!QTest::qWaitForWindowExposed(screen.get()))
            qFatal("screen not exposed");
        return screen;
    }

    int m_nNextWindow = 40;
};

FEVER_TEST_MAIN(TestVideoArea)
#include "tst_videoarea.moc"
