// Seam probe (tests/seam/CMakeLists.txt): a plug-in file including the testing seam. It must not
// compile: host/testing is not on the plug-in's include path.
#include "HostTesting.h"

int hostSeamProbeTesting()
{
    HostTesting::advanceSecondCount(1);
    return 0;
}
