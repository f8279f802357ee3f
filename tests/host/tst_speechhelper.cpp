#include "MessageLog.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "RecordingSpeechEngine.h"
#include "SpeechHelper.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <memory>

namespace {

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &arguments : spy)
        result << arguments.at(0).toString();
    return result;
}

} // namespace

// The host's speech queue the screens hand their sentences to: order, the backlog bound,
// clearing one screen's sentences or all, and that a failing or hanging voice never stalls it.
class TstSpeechHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void init()
    {
        SpeechHelper::instance()->clearList();
        HostTesting::setSpeechTimeout(SpeechHelper::DefaultTimeoutMs,
                                      SpeechHelper::DefaultTimeoutPerCharMs);
        auto engine = std::make_unique<RecordingSpeechEngine>();
        m_engine = engine.get();
        HostTesting::setSpeechEngine(std::move(engine));
    }

    void cleanup() { SpeechHelper::instance()->clearList(); }

    void speaksQueuedTextsOneAfterAnother()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(20);
        QSignalSpy started(speech, &SpeechHelper::speechStarted);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);

        speech->addSpeech(QStringLiteral("one"));
        speech->addSpeech(QStringLiteral("   ")); // blank texts are not queued
        speech->addSpeech(QStringLiteral("two"));
        speech->addSpeech(QString());
        speech->addSpeech(QStringLiteral("three"));
        // Nothing starts inside addSpeech: the caller still sees what it queued.
        QCOMPARE(speech->pendingCount(), 3);
        QVERIFY(!speech->isSpeaking());

        QTRY_COMPARE(finished.count(), 3);
        QCOMPARE(texts(started), QStringList({"one", "two", "three"}));
        QCOMPARE(texts(finished), QStringList({"one", "two", "three"}));
        QCOMPARE(m_engine->spokenSentences(), QStringList({"one", "two", "three"}));
        QCOMPARE(speech->pendingCount(), 0);
        QVERIFY(!speech->isSpeaking());
    }

    void clearingOneOwnerOrAll()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(60000);
        const int screenA = 1;
        const int screenB = 2;
        speech->addSpeech(QStringLiteral("a1"), &screenA);
        speech->addSpeech(QStringLiteral("b1"), &screenB);
        speech->addSpeech(QStringLiteral("a2"), &screenA);
        speech->addSpeech(QStringLiteral("plain"));
        QTRY_COMPARE(m_engine->currentSentence(), QStringLiteral("a1"));
        QSignalSpy dropped(speech, &SpeechHelper::speechDropped);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);

        speech->clearList(&screenA);
        QCOMPARE(texts(dropped), QStringList({"a1", "a2"}));
        QCOMPARE(m_engine->stoppedSentences(), QStringList{"a1"});
        QCOMPARE(speech->pendingSpeech(), QStringList({"b1", "plain"}));
        // The other screen's sentence is spoken next, not left waiting behind the stopped one.
        QTRY_COMPARE(m_engine->currentSentence(), QStringLiteral("b1"));
        // An owner with nothing queued takes nothing, not even the sentence being spoken.
        speech->clearList(&screenA);
        QCOMPARE(m_engine->currentSentence(), QStringLiteral("b1"));
        QCOMPARE(speech->pendingSpeech(), QStringList{"plain"});

        speech->clearList();
        QVERIFY(!m_engine->isSpeaking() && !speech->isSpeaking());
        QCOMPARE(texts(dropped), QStringList({"a1", "a2", "b1", "plain"}));
        QCOMPARE(speech->pendingCount(), 0);
        // The queue is usable at once, and the stopped sentences never report an end.
        m_engine->setDuration(10);
        speech->addSpeech(QStringLiteral("later"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(texts(finished), QStringList{"later"});
        QCOMPARE(m_engine->spokenSentences(), QStringList({"a1", "b1", "later"}));
    }

    // Regression for the backlog rule: with the earlier bound of 50 nothing would be dropped
    // here, and a queue that counted the spoken sentence as waiting would drop three.
    void fullBacklogDropsTheOldestWaitingText()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(60000);
        speech->addSpeech(QStringLiteral("now"));
        QTRY_VERIFY(m_engine->isSpeaking());

        QSignalSpy dropped(speech, &SpeechHelper::speechDropped);
        for (int i = 1; i <= SpeechHelper::MaxQueued + 2; ++i)
            speech->addSpeech(QStringLiteral("waiting %1").arg(i));

        QCOMPARE(SpeechHelper::MaxQueued, 5);
        QCOMPARE(texts(dropped), QStringList({"waiting 1", "waiting 2"}));
        QCOMPARE(speech->pendingSpeech(),
                 QStringList({"waiting 3", "waiting 4", "waiting 5", "waiting 6", "waiting 7"}));
        QCOMPARE(speech->currentSpeech(), QStringLiteral("now"));
    }

    void voiceThatGivesUpNeverStallsTheQueue_data()
    {
        QTest::addColumn<bool>("hanging");
        QTest::newRow("failing") << false;
        QTest::newRow("hanging") << true;
    }

    void voiceThatGivesUpNeverStallsTheQueue()
    {
        QFETCH(bool, hanging);
        SpeechHelper *speech = SpeechHelper::instance();
        MessageLog log; // an outage is reported once, not once per sentence
        HostTesting::setSpeechTimeout(40, 2);
        QCOMPARE(speech->timeoutFor(QStringLiteral("0123456789")), 60);
        const auto breakVoice = [this, hanging] {
            if (hanging)
                m_engine->setDuration(-1);
            else
                m_engine->setFailing(true, QStringLiteral("no audio device"));
        };
        breakVoice();
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);
        QSignalSpy availability(speech, &SpeechHelper::engineAvailabilityChanged);
        QElapsedTimer clock;
        clock.start();

        const int giveUps = SpeechHelper::UnavailableAfterGiveUps;
        for (int i = 1; i < giveUps; ++i)
            speech->addSpeech(QStringLiteral("sentence %1").arg(i));
        QTRY_COMPARE(failed.count(), giveUps - 1);
        QVERIFY2(speech->isEngineAvailable(), "a single bad sentence is no dead voice");
        QCOMPARE(availability.count(), 0);
        speech->addSpeech(QStringLiteral("one too many"));
        QTRY_COMPARE(failed.count(), giveUps);
        QCOMPARE(texts(failed).first(), QStringLiteral("sentence 1"));
        QCOMPARE(availability.count(), 1);
        QCOMPARE(availability.at(0).at(0).toBool(), false);
        QCOMPARE(speech->pendingCount(), 0);
        QVERIFY(!speech->isSpeaking());
        QCOMPARE(log.count(QStringLiteral("SpeechHelper::giveUpCurrent")), 1);
        if (hanging) {
            // Each sentence waited for its own timeout, and was stopped.
            QVERIFY(clock.elapsed() >= giveUps * 40);
            QCOMPARE(m_engine->stoppedSentences().size(), giveUps);
        } else {
            QCOMPARE(failed.at(0).at(1).toString(), QStringLiteral("no audio device"));
        }

        // A sentence that ends brings the voice back; a later outage is reported again.
        m_engine->setFailing(false);
        m_engine->setDuration(10);
        speech->addSpeech(QStringLiteral("heard"));
        QTRY_COMPARE(availability.count(), 2);
        QCOMPARE(availability.at(1).at(0).toBool(), true);
        QCOMPARE(m_engine->spokenSentences().last(), QStringLiteral("heard"));
        breakVoice();
        speech->addSpeech(QStringLiteral("lost again"));
        QTRY_COMPARE(failed.count(), giveUps + 1);
        QCOMPARE(log.count(QStringLiteral("SpeechHelper::giveUpCurrent")), 2);
    }

private:
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstSpeechHelper)
#include "tst_speechhelper.moc"
