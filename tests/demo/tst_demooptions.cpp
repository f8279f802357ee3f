#include "TestSupport.h"

#include "DemoOptions.h"

#include <QFile>
#include <QTemporaryDir>

// The demo host's command line: defaults, accepted values, rejected values and the search for
// the bundled scenario.
class TestDemoOptions : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tree; // a fake source tree holding resources/scenarios/default.json
    QString m_scenario;

    bool parse(const QStringList &args, DemoOptions *options, QString *error,
               const QStringList &searchDirs = QStringList())
    {
        QCommandLineParser parser;
        demo::addOptions(parser);
        if (!parser.parse(QStringList{QStringLiteral("feverdemo")} + args)) {
            *error = parser.errorText();
            return false;
        }
        return demo::readOptions(parser,
                                 searchDirs.isEmpty() ? QStringList{m_tree.path()} : searchDirs,
                                 options, error);
    }

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(m_tree.isValid());
        QVERIFY(QDir(m_tree.path()).mkpath(QStringLiteral("resources/scenarios")));
        m_scenario = m_tree.filePath(QStringLiteral("resources/scenarios/default.json"));
        QFile file(m_scenario);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{}");
    }

    void defaultsAndHeadlessDefaults()
    {
        DemoOptions options;
        options.screens = -7; // must be overwritten by a successful read
        QString error;
        QVERIFY2(parse({}, &options, &error), qPrintable(error));
        // Without options: the bundled scenario, one screen, shown until closed, no traffic.
        QCOMPARE(options.scenarioPath, QFileInfo(m_scenario).absoluteFilePath());
        QCOMPARE(options.screens, 1);
        QCOMPARE(options.headless, false);
        QCOMPARE(options.quitAfterMs, -1);
        QVERIFY(options.screenshotDir.isEmpty() && options.speechLogPath.isEmpty());
        QCOMPARE(options.trafficRate, 0.0);

        // Headless fills in a quit time and a screenshot folder, unless given.
        QVERIFY2(parse({"--headless"}, &options, &error), qPrintable(error));
        QCOMPARE(options.quitAfterMs, demo::HeadlessDefaultQuitAfterMs);
        QCOMPARE(options.screenshotDir, QDir(QStringLiteral("screenshots")).absolutePath());

        QVERIFY2(parse({"--headless", "--quit-after", "0", "--screenshot-dir", "x"}, &options,
                       &error),
                 qPrintable(error));
        QCOMPARE(options.quitAfterMs, 0);
        QCOMPARE(options.screenshotDir, QDir(QStringLiteral("x")).absolutePath());
    }

    void acceptedValues()
    {
        DemoOptions options;
        QString error;
        const QStringList args =
                QStringLiteral("--screens 3 --language 96 --oem-variant 1 --collapsible-panel "
                               "--config-dir cfg --size 800x600 --screenshot-dir shots "
                               "--quit-after 250 --speech-log speech.txt --traffic 2.5 "
                               "--seed 4000000000")
                        .split(QLatin1Char(' '));
        QVERIFY2(parse(args, &options, &error), qPrintable(error));
        QCOMPARE(options.screens, 3);
        QCOMPARE(options.language, 96);
        QCOMPARE(options.oemVariant, 1);
        QCOMPARE(options.collapsiblePanel, true);
        QCOMPARE(options.configDir, QDir(QStringLiteral("cfg")).absolutePath());
        QCOMPARE(options.windowSize, QSize(800, 600));
        QCOMPARE(options.screenshotDir, QDir(QStringLiteral("shots")).absolutePath());
        QCOMPARE(options.quitAfterMs, 250);
        QCOMPARE(options.speechLogPath, QFileInfo(QStringLiteral("speech.txt")).absoluteFilePath());
        QCOMPARE(options.trafficRate, 2.5);
        QCOMPARE(options.trafficSeed, 4000000000u);
        // Screenshots without --headless keep the real platform.
        QCOMPARE(options.headless, false);
    }

    void rejectedValues_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no screens") << QStringList{"--screens", "0"} << "--screens";
        QTest::newRow("too many screens") << QStringList{"--screens", "9"} << "--screens";
        QTest::newRow("screens not a number") << QStringList{"--screens", "two"} << "not a number";
        QTest::newRow("unknown language") << QStringList{"--language", "2"} << "--language";
        QTest::newRow("tiny window") << QStringList{"--size", "100x100"} << "--size";
        QTest::newRow("negative quit") << QStringList{"--quit-after", "-5"} << "negative";
        QTest::newRow("shots never taken")
                << QStringList{"--screenshot-dir", "d"} << "--quit-after";
        QTest::newRow("missing scenario")
                << QStringList{"--scenario", "/nonexistent/s.json"} << "no file";
        QTest::newRow("empty speech log") << QStringList{"--speech-log", ""} << "--speech-log";
        QTest::newRow("negative traffic") << QStringList{"--traffic", "-1"} << "--traffic";
        QTest::newRow("traffic beyond the limit")
                << QStringList{"--traffic", "5000"} << "--traffic";
        QTest::newRow("negative seed") << QStringList{"--seed", "-3"} << "--seed";
        QTest::newRow("stray argument") << QStringList{"extra"} << "unexpected";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
    }

    void rejectedValues()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        DemoOptions options;
        options.screens = 5;
        QString error;
        QVERIFY(!parse(args, &options, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        // A rejected command line leaves the caller's options alone.
        QCOMPARE(options.screens, 5);
    }
};

FEVER_TEST_MAIN(TestDemoOptions)
#include "tst_demooptions.moc"
