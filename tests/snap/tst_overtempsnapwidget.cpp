#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "FeverValues.h"
#include "OverTempHandleWidget.h"
#include "OverTempSnapItem.h"
#include "OverTempSnapWidget.h"
#include "PersonOpratePopWidget.h"

#include "AppLanguageTr.h"
#include "FlieDataTransfer.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OverTemperatureProcessDialog.h"
#include "System.h"

#include <QLabel>
#include <QTemporaryDir>

#include <memory>

// The over-temperature list: its bound, removal of handled alarms, timed clearing, the NEW tag's
// tick, the handling request and the one open pop-up. The rules are tst_overtemprules'.
using testsupport::flushDeferredDeletes;

namespace {

void sendEvent(QObject *receiver, QEvent::Type type)
{
    QEvent event(type);
    QCoreApplication::sendEvent(receiver, &event);
}

// Seconds of the steady clock only change on second boundaries; starting right after one
// leaves the rest of the second for steps that must see no real time pass.
void waitForFreshSecond()
{
    const qint64 start = System::getSecondCount();
    while (System::getSecondCount() == start)
        QTest::qSleep(2);
}

bool toolBarShown(OverTempSnapItem *card)
{
    return !card->toolBar()->isHidden();
}

} // namespace

class TestOverTempSnapWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(m_dir.isValid());
        m_strUrl = snaptest::writeFacePicture(m_dir.path(), "face.png");
        QVERIFY(!m_strUrl.isEmpty());
    }

    void cleanup() { flushDeferredDeletes(); }

    void thirtyFirstCardDropsTheOldest()
    {
        OverTempSnapWidget list;
        for (int alarmId = 0; alarmId < 31; ++alarmId)
            append(list, alarmId);
        flushDeferredDeletes();

        QCOMPARE(list.cardCount(), 30);
        QCOMPARE(list.findChildren<OverTempSnapItem *>().size(), 30);
        QCOMPARE(list.cardAt(0)->snapSource().alarmId, 30);
        QCOMPARE(list.cardAt(29)->snapSource().alarmId, 1);
    }

    void handledAlarmsRemoveOneCardEach_data()
    {
        QTest::addColumn<QList<int>>("handled");
        QTest::addColumn<QList<int>>("remaining");
        // Cards, newest first: 5 7 5 9.
        QTest::newRow("first of two") << QList<int>{5} << QList<int>{7, 5, 9};
        QTest::newRow("both of two") << QList<int>{5, 9, 5} << QList<int>{7};
        QTest::newRow("duplicate entry, one card") << QList<int>{7, 7} << QList<int>{5, 5, 9};
        QTest::newRow("unknown") << QList<int>{42} << QList<int>{5, 7, 5, 9};
        QTest::newRow("empty") << QList<int>{} << QList<int>{5, 7, 5, 9};
    }

    void handledAlarmsRemoveOneCardEach()
    {
        QFETCH(QList<int>, handled);
        QFETCH(QList<int>, remaining);
        OverTempSnapWidget list;
        for (int alarmId : {9, 5, 7, 5})
            append(list, alarmId);

        QVector<OrvaneSnapTargetSource> sources;
        for (int alarmId : handled) {
            OrvaneSnapTargetSource handledSource;
            handledSource.alarmId = alarmId;
            sources.append(handledSource);
        }
        list.slotOverTempAlarmProcessFinished(sources);
        flushDeferredDeletes();

        QCOMPARE(alarmIds(list), remaining);
        QCOMPARE(list.findChildren<OverTempSnapItem *>().size(), remaining.size());
    }

    void timedClear_data()
    {
        QTest::addColumn<int>("clearTime");
        QTest::addColumn<int>("remaining");
        QTest::newRow("0 never clears") << 0 << 2;
        QTest::newRow("1 s") << 1 << 0;
    }

    void timedClear()
    {
        QFETCH(int, clearTime);
        OverTempSnapWidget list;
        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.over_temp_clear_time = clearTime;
        list.setStrategy(strategy);
        append(list, 1);
        append(list, 2);

        HostTesting::advanceSecondCount(1);
        list.slot_clearOverTempSnapPicture(true);
        flushDeferredDeletes();
        QTEST(list.cardCount(), "remaining");
    }

    void newTagGoesAtTheTickAfterAMinute()
    {
        OverTempSnapWidget list;
        list.show();
        append(list, 1);
        OverTempSnapItem *card = list.cardAt(0);
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(card->isNewTagShown());

        waitForFreshSecond();
        const qint64 age = System::getSecondCount() - card->createTime();
        HostTesting::advanceSecondCount(59 - age);
        list.slot_handleOverTimeSnap();
        QVERIFY(card->isNewTagShown());
        HostTesting::advanceSecondCount(1);
        list.slot_handleOverTimeSnap();
        QVERIFY(!card->isNewTagShown());
    }

    void alarmWithoutRecordShowsTipAndNoDialog()
    {
        OverTempSnapWidget list;
        list.resize(600, 300);
        list.show();
        append(list, FeverValues::NoValue);
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        sendEvent(list.cardAt(0), QEvent::Enter);
        const QString notSupported = AppLanguageTr::translate(QStringLiteral("TK_NotSupport"));

        // The card's handle-alarm button.
        QTest::mousePress(list.cardAt(0)->toolBar()->findChild<QLabel *>("label_edit"),
                          Qt::LeftButton);
        QCOMPARE(HostTesting::recentTips(&list).value(0), qMakePair(notSupported, 2));
        QVERIFY(!list.findChild<OverTemperatureProcessDialog *>());

        // A double click asks the same; with a record the dialog opens.
        append(list, 12);
        QTest::mouseDClick(list.cardAt(0), Qt::LeftButton);
        QCOMPARE(HostTesting::recentTips(&list).size(), 1);
        auto *dialog = list.findChild<OverTemperatureProcessDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    }

    void openPopupFreezesEveryToolBar()
    {
        OverTempSnapWidget list;
        list.resize(600, 300);
        list.show();
        append(list, 1);
        append(list, 2);
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        OverTempSnapItem *owner = list.cardAt(0);
        OverTempSnapItem *other = list.cardAt(1);

        sendEvent(owner, QEvent::Enter);
        QVERIFY(toolBarShown(owner));
        QTest::mousePress(owner->toolBar()->findChild<QLabel *>("label_add"), Qt::LeftButton);
        auto *pop = owner->findChild<PersonOpratePopWidget *>();
        QVERIFY(pop->isVisible());
        QCOMPARE(OverTempSnapItem::popOwner(), owner);

        sendEvent(owner, QEvent::Leave);
        sendEvent(other, QEvent::Enter);
        QVERIFY(toolBarShown(owner));
        QVERIFY(!toolBarShown(other));

        pop->hide();
        QVERIFY(!OverTempSnapItem::popOwner());
        QVERIFY(!toolBarShown(owner));
        sendEvent(other, QEvent::Enter);
        QVERIFY(toolBarShown(other));

        // An owner that goes while its pop-up is open leaves no owner behind.
        QTest::mousePress(other->toolBar()->findChild<QLabel *>("label_add"), Qt::LeftButton);
        QCOMPARE(OverTempSnapItem::popOwner(), other);
        list.slotOverTempAlarmProcessFinished({source(1)});
        flushDeferredDeletes();
        QCOMPARE(list.cardCount(), 1);
        QVERIFY(!OverTempSnapItem::popOwner());
    }

private:
    OrvaneSnapTargetSource source(int alarmId) const
    {
        return snaptest::SnapBuilder()
                .picture(m_strUrl)
                .state(FeverValues::TempStateOver)
                .alarm(alarmId)
                .source();
    }
    void append(OverTempSnapWidget &list, int alarmId) const
    {
        list.appendPersonInfo(m_strUrl, source(alarmId), OrvaneArchiveImageInfo());
    }
    static QList<int> alarmIds(const OverTempSnapWidget &list)
    {
        QList<int> ids;
        for (int row = 0; row < list.cardCount(); ++row)
            ids.append(list.cardAt(row)->snapSource().alarmId);
        return ids;
    }

    QTemporaryDir m_dir;
    QString m_strUrl;
};

FEVER_TEST_MAIN(TestOverTempSnapWidget)
#include "tst_overtempsnapwidget.moc"
