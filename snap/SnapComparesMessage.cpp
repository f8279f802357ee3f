#include "SnapComparesMessage.h"

#include <atomic>

namespace {

// Atomic because a record's pointer rides through the transfer thread; the records themselves
// are only created and destroyed on the UI thread, but the counter must never be the weak spot.
std::atomic<int> g_nLiveCount{0};

void registerOnLoad()
{
    SnapComparesMessage::registerMetaType();
}
Q_CONSTRUCTOR_FUNCTION(registerOnLoad)

} // namespace

SnapComparesMessage::SnapComparesMessage()
{
    ++g_nLiveCount;
}

SnapComparesMessage::SnapComparesMessage(const OrvaneSnapFaceInfo &p_objSnapFaceInfo,
                                         const CompareInfo &p_objCompareInfo, bool p_bAnnounce)
    : snapFaceInfo(p_objSnapFaceInfo)
    , compareInfo(p_objCompareInfo)
    , bAnnounce(p_bAnnounce)
{
    ++g_nLiveCount;
}

SnapComparesMessage::SnapComparesMessage(const SnapComparesMessage &other)
    : snapFaceInfo(other.snapFaceInfo)
    , compareInfo(other.compareInfo)
    , bAnnounce(other.bAnnounce)
{
    ++g_nLiveCount;
}

SnapComparesMessage::SnapComparesMessage(SnapComparesMessage &&other) noexcept
    : snapFaceInfo(std::move(other.snapFaceInfo))
    , compareInfo(std::move(other.compareInfo))
    , bAnnounce(other.bAnnounce)
{
    ++g_nLiveCount;
}

SnapComparesMessage::~SnapComparesMessage()
{
    --g_nLiveCount;
}

int SnapComparesMessage::liveCount()
{
    return g_nLiveCount.load();
}

void SnapComparesMessage::registerMetaType()
{
    static const int id = qRegisterMetaType<SnapComparesMessage>("SnapComparesMessage");
    Q_UNUSED(id)
}
