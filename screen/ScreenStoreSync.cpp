#include "ScreenStoreSync.h"

#include "StrategyLoader.h"

#include "AppConfigHelper.h"

#include <QDebug>
#include <QTimer>

ScreenStoreSync::ScreenStoreSync(QObject *parent)
    : QObject(parent)
    , m_pRetryTimer(new QTimer(this))
{
    m_pRetryTimer->setInterval(RetryIntervalMs);
    connect(m_pRetryTimer, &QTimer::timeout, this, &ScreenStoreSync::retry);
}

ScreenStoreSync::~ScreenStoreSync() = default;

void ScreenStoreSync::setRetryInterval(int ms)
{
    m_pRetryTimer->setInterval(ms);
}

bool ScreenStoreSync::loadStrategies(int strategyWindowId,
                                     std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    const bool loaded = StrategyLoader::loadWindowStrategies(strategyWindowId, strategies);
    if (loaded) {
        m_nPendingStrategyWindow.reset();
    } else {
        qDebug() << "ScreenStoreSync::loadStrategies window" << strategyWindowId
                 << "not loaded, tried again in" << m_pRetryTimer->interval() << "ms";
        m_nPendingStrategyWindow = strategyWindowId;
    }
    emit faultChanged(FaultNotices::Strategies, !loaded);
    updateTimer();
    return loaded;
}

bool ScreenStoreSync::loadSnapConfig(int windowId, IntelligentSnapConfigParam &param)
{
    bool ok = false;
    param = AppConfigHelper::instance()->getEpidemicPreviewConfigParam(windowId, &ok);
    if (ok) {
        m_nPendingReadWindow.reset();
    } else {
        qDebug() << "ScreenStoreSync::loadSnapConfig window" << windowId
                 << "not read, tried again in" << m_pRetryTimer->interval() << "ms";
        m_nPendingReadWindow = windowId;
    }
    emit faultChanged(FaultNotices::Store, storeFailing());
    updateTimer();
    return ok;
}

bool ScreenStoreSync::storeSnapConfig(int windowId, const IntelligentSnapConfigParam &param)
{
    // Whatever was stored before, this is the selection from now on.
    m_nPendingReadWindow.reset();
    const bool stored = AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, param);
    if (stored) {
        m_pendingWrite.reset();
    } else {
        qDebug() << "ScreenStoreSync::storeSnapConfig window" << windowId
                 << "not stored, kept in memory and tried again in" << m_pRetryTimer->interval()
                 << "ms";
        m_pendingWrite = std::make_pair(windowId, param);
    }
    emit faultChanged(FaultNotices::Store, storeFailing());
    updateTimer();
    return stored;
}

bool ScreenStoreSync::hasPendingWork() const
{
    return m_nPendingStrategyWindow || storeFailing();
}

bool ScreenStoreSync::storeFailing() const
{
    return m_nPendingReadWindow || m_pendingWrite;
}

void ScreenStoreSync::retry()
{
    retryStrategies();
    retrySnapConfig();
    updateTimer();
}

void ScreenStoreSync::retryStrategies()
{
    if (!m_nPendingStrategyWindow)
        return;
    std::vector<ST_MSGVoiceBroadcastStrategy> strategies;
    if (!StrategyLoader::loadWindowStrategies(*m_nPendingStrategyWindow, strategies))
        return;
    m_nPendingStrategyWindow.reset();
    emit faultChanged(FaultNotices::Strategies, false);
    emit strategiesLoaded(strategies);
}

void ScreenStoreSync::retrySnapConfig()
{
    AppConfigHelper *config = AppConfigHelper::instance();
    if (m_pendingWrite) {
        if (!config->setEpidemicPreviewConfigParam(m_pendingWrite->first, m_pendingWrite->second))
            return;
        m_pendingWrite.reset();
        emit faultChanged(FaultNotices::Store, storeFailing());
        return;
    }
    if (!m_nPendingReadWindow)
        return;
    bool ok = false;
    const IntelligentSnapConfigParam param =
            config->getEpidemicPreviewConfigParam(*m_nPendingReadWindow, &ok);
    if (!ok)
        return;
    m_nPendingReadWindow.reset();
    emit faultChanged(FaultNotices::Store, storeFailing());
    emit snapConfigLoaded(param);
}

void ScreenStoreSync::updateTimer()
{
    if (!hasPendingWork())
        m_pRetryTimer->stop();
    else if (!m_pRetryTimer->isActive())
        m_pRetryTimer->start();
}
