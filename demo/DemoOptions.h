#pragma once

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSize>
#include <QString>
#include <QStringList>

// Command line of the demo host. Kept header-only and free of widgets so that the parsing
// rules are tested without starting the program.
struct DemoOptions
{
    QString scenarioPath; // resolved path of the scenario file
    QString configDir;    // empty: the stand-in host's default folder
    int screens = 1;
    int language = 1; // 1 English, 96 Chinese
    int oemVariant = 0;
    bool collapsiblePanel = false;
    bool headless = false;
    QString screenshotDir; // empty: no screenshots
    int quitAfterMs = -1;  // -1: run until the window is closed
    QString speechLogPath; // empty: announcements are not written down
    QSize windowSize = QSize(1600, 900);
    double trafficRate = 0.0; // simulated notifications per second; 0: none
    quint32 trafficSeed = 1;
    int historyPerHour = 0; // snapshots per hour of this morning's history; 0: none
};

namespace demo {

constexpr int MaxScreens = 8;
constexpr int HeadlessDefaultQuitAfterMs = 4000;
constexpr double MaxTrafficRate = 1000.0;
constexpr int MaxHistoryPerHour = 600;
inline const char *bundledScenario()
{
    return "resources/scenarios/default.json";
}

// The platform plug-in is chosen when the application object is built, before the parser runs,
// so the headless switch is looked for by hand.
inline bool wantsHeadless(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--headless" || arg == "-headless")
            return true;
    }
    return false;
}

inline bool hasDisplay(const QByteArray &display, const QByteArray &waylandDisplay)
{
    return !display.isEmpty() || !waylandDisplay.isEmpty();
}

// Walks up from each start folder looking for the scenario bundled with the source tree, so the
// program finds it from its build folder and from the repository root alike.
inline QString findBundledScenario(const QStringList &startDirs)
{
    for (const QString &start : startDirs) {
        QDir dir(start);
        for (int depth = 0; depth < 6; ++depth) {
            const QString candidate = dir.absoluteFilePath(QString::fromLatin1(bundledScenario()));
            if (QFileInfo(candidate).isFile())
                return QDir::cleanPath(candidate);
            if (!dir.cdUp())
                break;
        }
    }
    return QString();
}

inline void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
            "Stand-in host for the fever-screening screen: builds screens through the plug-in "
            "and feeds them the scenario's platform data."));
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("scenario"),
             QStringLiteral("Scenario file (JSON). Default: the bundled %1.")
                     .arg(QString::fromLatin1(bundledScenario())),
             QStringLiteral("file")},
            {QStringLiteral("config-dir"),
             QStringLiteral("Configuration folder of the stand-in host (platform.sqlite, "
                            "pictures). Default: $FEVER_CONFIG_DIR, else the user's data "
                            "folder."),
             QStringLiteral("dir")},
            {QStringLiteral("screens"),
             QStringLiteral("Number of screens, one tab each (1-%1). Default: 1.").arg(MaxScreens),
             QStringLiteral("n"), QStringLiteral("1")},
            {QStringLiteral("language"),
             QStringLiteral("User-interface language: 1 English, 96 Chinese. Default: 1."),
             QStringLiteral("n"), QStringLiteral("1")},
            {QStringLiteral("oem-variant"),
             QStringLiteral("OEM screen variant: 1 builds the alternate screen, any other value "
                            "the main screen. Default: 0."),
             QStringLiteral("n"), QStringLiteral("0")},
            {QStringLiteral("collapsible-panel"),
             QStringLiteral("OEM flag: the snapshot panel can be collapsed.")},
            {QStringLiteral("headless"),
             QStringLiteral("Render with the offscreen platform; implies --quit-after %1 and "
                            "--screenshot-dir screenshots unless given.")
                     .arg(HeadlessDefaultQuitAfterMs)},
            {QStringLiteral("screenshot-dir"),
             QStringLiteral("Write a PNG of each screen into this folder when quitting."),
             QStringLiteral("dir")},
            {QStringLiteral("quit-after"),
             QStringLiteral("Quit after this many milliseconds (after the screenshots)."),
             QStringLiteral("ms")},
            {QStringLiteral("size"), QStringLiteral("Window size. Default: 1600x900."),
             QStringLiteral("WxH"), QStringLiteral("1600x900")},
            {QStringLiteral("speech-log"),
             QStringLiteral("Append every spoken announcement, with its time, to this file."),
             QStringLiteral("file")},
            {QStringLiteral("traffic"),
             QStringLiteral("Simulated snapshot notifications per second on the scenario's "
                            "thermal channels (0-%1, 0: none). Default: 0.")
                     .arg(MaxTrafficRate),
             QStringLiteral("rate"), QStringLiteral("0")},
            {QStringLiteral("history"),
             QStringLiteral("Before the screens open, record this many simulated snapshots per "
                            "hour of the last hours of today in the platform's history, their "
                            "over-temperature alarms handled (0-%1). Default: 0.")
                     .arg(MaxHistoryPerHour),
             QStringLiteral("per-hour"), QStringLiteral("0")},
            {QStringLiteral("seed"),
             QStringLiteral("Seed of the simulated traffic; the same seed gives the same "
                            "persons, readings and matches. Default: 1."),
             QStringLiteral("n"), QStringLiteral("1")},
    });
}

namespace detail {

inline bool readInt(const QCommandLineParser &parser, const QString &name, int *value,
                    QString *error)
{
    bool ok = false;
    const int parsed = parser.value(name).toInt(&ok);
    if (!ok) {
        *error = QStringLiteral("--%1: '%2' is not a number").arg(name, parser.value(name));
        return false;
    }
    *value = parsed;
    return true;
}

} // namespace detail

// Reads a parsed command line. `searchDirs` are where the bundled scenario is looked for when
// --scenario is not given. Returns false with a message for values out of range.
inline bool readOptions(const QCommandLineParser &parser, const QStringList &searchDirs,
                        DemoOptions *options, QString *error)
{
    DemoOptions result;

    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument '%1'")
                         .arg(parser.positionalArguments().first());
        return false;
    }

    if (parser.isSet(QStringLiteral("scenario"))) {
        result.scenarioPath = parser.value(QStringLiteral("scenario"));
        if (!QFileInfo(result.scenarioPath).isFile()) {
            *error = QStringLiteral("--scenario: no file '%1'").arg(result.scenarioPath);
            return false;
        }
    } else {
        result.scenarioPath = findBundledScenario(searchDirs);
        if (result.scenarioPath.isEmpty()) {
            *error = QStringLiteral("the bundled scenario %1 was not found; pass --scenario")
                             .arg(QString::fromLatin1(bundledScenario()));
            return false;
        }
    }
    result.scenarioPath = QFileInfo(result.scenarioPath).absoluteFilePath();

    if (parser.isSet(QStringLiteral("config-dir"))) {
        result.configDir = parser.value(QStringLiteral("config-dir"));
        if (result.configDir.isEmpty()) {
            *error = QStringLiteral("--config-dir: empty folder name");
            return false;
        }
        result.configDir = QDir(result.configDir).absolutePath();
    }

    if (!detail::readInt(parser, QStringLiteral("screens"), &result.screens, error))
        return false;
    if (result.screens < 1 || result.screens > MaxScreens) {
        *error =
                QStringLiteral("--screens: %1 is outside 1-%2").arg(result.screens).arg(MaxScreens);
        return false;
    }

    if (!detail::readInt(parser, QStringLiteral("language"), &result.language, error))
        return false;
    if (result.language != 1 && result.language != 96) {
        *error = QStringLiteral("--language: %1 is neither 1 (English) nor 96 (Chinese)")
                         .arg(result.language);
        return false;
    }

    if (!detail::readInt(parser, QStringLiteral("oem-variant"), &result.oemVariant, error))
        return false;
    result.collapsiblePanel = parser.isSet(QStringLiteral("collapsible-panel"));

    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    bool widthOk = false;
    bool heightOk = false;
    if (size.size() == 2)
        result.windowSize = QSize(size.at(0).toInt(&widthOk), size.at(1).toInt(&heightOk));
    if (!widthOk || !heightOk || result.windowSize.width() < 200
        || result.windowSize.height() < 150) {
        *error = QStringLiteral("--size: '%1' is not WxH of at least 200x150")
                         .arg(parser.value(QStringLiteral("size")));
        return false;
    }

    result.headless = parser.isSet(QStringLiteral("headless"));
    if (parser.isSet(QStringLiteral("quit-after"))) {
        if (!detail::readInt(parser, QStringLiteral("quit-after"), &result.quitAfterMs, error))
            return false;
        if (result.quitAfterMs < 0) {
            *error = QStringLiteral("--quit-after: negative time");
            return false;
        }
    } else if (result.headless) {
        result.quitAfterMs = HeadlessDefaultQuitAfterMs;
    }
    if (parser.isSet(QStringLiteral("screenshot-dir"))) {
        result.screenshotDir = parser.value(QStringLiteral("screenshot-dir"));
        if (result.screenshotDir.isEmpty()) {
            *error = QStringLiteral("--screenshot-dir: empty folder name");
            return false;
        }
    } else if (result.headless) {
        result.screenshotDir = QStringLiteral("screenshots");
    }
    if (!result.screenshotDir.isEmpty()) {
        result.screenshotDir = QDir(result.screenshotDir).absolutePath();
        // A screenshot is taken when quitting; without a time the window would never be shot.
        if (result.quitAfterMs < 0) {
            *error = QStringLiteral("--screenshot-dir needs --quit-after (or --headless)");
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("speech-log"))) {
        result.speechLogPath = parser.value(QStringLiteral("speech-log"));
        if (result.speechLogPath.isEmpty()) {
            *error = QStringLiteral("--speech-log: empty file name");
            return false;
        }
        result.speechLogPath = QFileInfo(result.speechLogPath).absoluteFilePath();
    }

    bool rateOk = false;
    result.trafficRate = parser.value(QStringLiteral("traffic")).toDouble(&rateOk);
    if (!rateOk || !(result.trafficRate >= 0.0 && result.trafficRate <= MaxTrafficRate)) {
        *error = QStringLiteral("--traffic: '%1' is not a rate of 0-%2 per second")
                         .arg(parser.value(QStringLiteral("traffic")))
                         .arg(MaxTrafficRate);
        return false;
    }
    bool seedOk = false;
    result.trafficSeed = parser.value(QStringLiteral("seed")).toUInt(&seedOk);
    if (!seedOk) {
        *error = QStringLiteral("--seed: '%1' is not a number of 0-4294967295")
                         .arg(parser.value(QStringLiteral("seed")));
        return false;
    }

    bool historyOk = false;
    result.historyPerHour = parser.value(QStringLiteral("history")).toInt(&historyOk);
    if (!historyOk || result.historyPerHour < 0 || result.historyPerHour > MaxHistoryPerHour) {
        *error = QStringLiteral("--history: '%1' is not a number of 0-%2")
                         .arg(parser.value(QStringLiteral("history")))
                         .arg(MaxHistoryPerHour);
        return false;
    }

    *options = result;
    return true;
}

} // namespace demo
