#include "MessageLog.h"
#include "TestSupport.h"

#include "HostTesting.h"

#include "RecordingSpeechEngine.h"
#include "SpeechHelper.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

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

// The host's speech queue the screen hands its sentences to: order, the backlog bound, clearing
// on release, and that a failing or hanging voice never stalls it.
class TstSpeechHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void init()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        speech->clearList();
        HostTesting::setSpeechTranscriptFile(QString());
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

    void clearListStopsTheSentenceBeingSpoken()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(60000);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);
        speech->addSpeech(QStringLiteral("being spoken"));
        speech->addSpeech(QStringLiteral("waiting"));
        QTRY_VERIFY(m_engine->isSpeaking());
        QCOMPARE(speech->currentSpeech(), QStringLiteral("being spoken"));

        QSignalSpy dropped(speech, &SpeechHelper::speechDropped);
        speech->clearList();

        QVERIFY(!m_engine->isSpeaking());
        QCOMPARE(m_engine->stoppedSentences(), QStringList{QStringLiteral("being spoken")});
        QCOMPARE(texts(dropped), QStringList({"being spoken", "waiting"}));
        QVERIFY(!speech->isSpeaking());
        QCOMPARE(speech->pendingCount(), 0);

        // The queue is usable at once, and the stopped sentence never reports an end.
        m_engine->setDuration(10);
        speech->addSpeech(QStringLiteral("later"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(texts(finished), QStringList{QStringLiteral("later")});
        QCOMPARE(m_engine->spokenSentences(), QStringList({"being spoken", "later"}));
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

    void failingEngineDoesNotStallTheQueue()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        MessageLog log; // an outage is reported once, not once per sentence
        m_engine->setFailing(true, QStringLiteral("no audio device"));
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);
        for (int i = 1; i <= 4; ++i)
            speech->addSpeech(QStringLiteral("text %1").arg(i));

        QTRY_COMPARE(failed.count(), 4);
        QCOMPARE(texts(failed), QStringList({"text 1", "text 2", "text 3", "text 4"}));
        QCOMPARE(failed.at(0).at(1).toString(), QStringLiteral("no audio device"));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(speech->pendingCount(), 0);
        QCOMPARE(log.count(QStringLiteral("SpeechHelper::giveUpCurrent")), 1);

        // Once the voice works again, a later outage is reported again.
        m_engine->setFailing(false);
        speech->addSpeech(QStringLiteral("heard"));
        QTRY_COMPARE(finished.count(), 1);
        m_engine->setFailing(true);
        speech->addSpeech(QStringLiteral("lost again"));
        QTRY_COMPARE(failed.count(), 5);
        QCOMPARE(log.count(QStringLiteral("SpeechHelper::giveUpCurrent")), 2);
    }

    void hangingEngineIsGivenUpAfterTheTimeout()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        MessageLog log;
        m_engine->setDuration(-1);
        HostTesting::setSpeechTimeout(40, 2);
        QCOMPARE(speech->timeoutFor(QStringLiteral("0123456789")), 60);
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);

        QElapsedTimer clock;
        clock.start();
        speech->addSpeech(QStringLiteral("first"));
        speech->addSpeech(QStringLiteral("second"));
        speech->addSpeech(QStringLiteral("third"));

        QTRY_COMPARE(failed.count(), 3);
        // Each sentence waited for its own timeout, no more.
        QVERIFY(clock.elapsed() >= 3 * 40);
        QCOMPARE(m_engine->stoppedSentences(), QStringList({"first", "second", "third"}));
        QCOMPARE(log.count(QStringLiteral("SpeechHelper::giveUpCurrent")), 1);
        QVERIFY(!speech->isSpeaking());
    }

    // The demo's --speech-log: one line per sentence, time stamp and text.
    void transcriptRecordsEachSentence()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("speech.log"));
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(5);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);

        // A transcript that cannot be written does not stop the voice.
        HostTesting::setSpeechTranscriptFile(QStringLiteral("/nonexistent-folder/speech.log"));
        speech->addSpeech(QStringLiteral("still spoken"));
        QTRY_COMPARE(finished.count(), 1);

        m_engine->setFailing(true); // written whether or not the voice works
        HostTesting::setSpeechTranscriptFile(path);
        speech->addSpeech(QStringLiteral("Alice Marsh,08:15:30, 36.5 degrees Celsius"));
        speech->addSpeech(QStringLiteral("two\nlines"));
        QTRY_COMPARE(failed.count(), 2);
        HostTesting::setSpeechTranscriptFile(QString());
        speech->addSpeech(QStringLiteral("not written"));
        QTRY_COMPARE(failed.count(), 3);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QRegularExpression line(
                QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\t(.*)$"));
        QStringList texts;
        for (const QString &text :
             QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
            texts << line.match(text).captured(1);
        QCOMPARE(texts, QStringList({"Alice Marsh,08:15:30, 36.5 degrees Celsius", "two lines"}));
    }

    void headlessDefaultIsSilent()
    {
        // The suites run on the offscreen platform, where nobody listens.
        qunsetenv("FEVER_SPEECH_ENGINE");
        std::unique_ptr<SpeechEngine> engine = HostTesting::createDefaultSpeechEngine();
        QVERIFY(qobject_cast<RecordingSpeechEngine *>(engine.get()));
        auto *silent = static_cast<RecordingSpeechEngine *>(engine.get());
        // It keeps a speaking pace, so the backlog rule holds as it would with sound.
        QVERIFY(silent->durationFor(QStringLiteral("a sentence of some length")) > 500);
    }

private:
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstSpeechHelper)
#include "tst_speechhelper.moc"
