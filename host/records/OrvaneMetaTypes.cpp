#include "OrvaneMetaTypes.h"

#include "CompareInfo.h"
#include "Node.h"
#include "OrvaneArchive.h"
#include "OrvaneArchiveImageInfo.h"
#include "OrvaneChannel.h"
#include "OrvaneCompareNotifyMessage.h"
#include "OrvaneDevice.h"
#include "OrvaneGroup.h"
#include "OrvaneOperatorType.h"
#include "OrvanePersonGroup.h"
#include "OrvaneSnapTargetSource.h"
#include "OrvaneUser.h"
#include "ParamMap.h"

#include <QSet>
#include <QVector>

namespace orvane {

void registerMetaTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qRegisterMetaType<OrvaneDevice>("OrvaneDevice");
    qRegisterMetaType<OrvaneDeviceList>("OrvaneDeviceList");
    qRegisterMetaType<OrvaneChannel>("OrvaneChannel");
    qRegisterMetaType<OrvaneGroup>("OrvaneGroup");
    qRegisterMetaType<OrvaneOrga>("OrvaneOrga");
    qRegisterMetaType<OrvaneUser>("OrvaneUser");
    qRegisterMetaType<OrvanePersonGroup>("OrvanePersonGroup");
    qRegisterMetaType<OrvaneArchive>("OrvaneArchive");
    qRegisterMetaType<OrvaneOperatorType>("OrvaneOperatorType");
    qRegisterMetaType<Node>("Node");
    qRegisterMetaType<OrvaneSnapTargetSource>("OrvaneSnapTargetSource");
    qRegisterMetaType<QVector<OrvaneSnapTargetSource>>("QVector<OrvaneSnapTargetSource>");
    qRegisterMetaType<OrvaneArchiveImageInfo>("OrvaneArchiveImageInfo");
    qRegisterMetaType<CompareInfo>("CompareInfo");
    qRegisterMetaType<OrvaneSnapFaceInfo>("OrvaneSnapFaceInfo");
    qRegisterMetaType<OrvaneCompareNotifyMessage>("OrvaneCompareNotifyMessage");
    qRegisterMetaType<OrvaneCompareNotifyMessageList>("OrvaneCompareNotifyMessageList");
    qRegisterMetaType<std::vector<int>>("std::vector<int>");
    qRegisterMetaType<QVector<int>>("QVector<int>");
    qRegisterMetaType<QSet<QString>>("QSet<QString>");
    qRegisterMetaType<ParamMap>("ParamMap");
}

} // namespace orvane
