#include "TestSupport.h"

#include "PendingSnapTasks.h"

#include <memory>

namespace {

std::unique_ptr<SnapComparesMessage> record(int archiveId)
{
    CompareInfo match;
    match.archiveImage.archiveId = archiveId;
    return std::make_unique<SnapComparesMessage>(OrvaneSnapFaceInfo(), match, true);
}

} // namespace

class TestPendingSnapTasks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachRecordIsHandedOverOnce();
    void refusedRecordsAreReleased();
    void clearAndDestructionReleaseEverything();
};

void TestPendingSnapTasks::initTestCase()
{
    testsupport::installWarningGuard();
}

void TestPendingSnapTasks::eachRecordIsHandedOverOnce()
{
    const int baseline = SnapComparesMessage::liveCount();
    PendingSnapTasks tasks;
    QVERIFY(tasks.adopt(7, record(501)));
    QVERIFY(tasks.adopt(8, record(502)));
    QCOMPARE(tasks.size(), 2);

    // Completions in any order, each repeated: only the first take of a task gets a record.
    std::unique_ptr<SnapComparesMessage> second = tasks.take(8);
    QVERIFY(second);
    QCOMPARE(second->compareInfo.archiveImage.archiveId, 502);
    QVERIFY(!tasks.take(8));
    std::unique_ptr<SnapComparesMessage> first = tasks.take(7);
    QVERIFY(first);
    QCOMPARE(first->compareInfo.archiveImage.archiveId, 501);
    QVERIFY(!tasks.take(7));
    QVERIFY(!tasks.take(8));
    QVERIFY(!tasks.take(9));
    QCOMPARE(tasks.size(), 0);
    QCOMPARE(SnapComparesMessage::liveCount(), baseline + 2);

    first.reset();
    second.reset();
    QCOMPARE(SnapComparesMessage::liveCount(), baseline);
}

void TestPendingSnapTasks::refusedRecordsAreReleased()
{
    const int baseline = SnapComparesMessage::liveCount();
    PendingSnapTasks tasks;
    QVERIFY(tasks.adopt(3, record(501)));
    // A second record for an outstanding task must not replace (and leak or free) the first.
    QVERIFY(!tasks.adopt(3, record(502)));
    QVERIFY(!tasks.adopt(-99999, record(503)));
    QVERIFY(!tasks.adopt(4, nullptr));
    QCOMPARE(tasks.size(), 1);
    QVERIFY(!tasks.contains(-99999));
    QVERIFY(!tasks.contains(4));
    QCOMPARE(SnapComparesMessage::liveCount(), baseline + 1);
    QCOMPARE(tasks.take(3)->compareInfo.archiveImage.archiveId, 501);
    QCOMPARE(SnapComparesMessage::liveCount(), baseline);
}

void TestPendingSnapTasks::clearAndDestructionReleaseEverything()
{
    const int baseline = SnapComparesMessage::liveCount();
    {
        PendingSnapTasks tasks;
        QVERIFY(tasks.adopt(1, record(501)));
        QVERIFY(tasks.adopt(2, record(502)));
        tasks.clear();
        QCOMPARE(tasks.size(), 0);
        QVERIFY(!tasks.contains(1));
        QCOMPARE(SnapComparesMessage::liveCount(), baseline);
        QVERIFY(tasks.adopt(1, record(501)));
        QCOMPARE(SnapComparesMessage::liveCount(), baseline + 1);
    }
    QCOMPARE(SnapComparesMessage::liveCount(), baseline);
}

FEVER_TEST_MAIN(TestPendingSnapTasks)

#include "tst_pendingsnaptasks.moc"
