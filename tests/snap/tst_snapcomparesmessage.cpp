#include "SnapBuilder.h"
#include "TestSupport.h"

#include "SnapComparesMessage.h"

#include <memory>
#include <utility>

class TestSnapComparesMessage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
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
};

FEVER_TEST_MAIN(TestSnapComparesMessage)
#include "tst_snapcomparesmessage.moc"
