#pragma once

#include <QVector>

// Which access overlay groups stay over the video, newest first, each named by an id the screen
// chooses. At most two are shown: a new snapshot drops every group but the newest and moves that
// one down; each face ends its group after LifeMs, and whichever face fires, the oldest goes.
class AccessOverlayGroups
{
public:
    static constexpr int MaxGroups = 2;
    static constexpr int LifeMs = 30000;
    static constexpr int NoGroup = -1;

    struct Admission
    {
        QVector<int> vecDropped;  // to delete, with both their widgets
        int nMovedDown = NoGroup; // the group that now sits below the new one
    };

    Admission add(int p_nId);
    // Removes the oldest group; its id, NoGroup when there is none.
    int removeOldest();
    void clear();

    const QVector<int> &ids() const { return m_vecIds; }
    int indexOf(int p_nId) const { return m_vecIds.indexOf(p_nId); }

private:
    QVector<int> m_vecIds;
};
