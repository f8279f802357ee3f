#include "PendingSnapTasks.h"

#include "FeverValues.h"

bool PendingSnapTasks::adopt(int p_nTaskId, std::unique_ptr<SnapComparesMessage> p_pRecord,
                             bool p_bForStrip)
{
    if (!p_pRecord || p_nTaskId == FeverValues::NoValue)
        return false;
    return m_mapRecords.emplace(p_nTaskId, Pending{std::move(p_pRecord), p_bForStrip}).second;
}

std::unique_ptr<SnapComparesMessage> PendingSnapTasks::take(int p_nTaskId, bool *p_pForStrip)
{
    const auto it = m_mapRecords.find(p_nTaskId);
    if (it == m_mapRecords.end())
        return nullptr;
    std::unique_ptr<SnapComparesMessage> record = std::move(it->second.record);
    if (p_pForStrip)
        *p_pForStrip = it->second.bForStrip;
    m_mapRecords.erase(it);
    return record;
}

bool PendingSnapTasks::contains(int p_nTaskId) const
{
    return m_mapRecords.count(p_nTaskId) != 0;
}

int PendingSnapTasks::size() const
{
    return int(m_mapRecords.size());
}

void PendingSnapTasks::clear()
{
    m_mapRecords.clear();
}
