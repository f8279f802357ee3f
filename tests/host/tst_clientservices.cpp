#include "TestSupport.h"

#include "VORNClientAIManager.h"
#include "VornClient.h"

// The AI services the screen calls: recorder channel registration and picture server handles.
// (The person group tree and the current user are checked through the default strategies.)
class TstClientServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void nvrRegistrationIsKeptPerKeyAndWithdrawn();
    void pictureServerHandles();
};

void TstClientServices::initTestCase()
{
    testsupport::installWarningGuard();
}

void TstClientServices::cleanup()
{
    VornClient::instance()->loadScenario(QStringLiteral(":/scenarios/default.json"));
}

void TstClientServices::nvrRegistrationIsKeptPerKeyAndWithdrawn()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QSignalSpy updated(ai, &VORNClientAIManager::signalNvrCtrlSnapParamUpdated);
    const QSet<QString> first{"NVR-NORTH_1", "NVR-NORTH_3"};
    const QSet<QString> second{"NVR-SOUTH_1"};
    QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
    QVERIFY(ai->updateNvrCtrlSnapParam(3, second));
    QCOMPARE(ai->lastNvrCtrlSnapParam(2), first);
    QCOMPARE(ai->lastNvrCtrlSnapParam(3), second);
    // Renewing with the same set still counts as an update: callers re-register on changes.
    QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
    QCOMPARE(updated.count(), 3);
    QCOMPARE(updated.last().at(0).toInt(), 2);
    QCOMPARE(updated.last().at(1).value<QSet<QString>>(), first);

    // A screen that closes withdraws its registration with an empty set.
    QVERIFY(ai->updateNvrCtrlSnapParam(2, {}));
    QVERIFY(!ai->hasNvrCtrlSnapParam(2));
    QVERIFY(ai->hasNvrCtrlSnapParam(3));
    QVERIFY(!ai->updateNvrCtrlSnapParam(-1, first));
    QVERIFY(ai->getLastErrorString().contains(QStringLiteral("-1")));
}

void TstClientServices::pictureServerHandles()
{
    // The intake tells the user when the server holding a snapshot's pictures is offline.
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("VORN-SRV-01")), 1L);
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("IAU-SRV-02")), 2L);
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("IAU-SRV-03")), 0L); // listed but offline
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("nowhere")), 0L);
}

FEVER_TEST_MAIN(TstClientServices)
#include "tst_clientservices.moc"
