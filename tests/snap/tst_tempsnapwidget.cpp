#include "SnapBuilder.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "AppConfigHelper.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "System.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"
#include "TempSnapWidget.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

// The strip: its bound, deletion through the event loop, clearing, sizes, strategy and relayed
// announcements. What a single card shows is tst_tempsnapitem's, the rules tst_tempsnaprules'.
using testsupport::flushDeferredDeletes;

namespace {

QString cardTime(TempSnapItem *card)
{
    return card->findChild<QLabel *>("labelTime")->text();
}

// Seconds of the steady clock only change on second boundaries; starting right after one
// leaves the rest of the second for steps that must see no real time pass.
void waitForFreshSecond()
{
    const qint64 start = System::getSecondCount();
    while (System::getSecondCount() == start)
        QTest::qSleep(2);
}

} // namespace

class TestTempSnapWidget : public QObject
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

    void cleanup()
    {
        AppConfigHelper::instance()->setOEMConfig(AppConfigOEM());
        flushDeferredDeletes();
    }

    void thirtyFirstCardDropsTheOldest()
    {
        auto widget = strip();
        auto *list = widget->findChild<QListWidget *>("listWidget");
        QVERIFY(list);
        int mostRows = 0;
        connect(list->model(), &QAbstractItemModel::rowsInserted, this,
                [&] { mostRows = qMax(mostRows, list->count()); });

        for (int i = 1; i <= TempSnapRules::MaxCards; ++i)
            widget->appendSnapshot(record(i));
        QPointer<TempSnapItem> oldest = widget->cardAt(29);
        QCOMPARE(cardTime(oldest), QString("00:00:01"));

        widget->appendSnapshot(record(31));
        // The bottom row left before the new one came in: never 31 rows, not even for a moment.
        QCOMPARE(mostRows, 30);
        QCOMPARE(widget->cardCount(), 30);
        QCOMPARE(cardTime(widget->cardAt(0)), QString("00:00:31"));
        QCOMPARE(cardTime(widget->cardAt(29)), QString("00:00:02"));
        QVERIFY(!oldest.isNull()); // deleted through the event loop, not inside the call
        flushDeferredDeletes();
        QVERIFY(oldest.isNull());

        // Widgets and records of the dropped cards do not accumulate.
        const int widgets = QApplication::allWidgets().size();
        const int records = SnapComparesMessage::liveCount();
        for (int i = 32; i < 132; ++i)
            widget->appendSnapshot(record(i));
        flushDeferredDeletes();
        QCOMPARE(QApplication::allWidgets().size(), widgets);
        QCOMPARE(SnapComparesMessage::liveCount(), records);
        widget.reset();
        flushDeferredDeletes();
        QCOMPARE(SnapComparesMessage::liveCount(), records - 30);
    }

    void timedClearUsesEachKindsClearTime()
    {
        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.normal_temp_clear_time = 10;
        strategy.over_temp_clear_time = 20;
        auto widget = strip(strategy);
        const auto tick = [&widget] {
            widget->slot_clearNormalTempSnapPicture(true);
            widget->slot_clearOverTempSnapPicture(true);
        };

        waitForFreshSecond();
        widget->appendSnapshot(record(1, 0)); // normal
        widget->appendSnapshot(record(2, 1)); // over-temperature
        HostTesting::advanceSecondCount(5);
        widget->appendSnapshot(record(3, 3)); // abnormal counts as normal, 5 s younger
        HostTesting::advanceSecondCount(5);
        tick();
        QCOMPARE(widget->cardCount(), 2);
        QCOMPARE(cardTime(widget->cardAt(0)), QString("00:00:03"));
        QCOMPARE(cardTime(widget->cardAt(1)), QString("00:00:02"));

        HostTesting::advanceSecondCount(10);
        tick();
        QCOMPARE(widget->cardCount(), 0);
    }

    void untimedClearsByKind()
    {
        // Timed clears are off: the untimed ones must not depend on the clear times.
        auto widget = strip();
        const QList<int> states{0, 1, 2, 3, 1, 9};
        for (int i = 0; i < states.size(); ++i)
            widget->appendSnapshot(record(i, states.at(i)));

        widget->slot_clearNormalTempSnapPicture();
        QCOMPARE(widget->cardCount(), 2);
        for (int row = 0; row < widget->cardCount(); ++row)
            QVERIFY(widget->cardAt(row)->isOverTemp());
        flushDeferredDeletes();
        QCOMPARE(widget->findChildren<TempSnapItem *>().size(), 2);

        widget->appendSnapshot(record(7, 0));
        widget->slot_clearOverTempSnapPicture();
        QCOMPARE(widget->cardCount(), 1);
        QVERIFY(!widget->cardAt(0)->isOverTemp());
    }

    void cardSizeChangesEveryCard()
    {
        auto widget = strip();
        QCOMPARE(widget->cardSize(), TempSnapRules::baseCardSize(false));
        widget->appendSnapshot(record(1));
        widget->appendSnapshot(record(2, 1));
        widget->show();

        widget->setCardSize(1);
        widget->appendSnapshot(record(3)); // a card added later takes the new size as well
        QCoreApplication::processEvents();
        const TempSnapRules::CardGeometry big = TempSnapRules::cardGeometry(1, false);
        const QSize size(big.nWidth, big.nHeight);
        QVERIFY(size != TempSnapRules::baseCardSize(false));
        QCOMPARE(widget->cardSize(), size);
        QCOMPARE(widget->minimumWidth(), size.width());
        auto *list = widget->findChild<QListWidget *>("listWidget");
        for (int row = 0; row < 3; ++row) {
            TempSnapItem *card = widget->cardAt(row);
            QCOMPARE(card->size(), size);
            QCOMPARE(card->sizeMode(), big.nSizeMode);
            QCOMPARE(list->item(row)->sizeHint(), size);
        }
    }

    void alternateStyleStartsSmaller()
    {
        AppConfigOEM oem;
        oem.nPreviewScreenType = 1;
        QVERIFY(AppConfigHelper::instance()->setOEMConfig(oem));
        auto widget = strip();
        QCOMPARE(widget->cardSize(), TempSnapRules::baseCardSize(true));
        widget->appendSnapshot(record(1, 1));
        QCOMPARE(widget->cardAt(0)->size(), TempSnapRules::baseCardSize(true));
        QCOMPARE(widget->cardAt(0)->styleSheet(), TempSnapRules::cardStyleSheet(1, true));
        widget->setCardSize(1);
        const TempSnapRules::CardGeometry big = TempSnapRules::cardGeometry(1, true);
        QCOMPARE(widget->cardSize(), QSize(big.nWidth, big.nHeight));
    }

    void strategyReachesEveryCard()
    {
        OrvaneAiCompareVoiceBroadcastStrategy strategy;
        strategy.set_show_archive(1);
        auto widget = strip(strategy);
        widget->appendSnapshot(record(1));
        widget->appendSnapshot(record(2));
        QCOMPARE(widget->cardAt(1)->findChild<QLabel *>("labelName")->text(), QString("Ann"));

        strategy.set_show_archive(2);
        widget->setStrategy(strategy);
        widget->appendSnapshot(record(3));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(widget->cardAt(row)->findChild<QLabel *>("labelName")->text(), QString("..."));
    }

    void relaysAnnouncementsOfLiveCards()
    {
        auto widget = strip();
        QSignalSpy spy(widget.get(), &TempSnapWidget::sendTempInfo);
        widget->appendSnapshot(record(1, 0, true));
        // Cleared before its announcement and before the event loop deleted it: never relayed.
        widget->slot_clearNormalTempSnapPicture(false);
        QCOMPARE(widget->cardCount(), 0);
        widget->appendSnapshot(record(2, 1, true));
        widget->appendSnapshot(record(3, 0, false));
        // The card's own arguments are tst_tempsnapitem's; the time tells which card spoke.
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(3).toString(), QString("00:00:02"));
        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(spy.count(), 1);
    }

    void liveCountFollowsEveryInstance()
    {
        // Release checks elsewhere compare counts before and after a run; a constructor or
        // destructor that forgot the counter would make those checks pass or fail at random.
        const int base = SnapComparesMessage::liveCount();
        {
            auto heap = std::make_unique<SnapComparesMessage>();
            QCOMPARE(SnapComparesMessage::liveCount(), base + 1);
            SnapComparesMessage copy(*heap);
            SnapComparesMessage moved(std::move(copy));
            QCOMPARE(SnapComparesMessage::liveCount(), base + 3);
            copy = moved; // assignment creates nothing
            moved = SnapComparesMessage(snaptest::SnapBuilder().record());
            QCOMPARE(SnapComparesMessage::liveCount(), base + 3);
            heap.reset();
            QCOMPARE(SnapComparesMessage::liveCount(), base + 2);
            // The record is a registered meta type and travels in a QVariant, counted as well.
            QVERIFY(QMetaType::type("SnapComparesMessage") != QMetaType::UnknownType);
            const QVariant variant = QVariant::fromValue(
                    snaptest::SnapBuilder().state(1).registered(8, "Bea").announce().record());
            const auto back = variant.value<SnapComparesMessage>();
            QCOMPARE(back.compareInfo.archive.get_name(), QString("Bea"));
            QVERIFY(back.bAnnounce && back.snapFaceInfo.snapTargetSource.temperatureState == 1);
        }
        QCOMPARE(SnapComparesMessage::liveCount(), base);
    }

private:
    // Card `index` shows the time 00:00:<index>.
    SnapComparesMessage record(int index, int state = 0, bool announce = false) const
    {
        return snaptest::SnapBuilder()
                .picture(m_strUrl)
                .name("Ann")
                .state(state)
                .announce(announce)
                .at(QStringLiteral("2024-05-06 %1")
                            .arg(QTime(0, 0).addSecs(index).toString("hh:mm:ss")))
                .record();
    }
    static std::unique_ptr<TempSnapWidget>
    strip(const OrvaneAiCompareVoiceBroadcastStrategy &strategy =
                  OrvaneAiCompareVoiceBroadcastStrategy())
    {
        auto widget = std::make_unique<TempSnapWidget>();
        widget->setStrategy(strategy);
        return widget;
    }

    QTemporaryDir m_dir;
    QString m_strUrl;
};

FEVER_TEST_MAIN(TestTempSnapWidget)
#include "tst_tempsnapwidget.moc"
