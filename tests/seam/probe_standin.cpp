// Seam probe (tests/seam/CMakeLists.txt): a plug-in file including a stand-in internal. It must
// not compile: host/standin is not on the plug-in's include path.
#include "PlatformStore.h"

int hostSeamProbeStandin()
{
    return PlatformStore::instance() != nullptr ? 1 : 0;
}
