#include "DemoSitePreset.h"

#include "StrategyDefaults.h"
#include "VoiceStrategyStore.h"

#include <vector>

namespace DemoSitePreset {

bool prepareWindow(int windowId)
{
    // Strategies are kept under the window id plus 1.
    const int key = windowId + 1;
    std::vector<ST_MSGVoiceBroadcastStrategy> stored;
    if (!VoiceStrategyStore::instance()->list(key, stored) || !stored.empty())
        return true;
    for (ST_MSGVoiceBroadcastStrategy strategy :
         {StrategyDefaults::strangerStrategy(key), StrategyDefaults::registryStrategy(key)}) {
        strategy.set_display_mode(1);
        strategy.set_thermometry_mode(1);
        int id = 0;
        if (!VoiceStrategyStore::instance()->add(strategy, id))
            return false;
    }
    return true;
}

} // namespace DemoSitePreset
