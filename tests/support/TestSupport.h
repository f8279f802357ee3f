#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"
#include "TempSnapItem.h"
#include "TempSnapWidget.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest/QtTest>

#include <memory>
#include <vector>

// Shared test scaffolding: every suite runs against a private, empty configuration folder
// and fails when Qt logs a warning or critical message that the suite did not announce. Below
// runSuite() are helpers for suites that drive a whole screen.
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

// Lets every file transfer finish and the events it posted reach their receivers.
void settle();
// Deletes what deleteLater() scheduled, so that counts of widgets and records see the living.
void flushDeferredDeletes();
// Stores the strategies (under the window's key) and the channel selection that a screen of the
// window reads at its first show; false when the store refused one.
bool prepareWindow(int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> strategies,
                   const QStringList &channels);
// The screen's strip of snapshot cards.
TempSnapWidget *cardStrip(const QWidget *screen);
// A screen of the window, shown at the host's usual size; muted turns its sound off for suites
// that do not listen to the announcements.
template<typename Screen>
std::unique_ptr<Screen> showScreen(int windowId, bool muted)
{
    auto screen = std::make_unique<Screen>();
    screen->setProperty("priviewWinId", windowId);
    screen->resize(1157, 603);
    screen->show();
    if (muted)
        screen->template findChild<QPushButton *>(QStringLiteral("pushButtonSound"))->click();
    return screen;
}

// Another program writing to the platform store until release(): writers are locked out, and
// with readersToo readers as well, as long as the store's own connection is closed (while it is
// open, its write-ahead log still lets it read).
class StoreLock
{
public:
    explicit StoreLock(bool readersToo);
    ~StoreLock() { release(); }
    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;
    void release();
    bool isHeld() const { return m_bHeld; }

private:
    bool m_bHeld = false;
};

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
