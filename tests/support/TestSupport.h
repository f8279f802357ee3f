#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest/QtTest>

// Shared test scaffolding: every suite runs against a private, empty configuration folder
// and fails when Qt logs a warning or critical message that the suite did not announce.
namespace testsupport {

// Installs the guard; messages at warning level and above fail the run unless allowed.
// Qt Test replaces the message handler when a run starts, so every suite calls this first
// thing in initTestCase(); runSuite() fails a suite that did not.
void installWarningGuard();
// Swallows messages matching the pattern until clearAllowedWarnings(); use it instead of
// QTest::ignoreMessage, which the guard sits in front of.
void allowWarning(const QRegularExpression &pattern);
void clearAllowedWarnings();
// Unexpected warnings seen so far (for the runner's final verdict).
QStringList unexpectedWarnings();
// Creates a fresh configuration folder and points the stand-in host at it.
QString useFreshConfigFolder();

// Distinct matches of the pattern (its first capture group, when it has one) in the plug-in's
// own sources, .cpp, .h and .ui, sorted: what the plug-in asks of the host by name.
QStringList scanPluginSources(const QRegularExpression &pattern);

int runSuite(QObject *suite, int argc, char **argv);

} // namespace testsupport

// Like QTEST_MAIN, with the warning guard and a fresh configuration folder.
#define FEVER_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));                                \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        testsupport::useFreshConfigFolder();                                                       \
        TestObject tc;                                                                             \
        return testsupport::runSuite(&tc, argc, argv);                                             \
    }
