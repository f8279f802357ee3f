// Seam probe (tests/seam/CMakeLists.txt): a plug-in file using a plug-in header and one API
// header of each host folder. It must compile, with the same settings as the failing probes.
#include "EpidemicPreviewPlugin.h"

#include "BaseWidget.h"
#include "OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage.h"
#include "OrvaneCompareNotifyMessage.h"
#include "VORNClientAIManager.h"

#include <type_traits>

int hostSeamProbeControl()
{
    static_assert(std::is_base_of<QWidget, BaseWidget>::value, "BaseWidget is a widget");
    const OrvaneAddAiCompareVoiceBroadcastStrategyRequestMessage request;
    const OrvaneCompareNotifyMessage message;
    return VORNClientAIManager::instance() != nullptr && !request.getClassName().isEmpty()
                           && message.compareInfoVec.empty()
                   ? 1
                   : 0;
}
