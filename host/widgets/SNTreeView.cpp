#include "SNTreeView.h"

#include "SNStandardItemModel.h"

SNTreeView::SNTreeView(QWidget *parent)
    : QTreeView(parent)
    , m_pModel(new SNStandardItemModel(this))
{
    setModel(m_pModel);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

SNTreeView::~SNTreeView() = default;

void SNTreeView::clearItemData()
{
    m_pModel->clear();
}

void SNTreeView::appendItemData(const NodeList &p_vecNodes, bool p_bAsList)
{
    if (p_bAsList) {
        m_pModel->appendNodes(p_vecNodes);
        return;
    }
    // Flat: every node at the top, whatever its parent.
    NodeList flat = p_vecNodes;
    for (Node &node : flat)
        node.strParentKey.clear();
    m_pModel->appendNodes(flat);
}

bool SNTreeView::getCurrentItemData(Node &p_objNode) const
{
    return SNStandardItemModel::nodeAt(currentIndex(), p_objNode);
}
