#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "EpidemicPreview.h"
#include "OverTempHandleWidget.h"
#include "OverTempSnapItem.h"
#include "OverTempSnapWidget.h"
#include "StrategyDefaults.h"

#include "OverTemperatureProcessDialog.h"
#include "VornClient.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

// An over-temperature alarm from the platform's notification to its stored handling, through
// two live screens and the host's real handling dialog.
class TestAlarmFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void handledAlarmLeavesEveryScreen()
    {
        constexpr int Handled = 4711;
        constexpr int Other = 4712;
        auto first = makeScreen(30);
        auto second = makeScreen(31);
        QVERIFY(first && second);
        QVERIFY(QTest::qWaitForWindowExposed(first.get()));
        QVERIFY(HostTesting::alarmHandlingRecords().empty());

        emitAlarm(Other);
        emitAlarm(Handled);
        for (QWidget *screen : {first.get(), second.get()})
            QCOMPARE(alarmIds(screen), (QList<int>{Handled, Other}));

        // The card's handle button opens the host's dialog for its alarm. The card hands over its
        // cached copy; asking the transfer for that local path again would be refused with a
        // warning.
        OverTempSnapItem *card = overTempList(first.get())->cardAt(0);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(card, &enter);
        QTest::mousePress(card->toolBar()->findChild<QLabel *>(QStringLiteral("label_edit")),
                          Qt::LeftButton);
        auto *dialog = overTempList(first.get())->findChild<OverTemperatureProcessDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        testsupport::settle();
        QVERIFY(!dialog->findChild<QLabel *>(QStringLiteral("labelSnapPicture"))
                         ->pixmap(Qt::ReturnByValue)
                         .isNull());

        const QString note = QStringLiteral("Retested at the gate: 36.9");
        auto *falseAlarm = dialog->findChild<QRadioButton *>(QStringLiteral("radioFalseAlarm"));
        auto *noteEdit = dialog->findChild<QPlainTextEdit *>(QStringLiteral("textNote"));
        auto *save = dialog->findChild<QPushButton *>(QStringLiteral("buttonSave"));
        QVERIFY(falseAlarm && noteEdit && save);
        falseAlarm->click();
        QTest::keyClicks(noteEdit, note);
        save->click();
        testsupport::flushDeferredDeletes();

        for (QWidget *screen : {first.get(), second.get()}) {
            QCOMPARE(alarmIds(screen), QList<int>{Other});
            QCOMPARE(overTempList(screen)->findChildren<OverTempSnapItem *>().size(), 1);
        }
        std::vector<AlarmHandlingStore::Record> records = HostTesting::alarmHandlingRecords();
        QCOMPARE(int(records.size()), 1);
        QCOMPARE(records[0].nAlarmId, Handled);
        QCOMPARE(records[0].nHandleType, AlarmHandlingStore::HandleFalseAlarm);
        QCOMPARE(records[0].strNote, note);

        // A second notice for the handled alarm finds nothing more to remove or store.
        emit VornClient::instance()->signalProcessOverTemperatureAlarm(std::vector<int>{Handled});
        testsupport::flushDeferredDeletes();
        for (QWidget *screen : {first.get(), second.get()})
            QCOMPARE(alarmIds(screen), QList<int>{Other});
        records = HostTesting::alarmHandlingRecords();
        QCOMPARE(int(records.size()), 1);
        QCOMPARE(records[0].strNote, note);
    }

private:
    static std::unique_ptr<EpidemicPreview> makeScreen(int windowId)
    {
        if (!testsupport::prepareWindow(windowId,
                                        {StrategyDefaults::strangerStrategy(windowId + 1)},
                                        {snaptest::DefaultChannel}))
            return nullptr;
        return testsupport::showScreen<EpidemicPreview>(windowId, true);
    }

    static OverTempSnapWidget *overTempList(QWidget *screen)
    {
        return screen->findChild<OverTempSnapWidget *>(QStringLiteral("widgetSnap"));
    }
    static QList<int> alarmIds(QWidget *screen)
    {
        QList<int> ids;
        OverTempSnapWidget *list = overTempList(screen);
        for (int row = 0; row < list->cardCount(); ++row)
            ids.append(list->cardAt(row)->snapSource().alarmId);
        return ids;
    }
    static void emitAlarm(int alarmId)
    {
        emit VornClient::instance()->signalCompareNotifyReceived(
                snaptest::SnapBuilder()
                        .state(FeverValues::TempStateOver)
                        .alarm(alarmId)
                        .registered(alarmId, QStringLiteral("Person %1").arg(alarmId))
                        .onPlatform()
                        .list());
        testsupport::settle();
    }
};

FEVER_TEST_MAIN(TestAlarmFlow)
#include "tst_alarmflow.moc"
