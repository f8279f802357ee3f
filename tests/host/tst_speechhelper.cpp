#include "TestSupport.h"

#include "HostTesting.h"
#include "QtSpeechEngine.h"
#include "RecordingSpeechEngine.h"
#include "SpeechHelper.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

namespace {

// Counts the queue's failure reports while passing every message on to the warning guard.
QtMessageHandler g_previousHandler = nullptr;
int g_failureLines = 0;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("SpeechHelper::giveUpCurrent")))
        ++g_failureLines;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &arguments : spy)
        result << arguments.at(0).toString();
    return result;
}

} // namespace

class TstSpeechHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        g_previousHandler = qInstallMessageHandler(countingHandler);
    }

    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

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
        g_failureLines = 0;
    }

    void cleanup() { SpeechHelper::instance()->clearList(); }

    void speaksQueuedTextsOneAfterAnother()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(20);
        QSignalSpy started(speech, &SpeechHelper::speechStarted);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);

        speech->addSpeech(QStringLiteral("one"));
        speech->addSpeech(QStringLiteral("two"));
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
        QCOMPARE(g_failureLines, 1);

        // Once the voice works again, a later outage is reported again.
        m_engine->setFailing(false);
        speech->addSpeech(QStringLiteral("heard"));
        QTRY_COMPARE(finished.count(), 1);
        m_engine->setFailing(true);
        speech->addSpeech(QStringLiteral("lost again"));
        QTRY_COMPARE(failed.count(), 5);
        QCOMPARE(g_failureLines, 2);
    }

    void hangingEngineIsGivenUpAfterTheTimeout()
    {
        SpeechHelper *speech = SpeechHelper::instance();
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
        QCOMPARE(g_failureLines, 1);
        QVERIFY(!speech->isSpeaking());
    }

    void transcriptRecordsEachSentenceWithItsTime()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("speech.log"));
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(5);
        m_engine->setFailing(true); // written whether or not the voice works
        HostTesting::setSpeechTranscriptFile(path);
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);

        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        speech->addSpeech(QStringLiteral("Alice Marsh,08:15:30, 36.5 degrees Celsius"));
        speech->addSpeech(QStringLiteral("two\nlines"));
        QTRY_COMPARE(failed.count(), 2);
        const QDateTime after = QDateTime::currentDateTime().addMSecs(1);

        HostTesting::setSpeechTranscriptFile(QString());
        speech->addSpeech(QStringLiteral("not written"));
        QTRY_COMPARE(failed.count(), 3);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines =
                QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QStringList expected{QStringLiteral("Alice Marsh,08:15:30, 36.5 degrees Celsius"),
                                   QStringLiteral("two lines")};
        for (int i = 0; i < lines.size(); ++i) {
            const int tab = lines.at(i).indexOf(QLatin1Char('\t'));
            QVERIFY(tab > 0);
            const QDateTime stamp = QDateTime::fromString(
                    lines.at(i).left(tab), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            QVERIFY(stamp.isValid());
            QVERIFY(stamp >= before && stamp <= after);
            QCOMPARE(lines.at(i).mid(tab + 1), expected.at(i));
        }
    }

    void unwritableTranscriptDoesNotStopSpeech()
    {
        SpeechHelper *speech = SpeechHelper::instance();
        m_engine->setDuration(5);
        HostTesting::setSpeechTranscriptFile(QStringLiteral("/nonexistent-folder/speech.log"));
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);
        speech->addSpeech(QStringLiteral("still spoken"));
        QTRY_COMPARE(finished.count(), 1);
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

    // The machine's voice, by hand: FEVER_TEST_REAL_SPEECH=1 ./tst_speechhelper
    // qtEngineNeverBlocksTheQueue. Whether the machine has sound or not, adding returns at once
    // and every sentence ends, is given up or fails within its timeout.
    void qtEngineNeverBlocksTheQueue()
    {
        if (qgetenv("FEVER_TEST_REAL_SPEECH") != "1")
            QSKIP("needs the machine's speech service; set FEVER_TEST_REAL_SPEECH=1");
        SpeechHelper *speech = SpeechHelper::instance();
        HostTesting::setSpeechEngine(std::make_unique<QtSpeechEngine>());
        HostTesting::setSpeechTimeout(4000, 100);
        QSignalSpy finished(speech, &SpeechHelper::speechFinished);
        QSignalSpy failed(speech, &SpeechHelper::speechFailed);
        QElapsedTimer clock;
        clock.start();
        speech->addSpeech(QStringLiteral("Thirty six point five degrees"));
        speech->addSpeech(QStringLiteral("You may pass"));
        speech->addSpeech(QStringLiteral("Hello"));
        QVERIFY(clock.elapsed() < 100);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count() + failed.count(), 3, 30000);
        m_engine = nullptr;
    }

private:
    RecordingSpeechEngine *m_engine = nullptr;
};

FEVER_TEST_MAIN(TstSpeechHelper)
#include "tst_speechhelper.moc"
