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

using testsupport::flushDeferredDeletes;
using testsupport::settle;

namespace {

struct Overlay
{
    SnapHeadWidget *face;
    QLabel *text; // its banner is the parent, the icon the banner's other label
};

// The overlays over the video, newest (topmost) first; a banner sits beside its face.
QList<Overlay> overlays(QWidget *screen)
{
    flushDeferredDeletes();
    auto *video = screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
    QList<SnapHeadWidget *> faces = video->findChildren<SnapHeadWidget *>();
    QList<QLabel *> texts;
    for (QLabel *label : video->findChildren<QLabel *>()) {
        if (label->property("bOver").isValid())
            texts.append(label);
    }
    const auto byY = [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); };
    std::sort(faces.begin(), faces.end(), byY);
    std::sort(texts.begin(), texts.end(), [](const QLabel *a, const QLabel *b) {
        return a->parentWidget()->y() < b->parentWidget()->y();
    });
    QList<Overlay> found;
    for (int i = 0; i < faces.size() && i < texts.size(); ++i)
        found.append({faces.at(i), texts.at(i)});
    return faces.size() == texts.size() ? found : QList<Overlay>();
}

void sendLive(int state)
{
    snaptest::SnapBuilder snap;
    snap.onPlatform().registered(501).state(state);
    emit VornClient::instance()->signalCompareNotifyReceived(snap.list());
    settle();
}

void checkBanner(const Overlay &overlay, bool over)
{
    QWidget *banner = overlay.text->parentWidget();
    QCOMPARE(banner->styleSheet(), over ? QStringLiteral("background-color:#e6a39b")
                                        : QStringLiteral("background-color:#78997b"));
    QCOMPARE(overlay.text->text(),
             over ? QStringLiteral("No entry") : QStringLiteral("Please pass"));
    QCOMPARE(overlay.text->property("bOver").toBool(), over);
    const QImage icon(QStringLiteral(":/images/home/charts/ai/%1(160px).png")
                              .arg(over ? "access-denied" : "access-granted"));
    const QImage shown =
            banner->findChildren<QLabel *>().last()->pixmap(Qt::ReturnByValue).toImage();
    QCOMPARE(shown.convertToFormat(icon.format()), icon);
    // Centred on its face, right of it.
    QVERIFY(qAbs(banner->geometry().center().y() - overlay.face->geometry().center().y()) <= 1);
    QVERIFY(banner->x() > overlay.face->geometry().right());
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

    void logsRatiosAndChartOrganisations()
    {
        MessageLog log;
        showScreen();
        QCOMPARE(log.count(QStringLiteral("TempScreeningSW02::loadStrategies")), 1);
        QVERIFY(log.lines.filter(QStringLiteral("EpidemicPreview::")).isEmpty());

        auto *circle = m_screen->findChild<SnapStatisticWidget *>(QStringLiteral("widgetCircle"));
        auto *healthy = m_screen->findChild<QLabel *>(QStringLiteral("labelHealthyRatio"));
        auto *warm = m_screen->findChild<QLabel *>(QStringLiteral("labelWarnRatio"));
        emit circle->sigSetStatisticsNum(10, 3);
        QCOMPARE(healthy->text(), QStringLiteral("7/10"));
        QCOMPARE(warm->text(), QStringLiteral("3/10"));
        emit circle->sigSetStatisticsNum(0, 0);
        QVERIFY(healthy->text().isEmpty() && warm->text().isEmpty());

        // The first show handed the stored organisation (none: the top node) to the chart.
        QCOMPARE(HostTesting::lastAlarmHandleStatisticsQuery().vecOrgaIds, std::vector<int>{1});
        const int queries = HostTesting::alarmHandleStatisticsQueryCount();
        m_screen->findChild<QPushButton *>(QStringLiteral("pushButtonOrgaGroup"))->click();
        Node northCampus;
        northCampus.nId = 2;
        northCampus.strName = QStringLiteral("North Campus");
        emit m_screen->findChild<SnapStaticFilterWidget *>()->sendNode(northCampus,
                                                                       QueryByPlatformAndNVR);
        QCOMPARE(HostTesting::alarmHandleStatisticsQueryCount(), queries + 1);
        QCOMPARE(HostTesting::lastAlarmHandleStatisticsQuery().vecOrgaIds,
                 (std::vector<int>{1, 2}));
    }

    void overlaysKeepTheLastTwoSnapshots()
    {
        showScreen();
        sendLive(0);
        QList<Overlay> shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 1);
        checkBanner(shown.at(0), false);
        const QRect top = shown.at(0).face->geometry();

        sendLive(2);
        sendLive(1);
        // The first snapshot is gone; the second moved below the newest.
        shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).face->state(), 1);
        QCOMPARE(shown.at(1).face->state(), 2);
        QCOMPARE(shown.at(0).face->geometry(), top);
        QVERIFY(shown.at(1).face->y() > top.bottom());
        checkBanner(shown.at(0), true);
        checkBanner(shown.at(1), false);

        {
            struct Restore
            {
                int language = AppTranslationHelper::instance()->currentLanguage();
                ~Restore() { AppTranslationHelper::instance()->setCurrentLanguage(language); }
            } restore;
            QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(
                    AppTranslationHelper::Chinese));
            // The banners are the screen's own labels: only its retranslation reaches them.
            QTRY_COMPARE(shown.at(0).text->text(), QString::fromUtf8("禁止通行"));
            QCOMPARE(shown.at(1).text->text(), QString::fromUtf8("请通行"));
        }

        // Whichever face expires, the oldest group goes: a newest-first mix-up would keep it.
        emit shown.at(0).face->sigDestory();
        shown = overlays(m_screen.get());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).face->state(), 1);

        QPointer<QWidget> face = shown.at(0).face;
        QPointer<QWidget> banner = shown.at(0).text->parentWidget();
        m_screen.reset();
        flushDeferredDeletes();
        QVERIFY(face.isNull() && banner.isNull());
    }

    void overlaysShowOnlyOverASingleOrEnlargedTile()
    {
        showScreen();
        FormPlayer *grid = HostTesting::videoGrid(
                m_screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget")));
        sendLive(0);
        SnapHeadWidget *face = overlays(m_screen.get()).value(0).face;
        QVERIFY(face && face->isHidden()); // nothing plays yet
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
        // The over-temperature list takes a record before the strip and the overlay do: the
        // picture leaves the cache (and its file the disk) in between.
        connect(m_screen->findChild<SnapIntake *>(), &SnapIntake::overTempRecordReady, this,
                [](const SnapComparesMessage &record) {
                    QFile::remove(record.snapFaceInfo.snapTargetSource.snapDetailImageURL);
                    HostTesting::clearImageCache();
                });
        testsupport::allowWarning(QRegularExpression(QStringLiteral("addSnapImage")));
        MessageLog log;
        sendLive(1);
        QVERIFY(overlays(m_screen.get()).isEmpty());
        QCOMPARE(log.lines
                         .filter(QRegularExpression(
                                 QStringLiteral("^TempScreeningSW02::addSnapImage .* canot load")))
                         .size(),
                 1);
    }

private:
    void showScreen()
    {
        const int windowId = m_nNextWindow++;
        QVERIFY(testsupport::prepareWindow(windowId,
                                           {StrategyDefaults::strangerStrategy(windowId + 1)},
                                           {QStringLiteral("TC-GATE-A_1")}));
        m_screen = testsupport::showScreen<TempScreeningSW02>(windowId, true);
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    std::unique_ptr<TempScreeningSW02> m_screen;
    int m_nNextWindow = 40;
};

FEVER_TEST_MAIN(TestAlternateScreen)
#include "tst_alternatescreen.moc"
