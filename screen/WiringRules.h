#pragma once

#include "SnapStatisticTypes.h"

#include "IntelligentSnapConfigParam.h"
#include "Node.h"
#include "OrvaneDevice.h"
#include "OrvaneOperatorType.h"

#include <QRect>
#include <QSet>
#include <QStringList>

#include <vector>

// The decisions of the screen's channel, recorder and organisation wiring, apart from its
// widgets.
namespace WiringRules {

// Channels a window screens at most when it screens "all channels".
constexpr int MaxScreenedChannels = 4;
// A recorder's AI-detect type that delivers face snapshots.
constexpr int AiDetectFaceSnapshot = 5;
// Devices re-register their recorder channels this long after a device change.
constexpr int ReRegisterDelayMs = 300;

// "All channels" at load: keeps the first MaxScreenedChannels of the collected channels; a
// non-empty selection then stands for itself (the flag is cleared in memory).
void capAllChannelSelection(IntelligentSnapConfigParam &p_objSource);

// The selected channels to register with the platform: those of recorders whose AI-detect
// value is unset or holds face snapshots. Unparsable channels and unknown devices are left out.
QSet<QString> recorderChannelsToRegister(const QStringList &p_listChannelUIDs);

// Thermal channels a changed device brings or takes; empty for a device that is skipped.
QStringList thermalChannelsOfChangedDevice(const OrvaneDevice &p_objDevice);

// Applies the channels of a device change to a selection: added or modified devices append
// theirs (no repeats) while fewer than MaxScreenedChannels are selected, deleted devices
// remove theirs. The channel count follows.
void applyDeviceChannels(IntelligentSnapConfigParam &p_objSource, const QStringList &p_listUIDs,
                         OrvaneOperatorType p_eKind);

// The statistics type a stored value stands for: 3 when unset.
ENUM_MSGQueryTimeTempSnapStatisticsType storedStatisticsType(int p_nStored);

// The node with the stored organisation id, else the first node; null without nodes.
const Node *chooseOrgaNode(const std::vector<Node> &p_vecNodes, int p_nStoredOrgaId);

// Where the organisation pop-up goes: as wide as the left panel, half as high as the ring
// panel, just below the organisation button. All in global coordinates.
QRect orgaPopupGeometry(const QRect &p_rectLeftPanel, int p_nButtonHeight, int p_nCircleHeight);

// A platform name as a button text: no mnemonics.
QString buttonText(const QString &p_strName);

} // namespace WiringRules
