#include "SnapBuilder.h"
#include "TestSupport.h"

#include "SnapComparesMessage.h"

#include <memory>
#include <utility>

class TestSnapComparesMessage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void liveCountFollowsEveryInstance();
};

void TestSnapComparesMessage::initTestCase()
{
    testsupport::installWarningGuard();
}

void TestSnapComparesMessage::liveCountFollowsEveryInstance()
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
    }
    QCOMPARE(SnapComparesMessage::liveCount(), base);
}

FEVER_TEST_MAIN(TestSnapComparesMessage)
#include "tst_snapcomparesmessage.moc"
