#include "TestSupport.h"

#include "HostTesting.h"

#include "RecordingSpeechEngine.h"
#include "SpeechHelper.h"

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

// The speech queue shared by several screens: one screen taking its sentences back, and a
// voice that stops working.
class TstSpeechFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void init()
    {
        HostTesting::setSpeechTimeout(SpeechHelper::DefaultTimeoutMs,
                                      SpeechHelper::DefaultTimeoutPerCharMs);
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(60000); // a sentence lasts until the test moves on
        m_engine = engine.get();
        HostTesting::setSpeechEngine(std::move(engine));
    }

    void cleanup() { SpeechHelper::instance()->clearList(); }

    void clearingOneOwnerKeepsTheOthersSentences()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        const int screenA = 1;
        const int screenB = 2;
        speech->addSpeech(QStringLiteral("a1"), &screenA);
        speech->addSpeech(QStringLiteral("b1"), &screenB);
        speech->addSpeech(QStringLiteral("a2"), &screenA);
        speech->addSpeech(QStringLiteral("plain"));
        QTRY_COMPARE(m_engine->currentSentence(), QStringLiteral("a1"));
        QSignalSpy dropped(speech, &SpeechHelper::speechDropped);

        speech->clearList(&screenA);

        QCOMPARE(texts(dropped), (QStringList{QStringLiteral("a1"), QStringLiteral("a2")}));
        QCOMPARE(m_engine->stoppedSentences(), QStringList{QStringLiteral("a1")});
        QCOMPARE(speech->pendingSpeech(),
                 (QStringList{QStringLiteral("b1"), QStringLiteral("plain")}));
        // The other screen's sentence is spoken next, not left waiting behind the stopped one.
        QTRY_COMPARE(m_engine->currentSentence(), QStringLiteral("b1"));

        // An owner with nothing queued takes nothing, not even the sentence being spoken.
        speech->clearList(&screenA);
        QCOMPARE(m_engine->currentSentence(), QStringLiteral("b1"));
        QCOMPARE(speech->pendingSpeech(), QStringList{QStringLiteral("plain")});
    }

    void voiceGivingUpIsReportedUnavailableUntilASentenceEnds_data()
    {
        QTest::addColumn<bool>("hanging");
        QTest::newRow("failing") << false;
        QTest::newRow("hanging") << true;
    }

    void voiceGivingUpIsReportedUnavailableUntilASentenceEnds()
    {
        QFETCH(bool, hanging);
        SpeechHelper *speech = SpeechHelper::instance();
        HostTesting::setSpeechTimeout(30, 0);
        if (hanging)
            m_engine->setDuration(-1);
        else
            m_engine->setFailing(true);
        QSignalSpy availability(speech, &SpeechHelper::engineAvailabilityChanged);
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);

        for (int i = 1; i < SpeechHelper::UnavailableAfterGiveUps; ++i)
            speech->addSpeech(QStringLiteral("sentence %1").arg(i));
        QTRY_COMPARE(failed.count(), SpeechHelper::UnavailableAfterGiveUps - 1);
        QVERIFY2(speech->isEngineAvailable(), "a single bad sentence is no dead voice");
        QCOMPARE(availability.count(), 0);

        speech->addSpeech(QStringLiteral("one too many"));
        speech->addSpeech(QStringLiteral("and another"));
        QTRY_COMPARE(failed.count(), SpeechHelper::UnavailableAfterGiveUps + 1);
        QVERIFY(!speech->isEngineAvailable());
        QCOMPARE(availability.count(), 1);
        QCOMPARE(availability.at(0).at(0).toBool(), false);

        m_engine->setFailing(false);
        m_engine->setDuration(10);
        speech->addSpeech(QStringLiteral("heard"));
        QTRY_COMPARE(availability.count(), 2);
        QCOMPARE(availability.at(1).at(0).toBool(), true);
        QVERIFY(speech->isEngineAvailable());
        QCOMPARE(m_engine->spokenSentences().last(), QStringLiteral("heard"));
    }

private:
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstSpeechFaults)
#include "tst_speechfaults.moc"
