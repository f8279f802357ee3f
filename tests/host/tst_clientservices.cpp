#include "TestSupport.h"

#include "HostTesting.h"
#include "SpeechHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

class TstClientServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void nvrRegistrationIsRememberedPerKey();
    void emptySetWithdrawsRegistration();
    void negativeKeyIsRejected();
    void personGroupTreeParentsFirst();
    void personGroupById();
    void pictureServerHandles();
    void userAndHandleFollowTheClient();
    void snapZeroIsBroadcast();
    void speechQueueKeepsOrder();
    void clearListDropsEveryText();
    void speechQueueIsBounded();
    void blankSpeechIsIgnored();
};

void TstClientServices::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform cannot size or raise real windows; nothing here depends on it.
    testsupport::allowWarning(QRegularExpression(QStringLiteral("^This plugin does not support")));
}

void TstClientServices::cleanup()
{
    SpeechHelper::instance()->clearList();
    HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json"));
}

void TstClientServices::nvrRegistrationIsRememberedPerKey()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QSignalSpy updated(ai, &VORNClientAIManager::signalNvrCtrlSnapParamUpdated);
    const QSet<QString> first{"NVR-NORTH_1", "NVR-NORTH_3"};
    const QSet<QString> second{"NVR-SOUTH_1"};
    QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
    QVERIFY(ai->updateNvrCtrlSnapParam(3, second));
    QCOMPARE(HostTesting::lastNvrCtrlSnapParam(2), first);
    QCOMPARE(HostTesting::lastNvrCtrlSnapParam(3), second);
    // Renewing with the same set still counts as an update: callers re-register on changes.
    const int before = HostTesting::nvrCtrlSnapUpdateCount(2);
    QVERIFY(ai->updateNvrCtrlSnapParam(2, first));
    QCOMPARE(HostTesting::nvrCtrlSnapUpdateCount(2), before + 1);
    QCOMPARE(updated.count(), 3);
    QCOMPARE(updated.last().at(0).toInt(), 2);
    QCOMPARE(updated.last().at(1).value<QSet<QString>>(), first);
}

void TstClientServices::emptySetWithdrawsRegistration()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QVERIFY(ai->updateNvrCtrlSnapParam(5, {"NVR-NORTH_1"}));
    QVERIFY(HostTesting::hasNvrCtrlSnapParam(5));
    QVERIFY(ai->updateNvrCtrlSnapParam(5, {}));
    QVERIFY(!HostTesting::hasNvrCtrlSnapParam(5));
    QVERIFY(HostTesting::lastNvrCtrlSnapParam(5).isEmpty());
    QVERIFY(ai->getLastErrorString().isEmpty());
}

void TstClientServices::negativeKeyIsRejected()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QVERIFY(!ai->updateNvrCtrlSnapParam(-1, {"NVR-NORTH_1"}));
    QVERIFY(ai->getLastErrorString().contains(QStringLiteral("-1")));
    QVERIFY(!HostTesting::hasNvrCtrlSnapParam(-1));
}

void TstClientServices::personGroupTreeParentsFirst()
{
    const std::vector<Node> nodes = VORNClientAIManager::instance()->getPersonGroupTreeNodes();
    QList<int> ids;
    for (const Node &node : nodes)
        ids << node.nId;
    QCOMPARE(ids, QList<int>({1, 2, 3, 4, 5}));
    QCOMPARE(nodes.at(1).nParentId, 1);
    QCOMPARE(nodes.at(1).strName, QStringLiteral("Engineering"));
    QCOMPARE(nodes.at(4).strParentKey, QStringLiteral("4"));
}

void TstClientServices::personGroupById()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    const OrvanePersonGroup group = ai->getPersonGroupByID(5);
    QCOMPARE(group.get_group_name(), QStringLiteral("Contractors"));
    QCOMPARE(ai->getPersonGroupByID(group.get_parent_id()).get_group_name(),
             QStringLiteral("Visitors"));
    QCOMPARE(ai->getPersonGroupByID(-99999).get_id(), -99999);
    QCOMPARE(ai->getPersonGroupByID(77).get_group_name(), QString());
}

void TstClientServices::pictureServerHandles()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("VORN-SRV-01")), 1L);
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("IAU-SRV-02")), 2L);
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("IAU-SRV-03")), 0L); // listed but offline
    QCOMPARE(ai->getIAUServerHandle(QStringLiteral("nowhere")), 0L);
}

void TstClientServices::userAndHandleFollowTheClient()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QCOMPARE(ai->getCurUserId(), 7);
    QCOMPARE(ai->getCurClientHandle(), 1L);
    QVERIFY(HostTesting::loadScenarioData(
            R"({"loginServer":{"uid":"L","handle":9},"user":{"id":12}})"));
    QCOMPARE(ai->getCurUserId(), 12);
    QCOMPARE(ai->getCurClientHandle(), 9L);
}

void TstClientServices::snapZeroIsBroadcast()
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    QSignalSpy zero(ai, &VORNClientAIManager::sendSnapZero);
    HostTesting::notifySnapZero();
    emit ai->sendSnapZero();
    QCOMPARE(zero.count(), 2);
}

void TstClientServices::speechQueueKeepsOrder()
{
    SpeechHelper *speech = SpeechHelper::instance();
    QSignalSpy queued(speech, &SpeechHelper::speechQueued);
    speech->addSpeech(QStringLiteral("Alice Marsh, 36.5 degrees"));
    speech->addSpeech(QStringLiteral(" You can pass"));
    QCOMPARE(queued.count(), 2);
    // Texts keep their own spacing: sentences are composed by the caller.
    QCOMPARE(speech->pendingSpeech(), QStringList({"Alice Marsh, 36.5 degrees", " You can pass"}));
    QCOMPARE(HostTesting::takeNextSpeech(), QStringLiteral("Alice Marsh, 36.5 degrees"));
    QCOMPARE(speech->pendingCount(), 1);
}

void TstClientServices::clearListDropsEveryText()
{
    SpeechHelper *speech = SpeechHelper::instance();
    speech->addSpeech(QStringLiteral("one"));
    speech->addSpeech(QStringLiteral("two"));
    QSignalSpy dropped(speech, &SpeechHelper::speechDropped);
    QSignalSpy cleared(speech, &SpeechHelper::listCleared);
    speech->clearList();
    QCOMPARE(dropped.count(), 2);
    QCOMPARE(dropped.at(0).at(0).toString(), QStringLiteral("one"));
    QCOMPARE(dropped.at(1).at(0).toString(), QStringLiteral("two"));
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(speech->pendingCount(), 0);
    QCOMPARE(HostTesting::takeNextSpeech(), QString());
    speech->addSpeech(QStringLiteral("later"));
    QCOMPARE(speech->pendingSpeech(), QStringList({"later"}));
}

void TstClientServices::speechQueueIsBounded()
{
    SpeechHelper *speech = SpeechHelper::instance();
    QSignalSpy dropped(speech, &SpeechHelper::speechDropped);
    for (int i = 0; i < SpeechHelper::MaxQueued + 3; ++i)
        speech->addSpeech(QStringLiteral("text %1").arg(i));
    QCOMPARE(speech->pendingCount(), SpeechHelper::MaxQueued);
    QCOMPARE(dropped.count(), 3);
    QCOMPARE(speech->pendingSpeech().first(), QStringLiteral("text 3"));
}

void TstClientServices::blankSpeechIsIgnored()
{
    SpeechHelper *speech = SpeechHelper::instance();
    QSignalSpy queued(speech, &SpeechHelper::speechQueued);
    speech->addSpeech(QString());
    speech->addSpeech(QStringLiteral("   "));
    QCOMPARE(queued.count(), 0);
    QCOMPARE(speech->pendingCount(), 0);
}

FEVER_TEST_MAIN(TstClientServices)
#include "tst_clientservices.moc"
