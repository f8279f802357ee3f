#include "ReadySnapQueue.h"

#include <algorithm>

ReadySnapQueue::ReadySnapQueue(int p_nStripCapacity, int p_nOverTempListCapacity)
    : m_nStripCapacity(p_nStripCapacity)
    , m_nOverTempListCapacity(p_nOverTempListCapacity)
{
}

void ReadySnapQueue::push(std::unique_ptr<SnapComparesMessage> p_pRecord, int p_nTargets)
{
    p_nTargets &= Strip | OverTempList;
    if (!p_pRecord || p_nTargets == 0)
        return;
    m_queue.push_back({std::move(p_pRecord), p_nTargets});
    if (p_nTargets & Strip)
        ++m_nStripWaiting;
    if (p_nTargets & OverTempList)
        ++m_nOverTempListWaiting;
    while (m_nStripWaiting > m_nStripCapacity)
        leaveOutOldest(Strip);
    while (m_nOverTempListWaiting > m_nOverTempListCapacity)
        leaveOutOldest(OverTempList);
    m_nPeakSize = std::max(m_nPeakSize, size());
}

ReadySnapQueue::Entry ReadySnapQueue::takeFirst()
{
    Entry entry = std::move(m_queue.front());
    m_queue.pop_front();
    if (entry.targets & Strip)
        --m_nStripWaiting;
    if (entry.targets & OverTempList)
        --m_nOverTempListWaiting;
    return entry;
}

void ReadySnapQueue::leaveOutOldest(Target p_eTarget)
{
    const auto oldest = std::find_if(m_queue.begin(), m_queue.end(), [p_eTarget](const Entry &e) {
        return (e.targets & p_eTarget) != 0;
    });
    oldest->targets &= ~p_eTarget;
    if (p_eTarget == Strip) {
        --m_nStripWaiting;
        ++m_nStripSkips;
    } else {
        --m_nOverTempListWaiting;
        ++m_nOverTempListSkips;
    }
    if (oldest->targets == 0)
        m_queue.erase(oldest);
}
