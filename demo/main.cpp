// Demo host: plays the video-management client around the plug-in. It loads a scenario into the
// stand-in host, builds screens through EpidemicPreviewPlugin like the host does, and can render
// headless to PNG files.
#include "DemoOptions.h"
#include "DemoSitePreset.h"
#include "DemoWindow.h"
#include "TrafficSimulator.h"

#include "EpidemicPreviewPlugin.h"

#include "AppConfigHelper.h"
#include "AppConfigOEM.h"
#include "AppStyleHelper.h"
#include "AppTranslationHelper.h"
#include "HostTesting.h"
#include "IntelligentSnapConfigParam.h"
#include "PlatformRetention.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "feverdemo: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char **argv)
{
    bool headless = demo::wantsHeadless(argc, argv);
    bool fellBack = false;
    if (!headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !demo::hasDisplay(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"))) {
        headless = true;
        fellBack = true;
    }
    if (headless)
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));

    QApplication app(argc, argv);
    // The host's default configuration folder lies under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("FeverScreen"));
    QCoreApplication::setApplicationName(QStringLiteral("feverdemo"));

    QCommandLineParser parser;
    demo::addOptions(parser);
    QStringList arguments = QCoreApplication::arguments();
    if (fellBack)
        arguments << QStringLiteral("--headless");
    parser.process(arguments);

    DemoOptions options;
    QString error;
    const QStringList searchDirs{QCoreApplication::applicationDirPath(), QDir::currentPath()};
    if (!demo::readOptions(parser, searchDirs, &options, &error)) {
        say(error);
        return 2;
    }
    if (fellBack)
        say(QStringLiteral(
                "no display ($DISPLAY and $WAYLAND_DISPLAY are empty): running headless"));

    AppConfigHelper *config = AppConfigHelper::instance();
    if (!options.configDir.isEmpty())
        config->setAppConfigDirPath(options.configDir);
    AppConfigOEM oem = config->getOEMConfig();
    oem.nPreviewScreenType = options.oemVariant;
    oem.bCollapsibleSnapPanel = options.collapsiblePanel;
    if (!config->setOEMConfig(oem))
        say(QStringLiteral("the OEM record could not be stored; the screens use the stored one"));

    if (!options.speechLogPath.isEmpty()) {
        HostTesting::setSpeechTranscriptFile(options.speechLogPath);
        say(QStringLiteral("announcements are written to %1")
                    .arg(QDir::toNativeSeparators(options.speechLogPath)));
    }

    AppStyleHelper::applyHostStyleSheet(&app);
    if (!AppTranslationHelper::instance()->setCurrentLanguage(options.language))
        say(QStringLiteral("language %1 could not be loaded; texts stay untranslated")
                    .arg(options.language));
    if (!HostTesting::loadScenario(options.scenarioPath)) {
        say(QStringLiteral("cannot load the scenario %1").arg(options.scenarioPath));
        return 1;
    }
    say(QStringLiteral("scenario %1, configuration folder %2")
                .arg(QDir::toNativeSeparators(options.scenarioPath),
                     QDir::toNativeSeparators(config->getAppConfigDirPath())));

    if (options.trafficRate > 0) {
        // Simulated snapshots would meet screens that listen to no channel: a window without a
        // stored selection listens to all of them. The plug-in numbers windows from 1.
        for (int windowId = 1; windowId <= options.screens; ++windowId) {
            IntelligentSnapConfigParam selection = config->getEpidemicPreviewConfigParam(windowId);
            if (selection.bAllChannel || !selection.strChannelUIDList.isEmpty())
                continue;
            selection.bAllChannel = true;
            if (!config->setEpidemicPreviewConfigParam(windowId, selection))
                say(QStringLiteral("window %1 keeps its empty channel selection").arg(windowId));
        }
    }

    // The platform keeps a week of snapshot history and pictures; the first sweep runs now.
    PlatformRetention retention;
    retention.start();

    // Declared before the window so that it outlives the screens' release.
    EpidemicPreviewPlugin plugin;
    TrafficSimulator traffic;
    DemoWindow window(&plugin);
    window.setConfigFolderNote(config->getAppConfigDirPath());
    window.resize(options.windowSize);
    for (int windowId = 1; windowId <= options.screens; ++windowId) {
        if (!DemoSitePreset::prepareWindow(windowId))
            say(QStringLiteral("window %1: the site preset could not be stored").arg(windowId));
    }
    if (options.historyPerHour > 0) {
        // Recorded before the screens ask the platform for today's history and totals.
        traffic.setSeed(options.trafficSeed);
        const int recorded =
                traffic.backfillToday(options.historyPerHour, QDateTime::currentDateTime());
        say(QStringLiteral("history: %1 snapshots of today recorded").arg(recorded));
    }
    if (window.addScreens(options.screens) == 0) {
        say(QStringLiteral("the plug-in built no screen"));
        return 1;
    }
    window.show();
    // Every screen has had its first show (and restored its layout) before video starts.
    QTimer::singleShot(0, &window, [&window]() {
        window.visitAllScreens();
        window.startVideo();
    });

    if (options.trafficRate > 0) {
        traffic.setSeed(options.trafficSeed);
        traffic.setRate(options.trafficRate);
        if (traffic.start())
            say(QStringLiteral("simulated traffic: %1 notifications per second, seed %2")
                        .arg(options.trafficRate)
                        .arg(options.trafficSeed));
        else
            say(QStringLiteral("no simulated traffic: the scenario has no thermal channel"));
    }

    int result = 0;
    if (options.quitAfterMs >= 0) {
        if (!options.screenshotDir.isEmpty())
            QTimer::singleShot(0, &window, [&window]() { window.visitAllScreens(); });
        QTimer::singleShot(options.quitAfterMs, &window, [&]() {
            if (!options.screenshotDir.isEmpty()) {
                const QStringList files = window.saveScreenshots(options.screenshotDir);
                for (const QString &file : files)
                    say(QStringLiteral("screenshot %1").arg(QDir::toNativeSeparators(file)));
                if (files.size() != options.screens + 1)
                    result = 1;
            }
            QCoreApplication::quit();
        });
    }

    const int loop = app.exec();
    window.releaseScreens();
    return loop != 0 ? loop : result;
}
