#include "MessageLog.h"
#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "SnapHeadWidget.h"
#include "SnapIntake.h"
#include "SnapStaticFilterWidget.h"
#include "SnapStatisticWidget.h"
#include "StrategyDefaults.h"
#include "TempScreeningSW02.h"

#include "AppConfigHelper.h"
#include "AppTranslationHelper.h"
#include "FormPlayer.h"
#include "FormVideoPlayer.h"
#include "VornClient.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <memory>

using snaptest::SnapBuilder;
using testsupport::flushDeferredDeletes;
using testsupport::settle;

namespace {

constexpr int NorthCampus = 2;
constexpr int HeadOffice = 1;

struct Overlay
{
    SnapHeadWidget *face = nullptr;
    QWidget *banner = nullptr;
    QLabel *text = nullptr;
    QLabel *icon = nullptr;
};

// The overlays over the video, newest (topmost) first.
QList<Overlay> overlays(QWidget *screen)
{
    flushDeferredDeletes();
    QList<Overlay> found;
    auto *video = screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
    for (SnapHeadWidget *face : video->findChildren<SnapHeadWidget *>()) {
        Overlay overlay;
        overlay.face = face;
        for (QLabel *label : video->findChildren<QLabel *>()) {
            QWidget *banner = label->parentWidget();
            if (label->property("bOver").isValid()
                && qAbs(banner->geometry().center().y() - face->geometry().center().y()) <= 1) {
                overlay.banner = banner;
                overlay.text = label;
                const auto labels = banner->findChildren<QLabel *>();
                overlay.icon = labels.last();
            }
        }
        found.append(overlay);
    }
    std::sort(found.begin(), found.end(),
              [](const Overlay &a, const Overlay &b) { return a.face->y() < b.face->y(); });
    return found;
}

void sendLive(int state, const QString &picture = QString())
{
    SnapBuilder snap;
    snap.onPlatform().registered(501).state(state);
    if (!picture.isEmpty())
        snap.picture(picture);
    emit VornClient::instance()->signalCompareNotifyReceived(snap.list());
    settle();
}

} // namespace

class TestAlternateScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
        // Rings, lists and cards take the alternate style from the OEM record.
        AppConfigOEM oem = AppConfigHelper::instance()->getOEMConfig();
        oem.nPreviewScreenType = 1;
        AppConfigHelper::instance()->setOEMConfig(oem);
    }

    void cleanup()
    {
        m_screen.reset();
        settle();
        flushDeferredDeletes();
        testsupport::clearAllowedWarnings();
    }

    void firstShowLogsUnderItsOwnName()
    {
        MessageLog log;
        showScreen();
        QVERIFY(log.count(QStringLiteral("TempScreeningSW02::loadStrategies")) == 1);
        QVERIFY(log.lines.filter(QStringLiteral("EpidemicPreview::")).isEmpty());
        // The snapshot panel starts collapsed; its bar offers to show it.
        QVERIFY(m_screen->findChild<QWidget *>(QStringLiteral("widgetSnapFace"))->isHidden());
        QCOMPARE(button("pbRight")->property("stated").toString(), QStringLiteral("show"));
        button("pbClose")->click();
        QVERIFY(m_screen->findChild<QWidget *>(QStringLiteral("widgetLeft"))->isHidden());
        QCOMPARE(button("pbLeft")->property("stated").toString(), QStringLiteral("show"));
    }

    void ratioLabelsFollowTheHealthyRing()
    {
        showScreen();
        auto *circle = m_screen->findChild<SnapStatisticWidget *>(QStringLiteral("widgetCircle"));
        auto *healthy = m_screen->findChild<QLabel *>(QStringLiteral("labelHealthyRatio"));
        auto *warm = m_screen->findChild<QLabel *>(QStringLiteral("labelWarnRatio"));
        emit circle->sigSetStatisticsNum(10, 3);
        QCOMPARE(healthy->text(), QStringLiteral("7/10"));
        QCOMPARE(warm->text(), QStringLiteral("3/10"));
        emit circle->sigSetStatisticsNum(0, 0);
        QVERIFY(healthy->text().isEmpty());
        QVERIFY(warm->text().isEmpty());
    }

    void eachOrganisationJoinsTheChartQuery()
    {
        showScreen();
        // The stored selection (none: the first node) reached the chart at the first show.
        QCOMPARE(HostTesting::lastAlarmHandleStatisticsQuery().vecOrgaIds,
                 std::vector<int>{HeadOffice});
        const int queries = HostTesting::alarmHandleStatisticsQueryCount();
        button("pushButtonOrgaGroup")->click();
        auto *filter = m_screen->findChild<SnapStaticFilterWidget *>();
        QVERIFY(filter);
        Node node;
        node.nId = NorthCampus;
        node.strName = QStringLiteral("North Campus");
        emit filter->sendNode(node, QueryByPlatformAndNVR);
        QCOMPARE(HostTesting::alarmHandleStatisticsQueryCount(), queries + 1);
        QCOMPARE(HostTesting::lastAlarmHandleStatisticsQuery().vecOrgaIds,
                 (std::vector<int>{HeadOffice, NorthCampus}));
    }

    void overlaysKeepTheLastTwoSnapshots()
    {
        showScreen();
        sendLive(1);
        QList<Overlay> shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 1);
        checkBanner(shown.at(0), true);
        const QRect top = shown.at(0).face->geometry();

        sendLive(0);
        sendLive(2);
        // The over-temperature snapshot is gone; the normal one moved below the newest.
        shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).face->state(), 2);
        QCOMPARE(shown.at(1).face->state(), 0);
        QCOMPARE(shown.at(0).face->geometry(), top);
        QVERIFY(shown.at(1).face->y() > top.bottom());
        checkBanner(shown.at(0), false);
        checkBanner(shown.at(1), false);

        // Whichever face expires, the oldest group goes: a newest-first mix-up would keep it.
        emit shown.at(0).face->sigDestory();
        shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).face->state(), 2);

        QPointer<SnapHeadWidget> face = shown.at(0).face;
        QPointer<QWidget> banner = shown.at(0).banner;
        m_screen.reset();
        flushDeferredDeletes();
        QVERIFY(face.isNull());
        QVERIFY(banner.isNull());
    }

    void languageSwitchRetextsBannersByTheirVerdict()
    {
        showScreen();
        sendLive(1);
        sendLive(0);
        AppTranslationHelper *language = AppTranslationHelper::instance();
        const int saved = language->currentLanguage();
        struct Restore
        {
            int language;
            ~Restore() { AppTranslationHelper::instance()->setCurrentLanguage(language); }
        } restore{saved};
        QVERIFY(language->setCurrentLanguage(AppTranslationHelper::Chinese));
        const QList<Overlay> shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 2);
        QTRY_COMPARE(shown.at(0).text->text(), QString::fromUtf8("请通行"));
        QCOMPARE(shown.at(1).text->text(), QString::fromUtf8("禁止通行"));
    }

    void overlaysShowOnlyOverASingleOrEnlargedTile()
    {
        showScreen();
        auto *video = m_screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
        FormPlayer *grid = HostTesting::videoGrid(video);
        sendLive(0);
        SnapHeadWidget *face = overlays(m_screen.get()).at(0).face;
        QVERIFY(face->isHidden()); // nothing plays yet
        QMetaObject::invokeMethod(m_screen.get(), "slot_startPlay", Q_ARG(int, 0),
                                  Q_ARG(QVector<int>, QVector<int>{1001}));
        QVERIFY(!face->isHidden());
        grid->setLayoutMode(3);
        QVERIFY(face->isHidden());
        grid->setWinBig(0);
        emit grid->doubleclicked(0);
        QVERIFY(!face->isHidden());
        grid->closeAllWindows();
        QVERIFY(face->isHidden());
    }

    void pictureGoneFromTheCacheAddsNoOverlay()
    {
        showScreen();
        // The over-temperature list takes a record before the strip: the picture leaves the
        // cache between the intake's check and the overlay.
        auto *intake = m_screen->findChild<SnapIntake *>();
        connect(intake, &SnapIntake::overTempRecordReady, this,
                [](const SnapComparesMessage &record) {
                    QFile::remove(record.snapFaceInfo.snapTargetSource.snapDetailImageURL);
                    HostTesting::clearImageCache();
                });
        testsupport::allowWarning(QRegularExpression(QStringLiteral("addSnapImage")));
        MessageLog log;
        sendLive(1);
        QVERIFY(overlays(m_screen.get()).isEmpty());
        const QStringList lines = log.lines.filter(QRegularExpression(
                QStringLiteral("^TempScreeningSW02::addSnapImage .* canot load")));
        QCOMPARE(lines.size(), 1);
    }

private:
    void showScreen()
    {
        const int windowId = m_nNextWindow++;
        ST_MSGVoiceBroadcastStrategy strategy = StrategyDefaults::strangerStrategy(windowId + 1);
        QVERIFY(testsupport::prepareWindow(windowId, {strategy}, {QStringLiteral("TC-GATE-A_1")}));
        m_screen = std::make_unique<TempScreeningSW02>();
        m_screen->setProperty("priviewWinId", windowId);
        m_screen->resize(1157, 603);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        // Announcements are not what this suite watches.
        button("pushButtonSound")->click();
    }

    QPushButton *button(const char *name) const
    {
        return m_screen->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    static void checkBanner(const Overlay &overlay, bool over)
    {
        QVERIFY(overlay.banner && overlay.text && overlay.icon);
        QCOMPARE(overlay.banner->styleSheet(),
                 QStringLiteral("background-color:%1")
                         .arg(over ? QStringLiteral("#e6a39b") : QStringLiteral("#78997b")));
        QCOMPARE(overlay.text->text(),
                 over ? QStringLiteral("No entry") : QStringLiteral("Please pass"));
        QCOMPARE(overlay.text->property("bOver").toBool(), over);
        const QImage icon(QStringLiteral(":/images/home/charts/ai/%1(160px).png")
                                  .arg(over ? "access-denied" : "access-granted"));
        QVERIFY(!icon.isNull());
        QCOMPARE(overlay.icon->pixmap(Qt::ReturnByValue).toImage().convertToFormat(icon.format()),
                 icon);
    }

    std::unique_ptr<TempScreeningSW02> m_screen;
    int m_nNextWindow = 40;
};

FEVER_TEST_MAIN(TestAlternateScreen)
#include "tst_alternatescreen.moc"
