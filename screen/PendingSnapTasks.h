#pragma once

#include "SnapComparesMessage.h"

#include <map>
#include <memory>

// Snapshot records whose pictures are still being fetched, owned by transfer task id.
//
// The transfer hands every event back with the record's pointer as user data, but a completion
// may be repeated or arrive late, after the record is gone; the pointer alone cannot tell.
// Taking a record out by task id hands it over exactly once: later events of the same task find
// nothing and are ignored.
class PendingSnapTasks
{
public:
    PendingSnapTasks() = default;
    PendingSnapTasks(const PendingSnapTasks &) = delete;
    PendingSnapTasks &operator=(const PendingSnapTasks &) = delete;

    // Keeps the record of a task just added, and whether the strip wants it (history the
    // over-temperature list alone asked for does not go to the strip). False (the record is
    // released) for an invalid task id or one already outstanding.
    bool adopt(int p_nTaskId, std::unique_ptr<SnapComparesMessage> p_pRecord,
               bool p_bForStrip = true);
    // Hands the task's record over and forgets the task; null when the task is not outstanding.
    std::unique_ptr<SnapComparesMessage> take(int p_nTaskId, bool *p_pForStrip = nullptr);

    bool contains(int p_nTaskId) const;
    int size() const;
    // Releases every outstanding record.
    void clear();

private:
    struct Pending
    {
        std::unique_ptr<SnapComparesMessage> record;
        bool bForStrip = true;
    };
    std::map<int, Pending> m_mapRecords;
};
