#pragma once

#include "AlarmHandlingStore.h"
#include "AsyncPlatformService.h"
#include "BaseGuideWidget.h"
#include "BaseWidget.h"
#include "OrvaneChannel.h"
#include "OrvaneDevice.h"
#include "OrvaneGroup.h"
#include "StatisticsQueryOfOrga.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class FormVideoPlayer;
class SpeechEngine;
class FormPlayer;
class VoiceStrategyStore;

// The testing seam of the stand-in host: the switches that feed it, drive it as the platform
// would or inject faults, and read-outs of what it recorded. None of this exists in the real
// host, so plug-in code cannot reach it: only targets linking hostclient_testing (the tests, the
// demo and the benchmarks) have this folder and the stand-in's own headers (host/standin:
// PlatformStore, SnapshotHistory, PlatformPictureStore, ImageDataCache, the speech engines...)
// on their include path.
class HostTesting
{
public:
    HostTesting() = delete;

    // --- Platform client (VornClient) ---
    // Replaces the whole client state with the scenario (JSON, see
    // resources/scenarios/default.json); on any error the state is kept, the reason logged and
    // made available through lastScenarioError().
    static bool loadScenario(const QString &path);
    static bool loadScenarioData(const QByteArray &json);
    static QString lastScenarioError();
    static QString scenarioPath();
    // Picture servers of the scenario that are connected, sorted.
    static QStringList connectedPictureServers();
    // Platform-side changes, as the platform would push them through VornClient's signals. A
    // device's deletion is announced before the record goes, so receivers can still look it
    // up; an organisation's after, so that a tree read on the notice no longer holds it.
    static void addDevice(const OrvaneDevice &device, const std::vector<OrvaneChannel> &channels);
    static bool removeDevice(int deviceId);
    static void addOrga(const OrvaneOrga &orga);
    static bool removeOrga(int orgaId);

    // --- AI services (VORNClientAIManager) ---
    // The platform side of the voice broadcast strategy calls: failure switches, request counts.
    static VoiceStrategyStore *strategyStore();
    // The recorder channels a window key last registered (updateNvrCtrlSnapParam), whether it
    // holds a registration, and how many updates the key received.
    static QSet<QString> lastNvrCtrlSnapParam(int key);
    static bool hasNvrCtrlSnapParam(int key);
    static int nvrCtrlSnapUpdateCount(int key);
    // Whether any window registered the recorder channel: the platform sends a recorder's
    // snapshots only for registered channels.
    static bool isNvrChannelRegistered(const QString &channelUid);

    // --- Asynchronous platform calls (sendAsyncMessage) ---
    // Until switched back to None, every reply is spoiled: an error code, a time-out (no
    // response), a late reply (after AsyncPlatformService::LateReplyDelayMs) or a reply with a
    // handle never handed out.
    static void setAsyncReplyFault(AsyncPlatformService::Fault fault, int errorCode = 10005);
    static AsyncPlatformService::Fault asyncReplyFault();
    // Delay before an answer is worked out (default AsyncPlatformService::DefaultReplyDelayMs).
    static void setAsyncReplyDelay(int milliseconds);
    static int asyncOutstandingCount();
    // The platform's daily reset of the snapshot totals (stored, then sendSnapZero).
    static bool resetDailyTotals();

    // --- Over-temperature alarm handling (OverTemperatureProcessDialog) ---
    // The next handling save fails as a refused write would; nothing is stored.
    static void failNextAlarmHandlingSave();
    // Every stored handling, oldest first.
    static std::vector<AlarmHandlingStore::Record> alarmHandlingRecords();

    // --- Statistics (VORNClientStatisticsManager) ---
    // How getTempAlarmHandleStatistics answers from now on: from the stored handlings, with a
    // failure, or successfully with no rows.
    enum class StatisticsAnswer { Stored, Fail, Empty };
    static void setAlarmHandleStatisticsAnswer(StatisticsAnswer answer);
    // The last query it received, and how many it received.
    static StatisticsQueryOfOrga lastAlarmHandleStatisticsQuery();
    static int alarmHandleStatisticsQueryCount();

    // --- Steady clock (System) ---
    // Moves System::getSecondCount() forward (or back), so that timed clearing can be checked
    // without waiting.
    static void advanceSecondCount(qint64 seconds);

    // --- Widgets ---
    // The last tips the widget showed, oldest first, at most BaseWidget::MaxRecentTips; the
    // record outlives the visible tip.
    static QList<QPair<QString, int>> recentTips(const BaseWidget *widget);
    // The last function card the widget asked for (card id -99999 before any).
    static BaseWidget::FunctionCardRequest lastFunctionCard(const BaseWidget *widget);
    // The guides the widget handed to the host shell, and how many times it did.
    static QList<BaseGuideWidget::GuideParam> guideParams(const BaseGuideWidget *widget);
    static int guideUpdateCount(const BaseGuideWidget *widget);
    // The player's grid of video windows.
    static FormPlayer *videoGrid(const FormVideoPlayer *player);

    // --- Speech (SpeechHelper) ---
    // Installs the voice (owned from now on), stopping the one in use.
    static void setSpeechEngine(std::unique_ptr<SpeechEngine> engine);
    // A text is given up when it has not ended after baseMs + perCharMs per character.
    static void setSpeechTimeout(int baseMs, int perCharMs);
    // Appends each text, as it starts to be spoken, with the time to this file; an empty path
    // stops writing.
    static void setSpeechTranscriptFile(const QString &path);

    // --- File transfer (FlieDataTransfer) ---
    // The next `count` accepted tasks end with status -1 without copying.
    static void failNextTransferTasks(int count);
    // The next accepted task reports `milliseconds` after its copy is done; tasks behind it go
    // on meanwhile, so completions can arrive out of order.
    static void delayNextTransferTask(int milliseconds);
    // The next `count` completions are posted twice.
    static void repeatNextTransferCompletions(int count);
    // Until switched off, every download that has to write a file fails as on a full disk.
    static void simulateFullDisk(bool full);
    static void resetTransferFaults();

    // --- Picture cache (FileDataCacheGroup) ---
    // Bound of the shared cache in bytes of decoded pictures, and its content.
    static void setImageCacheByteLimit(qint64 bytes);
    static qint64 imageCacheByteLimit();
    static qint64 imageCachedBytes();
    static int imageCachedCount();
    static bool isImageCached(const QString &path);
    static void clearImageCache();
};
