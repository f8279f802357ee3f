#include "SnapBuilder.h"
#include "TestSupport.h"

#include "EpidemicPreview.h"
#include "PreviewConfigWidget.h"
#include "StrategyDefaults.h"

#include "AuthUserInfoWidget.h"
#include "HostTesting.h"
#include "PasswordVault.h"
#include "RecordingSpeechEngine.h"
#include "ScheduleTimeWidget.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

using snaptest::SnapBuilder;
using testsupport::cardStrip;
using testsupport::settle;

namespace {

constexpr int Window = 61;
const QString kDemoPassword = QStringLiteral("fever-demo");

int weekdayOf(const QDate &date)
{
    return date.dayOfWeek() % 7; // 0 Sunday
}

// Clicks the gear and answers the password dialog that it opens in its own event loop.
PreviewConfigWidget *openSettings(EpidemicPreview &screen, const QString &password)
{
    QTimer::singleShot(0, &screen, [&screen, password] {
        auto *auth = screen.findChild<AuthUserInfoWidget *>();
        if (!auth)
            return;
        auth->findChild<QLineEdit *>(QStringLiteral("lineEditPassword"))->setText(password);
        auth->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        // A wrong password leaves the dialog open; give up as the user would.
        if (auth->isVisible())
            auth->findChild<QPushButton *>(QStringLiteral("pushButtonCancel"))->click();
    });
    screen.findChild<QPushButton *>(QStringLiteral("pushButtonConfig"))->click();
    auto *settings = screen.findChild<PreviewConfigWidget *>();
    return settings && settings->isVisible() ? settings : nullptr;
}

// The stranger row (current on opening) announces only from `weekday`, all day, with the text.
void editStrangerRow(PreviewConfigWidget *settings, int weekday, const QString &greeting)
{
    settings->findChild<QLineEdit *>(QStringLiteral("lineEditName"))->setText(greeting);
    settings->findChild<QPushButton *>(QStringLiteral("pushButtonTimeSet"))->click();
    auto *schedule = settings->findChild<ScheduleTimeWidget *>();
    schedule->setTimeRanges({{weekday, 0, 86400}});
    schedule->closeSNDialog();
}

std::unique_ptr<EpidemicPreview> showScreen()
{
    auto screen = std::make_unique<EpidemicPreview>();
    screen->setProperty("priviewWinId", Window);
    screen->resize(1280, 800);
    screen->show();
    settle();
    return screen;
}

} // namespace

class TstConfigFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        const int key = Window + 1;
        QVERIFY(testsupport::prepareWindow(Window,
                                           {StrategyDefaults::strangerStrategy(key, {}),
                                            StrategyDefaults::registryStrategy(key, {})},
                                           {snaptest::DefaultChannel}));
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(60000);
        HostTesting::setSpeechEngine(std::move(engine));
    }

    void cleanup()
    {
        SpeechHelper::instance()->clearList();
        PasswordVault::instance()->resetAttempts();
        settle();
        testsupport::flushDeferredDeletes();
    }

    void wrongPasswordKeepsSettingsClosed()
    {
        auto screen = showScreen();
        QVERIFY(!openSettings(*screen, QStringLiteral("not it")));
        QVERIFY(!screen->findChild<PreviewConfigWidget *>());
    }

    void savedSettingsReachTheScreenAndSurviveRestart()
    {
        const QDate today = QDate::currentDate();
        auto screen = showScreen();
        const QSize before = cardStrip(screen.get())->cardSize();
        QSignalSpy queued(SpeechHelper::instance(), &SpeechHelper::speechQueued);

        PreviewConfigWidget *settings = openSettings(*screen, kDemoPassword);
        QVERIFY(settings);
        auto *size = settings->findChild<QComboBox *>(QStringLiteral("comboBoxCardSize"));
        size->setCurrentIndex(size->findData(1));
        const QString strangerName = QString::fromUtf8("Besucher Ω");
        settings->findChild<QLineEdit *>(QStringLiteral("lineEditStrangerName"))
                ->setText(strangerName);
        editStrangerRow(settings, weekdayOf(today), QStringLiteral("Willkommen Gast"));
        settings->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        QVERIFY(!settings->isVisible());

        // Size 1 is the big card: it grows from the default medium one.
        const QSize after = cardStrip(screen.get())->cardSize();
        QVERIFY(after.width() > before.width());
        emit VornClient::instance()->signalCompareNotifyReceived(
                SnapBuilder().onPlatform().stranger().list());
        settle();
        QTRY_COMPARE(queued.count(), 1);
        QVERIFY(queued.at(0).at(0).toString().startsWith(QStringLiteral("Willkommen Gast")));

        // Announcing only on another weekday: the next stranger is not spoken.
        settings = openSettings(*screen, kDemoPassword);
        QVERIFY(settings);
        editStrangerRow(settings, weekdayOf(today.addDays(1)), QStringLiteral("Willkommen Gast"));
        settings->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        SpeechHelper::instance()->clearList();
        emit VornClient::instance()->signalCompareNotifyReceived(
                SnapBuilder().onPlatform().stranger().list());
        settle();
        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(queued.count(), 1);

        // A new screen of the window reads it all back from the platform.
        screen.reset();
        testsupport::flushDeferredDeletes();
        screen = showScreen();
        QCOMPARE(cardStrip(screen.get())->cardSize(), after);
        std::vector<ST_MSGVoiceBroadcastStrategy> stored;
        VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(Window + 1, stored);
        QCOMPARE(int(stored.size()), 2);
        const ST_MSGVoiceBroadcastStrategy &stranger = stored.front();
        QCOMPARE(QString::fromStdString(stranger.get_stranger_show_name()), strangerName);
        QCOMPARE(stranger.get_report_stranger_content(), std::string("Willkommen Gast"));
        QCOMPARE(int(stranger.vecTimeRange.size()), 1);
        QCOMPARE(stranger.vecTimeRange.front().weekday, weekdayOf(today.addDays(1)));
    }
};

FEVER_TEST_MAIN(TstConfigFlow)
#include "tst_configflow.moc"
