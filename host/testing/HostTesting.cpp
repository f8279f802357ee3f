#include "HostTesting.h"

#include "FileDataCacheGroup.h"
#include "FlieDataTransfer.h"
#include "FormVideoPlayer.h"
#include "PlatformStore.h"
#include "SpeechEngine.h"
#include "SpeechHelper.h"
#include "System.h"
#include "VORNClientAIManager.h"
#include "VORNClientStatisticsManager.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

bool HostTesting::loadScenario(const QString &path)
{
    return VornClient::instance()->loadScenario(path);
}

bool HostTesting::loadScenarioData(const QByteArray &json)
{
    return VornClient::instance()->loadScenarioData(json);
}

QString HostTesting::lastScenarioError()
{
    return VornClient::instance()->lastScenarioError();
}

QString HostTesting::scenarioPath()
{
    return VornClient::instance()->scenarioPath();
}

QStringList HostTesting::connectedPictureServers()
{
    return VornClient::instance()->connectedPictureServers();
}

void HostTesting::addDevice(const OrvaneDevice &device, const std::vector<OrvaneChannel> &channels)
{
    VornClient::instance()->addDevice(device, channels);
}

bool HostTesting::removeDevice(int deviceId)
{
    return VornClient::instance()->removeDevice(deviceId);
}

void HostTesting::addOrga(const OrvaneOrga &orga)
{
    VornClient::instance()->addOrga(orga);
}

bool HostTesting::removeOrga(int orgaId)
{
    return VornClient::instance()->removeOrga(orgaId);
}

VoiceStrategyStore *HostTesting::strategyStore()
{
    return VoiceStrategyStore::instance();
}

QSet<QString> HostTesting::lastNvrCtrlSnapParam(int key)
{
    return VORNClientAIManager::instance()->lastNvrCtrlSnapParam(key);
}

bool HostTesting::hasNvrCtrlSnapParam(int key)
{
    return VORNClientAIManager::instance()->hasNvrCtrlSnapParam(key);
}

int HostTesting::nvrCtrlSnapUpdateCount(int key)
{
    return VORNClientAIManager::instance()->nvrCtrlSnapUpdateCount(key);
}

bool HostTesting::isNvrChannelRegistered(const QString &channelUid)
{
    return VORNClientAIManager::instance()->isNvrChannelRegistered(channelUid);
}

void HostTesting::setAsyncReplyFault(AsyncPlatformService::Fault fault, int errorCode)
{
    AsyncPlatformService::instance()->setFault(fault, errorCode);
}

AsyncPlatformService::Fault HostTesting::asyncReplyFault()
{
    return AsyncPlatformService::instance()->fault();
}

void HostTesting::setAsyncReplyDelay(int milliseconds)
{
    AsyncPlatformService::instance()->setReplyDelay(milliseconds);
}

int HostTesting::asyncOutstandingCount()
{
    return AsyncPlatformService::instance()->outstandingCount();
}

bool HostTesting::resetDailyTotals()
{
    return PlatformStore::instance()->recordDailyReset();
}

void HostTesting::advanceSecondCount(qint64 seconds)
{
    System::advanceSecondCount(seconds);
}

QList<QPair<QString, int>> HostTesting::recentTips(const BaseWidget *widget)
{
    return widget->recentTips();
}

BaseWidget::FunctionCardRequest HostTesting::lastFunctionCard(const BaseWidget *widget)
{
    return widget->lastFunctionCard();
}

QList<BaseGuideWidget::GuideParam> HostTesting::guideParams(const BaseGuideWidget *widget)
{
    return widget->guideParams();
}

int HostTesting::guideUpdateCount(const BaseGuideWidget *widget)
{
    return widget->guideUpdateCount();
}

FormPlayer *HostTesting::videoGrid(const FormVideoPlayer *player)
{
    return player->videoGrid();
}

void HostTesting::setSpeechEngine(std::unique_ptr<SpeechEngine> engine)
{
    SpeechHelper::instance()->setEngine(std::move(engine));
}

void HostTesting::setSpeechTimeout(int baseMs, int perCharMs)
{
    SpeechHelper::instance()->setTimeout(baseMs, perCharMs);
}

void HostTesting::setSpeechTranscriptFile(const QString &path)
{
    SpeechHelper::instance()->setTranscriptFile(path);
}

void HostTesting::failNextTransferTasks(int count)
{
    FlieDataTransfer::getInstance()->failNextTasks(count);
}

void HostTesting::delayNextTransferTask(int milliseconds)
{
    FlieDataTransfer::getInstance()->delayNextTask(milliseconds);
}

void HostTesting::repeatNextTransferCompletions(int count)
{
    FlieDataTransfer::getInstance()->repeatNextCompletions(count);
}

void HostTesting::simulateFullDisk(bool full)
{
    FlieDataTransfer::getInstance()->simulateFullDisk(full);
}

void HostTesting::resetTransferFaults()
{
    FlieDataTransfer::getInstance()->resetFaults();
}

void HostTesting::setImageCacheByteLimit(qint64 bytes)
{
    FileDataCacheGroup::setCacheByteLimit(bytes);
}

qint64 HostTesting::imageCacheByteLimit()
{
    return FileDataCacheGroup::cacheByteLimit();
}

qint64 HostTesting::imageCachedBytes()
{
    return FileDataCacheGroup::cachedBytes();
}

int HostTesting::imageCachedCount()
{
    return FileDataCacheGroup::cachedCount();
}

bool HostTesting::isImageCached(const QString &path)
{
    return FileDataCacheGroup::isCached(path);
}

void HostTesting::clearImageCache()
{
    FileDataCacheGroup::clearCache();
}

void HostTesting::failNextAlarmHandlingSave()
{
    AlarmHandlingStore::failNextSave();
}

std::vector<AlarmHandlingStore::Record> HostTesting::alarmHandlingRecords()
{
    return AlarmHandlingStore::records();
}

void HostTesting::setAlarmHandleStatisticsAnswer(StatisticsAnswer answer)
{
    using Answer = VORNClientStatisticsManager::Answer;
    Answer value = Answer::Stored;
    if (answer == StatisticsAnswer::Fail)
        value = Answer::Fail;
    else if (answer == StatisticsAnswer::Empty)
        value = Answer::Empty;
    VORNClientStatisticsManager::instance()->setAlarmHandleAnswer(value);
}

StatisticsQueryOfOrga HostTesting::lastAlarmHandleStatisticsQuery()
{
    return VORNClientStatisticsManager::instance()->lastAlarmHandleQuery();
}

int HostTesting::alarmHandleStatisticsQueryCount()
{
    return VORNClientStatisticsManager::instance()->alarmHandleQueryCount();
}
