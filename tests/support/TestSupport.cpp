#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "FlieDataTransfer.h"
#include "PlatformStore.h"
#include "VoiceStrategyStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace testsupport {
namespace {

QMutex g_mutex;
// The offscreen platform plugin says this whenever a window is shown or raised; it is
// about the plugin's limits, not about our code.
const QRegularExpression g_platformNoise(QStringLiteral("^This plugin does not support "));
// A screen asks for its totals again (an alarm handled, another organisation) before the
// previous answer is in; that answer is then dropped with this warning, by design.
const QRegularExpression
        g_supersededReply(QStringLiteral("^FormConfigSetWidget::event reqHandle mis match!"));
QList<QRegularExpression> g_allowed;
QStringList g_unexpected;
QtMessageHandler g_previous = nullptr;
bool g_running = false;
bool g_installedWhileRunning = false;
std::unique_ptr<QTemporaryDir> g_configDir;

void guardHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
        QMutexLocker lock(&g_mutex);
        bool allowed = g_platformNoise.match(message).hasMatch()
                       || g_supersededReply.match(message).hasMatch();
        for (const QRegularExpression &pattern : qAsConst(g_allowed)) {
            if (pattern.match(message).hasMatch()) {
                allowed = true;
                break;
            }
        }
        if (allowed)
            return;
        g_unexpected.append(message);
    }
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void installWarningGuard()
{
    QtMessageHandler previous = qInstallMessageHandler(guardHandler);
    if (previous != guardHandler)
        g_previous = previous;
    if (g_running)
        g_installedWhileRunning = true;
}

void allowWarning(const QRegularExpression &pattern)
{
    QMutexLocker lock(&g_mutex);
    g_allowed.append(pattern);
}

void clearAllowedWarnings()
{
    QMutexLocker lock(&g_mutex);
    g_allowed.clear();
}

QStringList unexpectedWarnings()
{
    QMutexLocker lock(&g_mutex);
    return g_unexpected;
}

QString useFreshConfigFolder()
{
    g_configDir = std::make_unique<QTemporaryDir>();
    const QString path = g_configDir->path();
    qputenv("FEVER_CONFIG_DIR", QDir::toNativeSeparators(path).toLocal8Bit());
    return path;
}

QStringList scanPluginSources(const QRegularExpression &pattern)
{
    QStringList found;
    for (const char *folder : {"plugin", "screen", "snap", "config", "statistics"}) {
        QDirIterator it(QStringLiteral(FEVER_SOURCE_DIR "/") + QLatin1String(folder),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            auto matches = pattern.globalMatch(text);
            while (matches.hasNext()) {
                const QRegularExpressionMatch match = matches.next();
                found << match.captured(pattern.captureCount() > 0 ? 1 : 0);
            }
        }
    }
    found.removeDuplicates();
    found.sort();
    return found;
}

int runSuite(QObject *suite, int argc, char **argv)
{
    g_running = true;
    int result = QTest::qExec(suite, argc, argv);
    g_running = false;
    if (!g_installedWhileRunning) {
        std::fprintf(stderr, "FAIL: the suite never called testsupport::installWarningGuard()\n");
        if (result == 0)
            result = 1;
    }
    const QStringList unexpected = unexpectedWarnings();
    if (!unexpected.isEmpty()) {
        std::fprintf(stderr, "FAIL: %d unexpected Qt warning(s):\n", int(unexpected.size()));
        for (const QString &line : unexpected)
            std::fprintf(stderr, "  %s\n", qPrintable(line));
        if (result == 0)
            result = 1;
    }
    g_configDir.reset();
    return result;
}

void settle()
{
    QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool prepareWindow(int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> strategies,
                   const QStringList &channels)
{
    for (ST_MSGVoiceBroadcastStrategy &strategy : strategies) {
        strategy.set_window_id(windowId + 1);
        int id = 0;
        if (!VoiceStrategyStore::instance()->add(strategy, id))
            return false;
    }
    IntelligentSnapConfigParam selection;
    selection.strChannelUIDList = channels;
    selection.nChannelCount = channels.size();
    return AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, selection);
}

TempSnapWidget *cardStrip(const QWidget *screen)
{
    return screen->findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
}

namespace {
const QString g_lockConnection = QStringLiteral("testsupport_store_lock");
} // namespace

StoreLock::StoreLock(bool readersToo)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), g_lockConnection);
    db.setDatabaseName(PlatformStore::instance()->databaseFilePath());
    QSqlQuery query(db);
    m_bHeld = db.open()
              && (!readersToo || query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")))
              && query.exec(QStringLiteral("BEGIN EXCLUSIVE"))
              && query.exec(QStringLiteral("INSERT OR REPLACE INTO host_records VALUES"
                                           " ('locker', 'k', x'00', 0)"));
}

void StoreLock::release()
{
    if (!QSqlDatabase::contains(g_lockConnection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(g_lockConnection, false);
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(g_lockConnection);
}

} // namespace testsupport
