#pragma once

#include "FaultNotices.h"

#include "IntelligentSnapConfigParam.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QObject>

#include <optional>
#include <vector>

class QTimer;

// What a screen reads from and writes to the stores, kept going while they fail: a read that
// failed at the first show and a write that did not arrive are tried again every
// RetryIntervalMs from the event loop until they succeed. The screen meanwhile works with what
// it has in memory, and learns of a late read through the signals.
class ScreenStoreSync : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryIntervalMs = 5000;

    explicit ScreenStoreSync(QObject *parent = nullptr);
    ~ScreenStoreSync() override;

    void setRetryInterval(int ms);

    // The window's strategies (see StrategyLoader); false when they could not be loaded: they
    // follow through strategiesLoaded.
    bool loadStrategies(int strategyWindowId,
                        std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);

    // The window's channel selection; false when the store could not be read: the stored
    // selection follows through snapConfigLoaded, unless a newer one is stored first.
    bool loadSnapConfig(int windowId, IntelligentSnapConfigParam &param);
    // False when the store refused it: it is written when the store takes writes again.
    bool storeSnapConfig(int windowId, const IntelligentSnapConfigParam &param);

    bool hasPendingWork() const;

signals:
    void strategiesLoaded(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);
    void snapConfigLoaded(const IntelligentSnapConfigParam &param);
    void faultChanged(FaultNotices::Kind kind, bool failing);

private:
    bool storeFailing() const;
    void retry();
    void retryStrategies();
    void retrySnapConfig();
    void updateTimer();

    QTimer *m_pRetryTimer = nullptr;
    std::optional<int> m_nPendingStrategyWindow;
    std::optional<int> m_nPendingReadWindow;
    // The newest selection the store did not take, with its window id.
    std::optional<std::pair<int, IntelligentSnapConfigParam>> m_pendingWrite;
};
