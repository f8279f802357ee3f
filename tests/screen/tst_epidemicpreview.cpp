#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "OverTempSnapWidget.h"
#include "WindowKey.h"

#include "AppConfigHelper.h"
#include "FormVideoPlayer.h"
#include "HostTesting.h"
#include "RealtimeTempDeviceWidget.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

namespace {

// Connections to the client's signals. QObject::receivers() is protected; a pointer to it taken
// through a subclass is callable on any object.
struct ClientConnections : QObject
{
    static int count(const char *signal)
    {
        int (QObject::*receivers)(const char *) const = &ClientConnections::receivers;
        return (VornClient::instance()->*receivers)(signal);
    }
};

const char *const LiveSignal = SIGNAL(signalCompareNotifyReceived(OrvaneCompareNotifyMessageList));
const char *const NvrSignal =
        SIGNAL(signalAiNvrCompareNotifyReceived(OrvaneCompareNotifyMessageList));
const char *const AlarmSignal = SIGNAL(signalProcessOverTemperatureAlarm(std::vector<int>));
const char *const OrgaSignal = SIGNAL(signalOrgaInfoChanged(OrvaneOrga, OrvaneOperatorType));

// Exposes the base's hidden-state flag.
class ProbeScreen : public EpidemicPreview
{
public:
    using EpidemicPreview::EpidemicPreview;
    bool firstFlag() const { return m_bFirstFlag; }
};

QPushButton *sideBarButton(QWidget *screen, const char *sideBar)
{
    QWidget *bar = screen->findChild<QWidget *>(QString::fromLatin1(sideBar));
    return bar ? bar->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

int activeClearTimers(QObject *screen)
{
    int count = 0;
    const auto timers = screen->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    for (QTimer *timer : timers) {
        if (timer->isActive() && timer->interval() == 500)
            ++count;
    }
    return count;
}

void showAndWait(QWidget *widget)
{
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
}

// Restores the OEM record a case changed.
struct OemScope
{
    explicit OemScope(bool collapsible)
        : saved(AppConfigHelper::instance()->getOEMConfig())
    {
        AppConfigOEM oem = saved;
        oem.bCollapsibleSnapPanel = collapsible;
        AppConfigHelper::instance()->setOEMConfig(oem);
    }
    ~OemScope() { AppConfigHelper::instance()->setOEMConfig(saved); }
    AppConfigOEM saved;
};

} // namespace

class TestEpidemicPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        // The offscreen platform cannot pass a top-level window's changed size limits on.
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    }

    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void deviceTreeRequestsReachThePlayer()
    {
        EpidemicPreview screen;
        auto *device = screen.findChild<RealtimeTempDeviceWidget *>(QStringLiteral("pageDevice"));
        auto *player = screen.findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
        QVERIFY(device && player);
        QCOMPARE(player->functionId(), 46);
        QVERIFY(player->isSaveButtonHidden());
        QCOMPARE(device->showDevicesType(), 12);
        QCOMPARE(device->channelFilterType(), 5);

        QSignalSpy changeStream(player, &FormVideoPlayer::changeStream);
        QSignalSpy startPlay(player, &FormVideoPlayer::startPlay);
        QSignalSpy doubleClicked(player, &FormVideoPlayer::doubleClickedPlay);
        QSignalSpy stopChannels(player,
                                qOverload<const QVector<int> &>(&FormVideoPlayer::stopPlay));
        QSignalSpy stopUid(player, qOverload<const QString &>(&FormVideoPlayer::stopPlay));

        emit device->changeStream(1, 7);
        emit device->startPlay(0, QVector<int>{3, 4});
        emit device->doubleClickedPlay(5);
        emit device->stopPlay(QVector<int>{3});
        emit device->stopPlay(QStringLiteral("dev-a_1"));

        // The screen's own requests always carry false as the third value.
        QCOMPARE(changeStream.count(), 1);
        QCOMPARE(changeStream.first(), (QList<QVariant>{1, 7, false}));
        QCOMPARE(startPlay.count(), 1);
        QCOMPARE(startPlay.first().at(1).value<QVector<int>>(), (QVector<int>{3, 4}));
        QCOMPARE(startPlay.first().at(2).toBool(), false);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.first(), (QList<QVariant>{5, false}));
        QCOMPARE(stopChannels.count(), 1);
        QCOMPARE(stopUid.count(), 1);
        QCOMPARE(stopUid.first().first().toString(), QStringLiteral("dev-a_1"));
    }

    void firstShowRunsOnceAndReleaseUndoesIt()
    {
        const int live = ClientConnections::count(LiveSignal);
        const int nvr = ClientConnections::count(NvrSignal);
        const int alarms = ClientConnections::count(AlarmSignal);
        const int orga = ClientConnections::count(OrgaSignal);
        ProbeScreen screen;
        // Construction connects the alarms only; live notifications wait for the first show.
        QCOMPARE(ClientConnections::count(LiveSignal), live);
        QCOMPARE(ClientConnections::count(AlarmSignal), alarms + 1);
        QCOMPARE(activeClearTimers(&screen), 0);
        showAndWait(&screen);
        QCOMPARE(ClientConnections::count(LiveSignal), live + 1);
        QCOMPARE(ClientConnections::count(NvrSignal), nvr + 1);
        QCOMPARE(activeClearTimers(&screen), 1);
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 1);

        screen.hide();
        QVERIFY(screen.firstFlag());
        showAndWait(&screen);
        screen.hide();
        showAndWait(&screen);

        // Regression guard: a second first-show would connect the notifications twice and
        // start a second clear timer; both counts stay at one above the baseline.
        QCOMPARE(ClientConnections::count(LiveSignal), live + 1);
        QCOMPARE(ClientConnections::count(NvrSignal), nvr + 1);
        QCOMPARE(activeClearTimers(&screen), 1);
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 1);

        SpeechHelper::instance()->addSpeech(QStringLiteral("queued before release"), &screen);
        screen.releaseResource();
        QCOMPARE(ClientConnections::count(LiveSignal), live);
        QCOMPARE(ClientConnections::count(NvrSignal), nvr);
        QCOMPARE(ClientConnections::count(AlarmSignal), alarms);
        // Organisation and device changes still reach a released screen.
        QCOMPARE(ClientConnections::count(OrgaSignal), orga + 1);
        QCOMPARE(SpeechHelper::instance()->pendingCount(), 0);
    }

    void windowKeyFollowsProperty_data()
    {
        QTest::addColumn<QVariant>("property");
        QTest::addColumn<int>("windowId");
        QTest::addColumn<int>("key");
        QTest::newRow("missing") << QVariant() << 0 << 0;
        QTest::newRow("window 4") << QVariant(4) << 4 << 5;
        QTest::newRow("window 1 as text") << QVariant(QStringLiteral("1")) << 1 << 2;
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0 << 0;
        QTest::newRow("window 0 set") << QVariant(0) << 0 << 1;
    }

    // The key also names the recorder registration that releaseResource() withdraws.
    void windowKeyFollowsProperty()
    {
        QFETCH(QVariant, property);
        QFETCH(int, windowId);
        QFETCH(int, key);
        VORNClientAIManager *ai = VORNClientAIManager::instance();
        // A registration that must disappear: an untouched key would still hold it.
        ai->updateNvrCtrlSnapParam(key, QSet<QString>{QStringLiteral("nvr-1_3")});
        const int updates = HostTesting::nvrCtrlSnapUpdateCount(key);

        EpidemicPreview screen;
        if (property.isValid())
            screen.setProperty("priviewWinId", property);
        QCOMPARE(screenWindowId(&screen), windowId);
        QCOMPARE(screenWindowKey(&screen), key);
        screen.releaseResource();
        QCOMPARE(HostTesting::nvrCtrlSnapUpdateCount(key), updates + 1);
        QVERIFY(HostTesting::lastNvrCtrlSnapParam(key).isEmpty());
    }

    // Each side-bar button flips its panel; its "stated" names the look the style rules give it.
    void sidePanelsCollapse()
    {
        {
            OemScope oem(false);
            EpidemicPreview screen;
            showAndWait(&screen);
            QVERIFY(!screen.findChild<QWidget *>(QStringLiteral("widgetSidebar_2"))->isVisible());
            QVERIFY(screen.findChild<QWidget *>(QStringLiteral("widgetSnapFace"))->isVisible());
        }
        OemScope oem(true);
        EpidemicPreview screen;
        showAndWait(&screen);
        QWidget *main = screen.findChild<QWidget *>(QStringLiteral("widgetMain"));
        QVERIFY(main);
        QWidget *leftPanel =
                main->findChild<QWidget *>(QStringLiteral("widget"), Qt::FindDirectChildrenOnly);
        QWidget *snapFace = screen.findChild<QWidget *>(QStringLiteral("widgetSnapFace"));
        QPushButton *leftButton = sideBarButton(&screen, "widgetSidebar");
        QPushButton *snapButton = sideBarButton(&screen, "widgetSidebar_2");
        QVERIFY(leftPanel && snapFace && leftButton && snapButton);
        QVERIFY(snapButton->isVisible() && !snapFace->isVisible());
        // Hidden filter button: no guide bubble pointing at nothing.
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 0);
        // Renamed so that both side-bar buttons share one set of style rules.
        QCOMPARE(snapButton->objectName(), QStringLiteral("pushButtonHideSideBar"));

        const auto stated = [](QPushButton *button) {
            return button->property("stated").toString();
        };
        QCOMPARE(stated(leftButton), QStringLiteral("hide"));
        QCOMPARE(main->layout()->contentsMargins(), QMargins(2, 5, 5, 5));
        for (bool collapsed : {true, false}) {
            leftButton->click();
            QCOMPARE(leftPanel->isVisible(), !collapsed);
            QCOMPARE(stated(leftButton),
                     collapsed ? QStringLiteral("show") : QStringLiteral("hide"));
            QCOMPARE(main->layout()->contentsMargins(), QMargins(collapsed ? 0 : 2, 5, 5, 5));

            snapButton->click();
            QCOMPARE(snapFace->isVisible(), collapsed);
            QCOMPARE(stated(snapButton),
                     collapsed ? QStringLiteral("show") : QStringLiteral("hide"));
        }
    }

    void guideTipFollowsFilterButtonOnlyAfterFirstShow()
    {
        EpidemicPreview screen;
        screen.resize(1157, 603);
        // A hidden widget gets no resize events of its own; deliver one as the host would.
        QResizeEvent early(QSize(1000, 600), screen.size());
        QApplication::sendEvent(&screen, &early);
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 0);
        QVERIFY(HostTesting::guideParams(&screen).isEmpty());

        showAndWait(&screen);
        QPushButton *filter = screen.findChild<QPushButton *>(QStringLiteral("pushButtonFilter"));
        QVERIFY(filter);
        auto expected = [filter]() {
            const QPoint topLeft = filter->mapToGlobal(QPoint(0, 0));
            return QRect(topLeft.x() - 3, topLeft.y(), filter->width() + 5, filter->height() - 3);
        };
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 1);
        QCOMPARE(HostTesting::guideParams(&screen).size(), 1);
        BaseGuideWidget::GuideParam param = HostTesting::guideParams(&screen).first();
        QCOMPARE(param.nType, 1);
        QCOMPARE(param.nArrow, 5);
        QCOMPARE(param.tips, QStringList{QStringLiteral("TK_DeviceFilterSetGuideTips")});
        // The platform may still move the new window after the show; only the shape is fixed.
        QCOMPARE(param.rect.size(), expected().size());

        // The button moves with the screen's width; the bubble must follow it.
        const QRect before = param.rect;
        screen.resize(1400, 700);
        QCOMPARE(HostTesting::guideUpdateCount(&screen), 2);
        param = HostTesting::guideParams(&screen).first();
        QCOMPARE(param.rect, expected());
        QVERIFY(param.rect != before);
    }

    void searchFromOverTempListOpensFunctionCard()
    {
        EpidemicPreview screen;
        auto *list = screen.findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));
        QVERIFY(list);
        emit list->signalSearch(QStringLiteral("/cache/snap/face 1.jpg"));
        QCOMPARE(HostTesting::lastFunctionCard(&screen).nCardId, 27);
        QCOMPARE(HostTesting::lastFunctionCard(&screen)
                         .params.value(QStringLiteral("url"))
                         .toString(),
                 QStringLiteral("/cache/snap/face 1.jpg"));
    }
};

FEVER_TEST_MAIN(TestEpidemicPreview)
#include "tst_epidemicpreview.moc"
