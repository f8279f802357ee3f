#pragma once

#include "IntelligentSnapConfigParam.h"

#include <QStringList>

// The thermal channels a screening window listens to.
namespace ScreenedChannels {

// With "all channels" off: the selected channels, in order. With it on: every thermal channel
// of the user's screening devices (thermal channels of recorders, every channel of a thermal
// device), which also become the selection. Either way the channel count follows the selection.
QStringList collectChannelUIDs(IntelligentSnapConfigParam &p_objSnapSource);

} // namespace ScreenedChannels
