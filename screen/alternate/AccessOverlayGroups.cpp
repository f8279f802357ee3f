#include "AccessOverlayGroups.h"

AccessOverlayGroups::Admission AccessOverlayGroups::add(int p_nId)
{
    Admission admission;
    while (m_vecIds.size() >= MaxGroups)
        admission.vecDropped.append(m_vecIds.takeAt(1));
    if (m_vecIds.size() == 1)
        admission.nMovedDown = m_vecIds.first();
    m_vecIds.prepend(p_nId);
    return admission;
}

int AccessOverlayGroups::removeOldest()
{
    return m_vecIds.isEmpty() ? NoGroup : m_vecIds.takeLast();
}

void AccessOverlayGroups::clear()
{
    m_vecIds.clear();
}
