#pragma once

#include "SnapComparesMessage.h"

#include <deque>
#include <memory>

// Records whose pictures are in, waiting for their turn to be shown.
//
// A list shows only its newest cards: a record with a whole list's capacity of newer records
// waiting for that list behind it would be pushed out of the list as soon as it came, so it
// is left out of that list. A record left for no list is released at once, which keeps the
// queue within the two capacities together however many completions arrive at once.
class ReadySnapQueue
{
public:
    enum Target {
        Strip = 0x1,
        OverTempList = 0x2,
    };

    struct Entry
    {
        std::unique_ptr<SnapComparesMessage> record;
        int targets = 0; // Target flags
    };

    ReadySnapQueue(int p_nStripCapacity, int p_nOverTempListCapacity);
    ReadySnapQueue(const ReadySnapQueue &) = delete;
    ReadySnapQueue &operator=(const ReadySnapQueue &) = delete;

    // Appends the record for the lists in `p_nTargets`; for none it is released.
    void push(std::unique_ptr<SnapComparesMessage> p_pRecord, int p_nTargets);
    // The oldest record waiting; the queue must not be empty.
    Entry takeFirst();

    bool isEmpty() const { return m_queue.empty(); }
    int size() const { return int(m_queue.size()); }
    // Most records waiting at once, and records left out of each list, since construction.
    int peakSize() const { return m_nPeakSize; }
    int stripSkips() const { return m_nStripSkips; }
    int overTempListSkips() const { return m_nOverTempListSkips; }

private:
    void leaveOutOldest(Target p_eTarget);

    std::deque<Entry> m_queue;
    const int m_nStripCapacity;
    const int m_nOverTempListCapacity;
    int m_nStripWaiting = 0;
    int m_nOverTempListWaiting = 0;
    int m_nPeakSize = 0;
    int m_nStripSkips = 0;
    int m_nOverTempListSkips = 0;
};
