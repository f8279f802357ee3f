#include "SNTreeViewSimplify.h"

#include <QHash>
#include <QStandardItemModel>

SNTreeViewSimplify::SNTreeViewSimplify(QWidget *parent)
    : QTreeView(parent)
    , m_pModel(new QStandardItemModel(this))
{
    setModel(m_pModel);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_pModel, &QStandardItemModel::itemChanged, this,
            &SNTreeViewSimplify::slot_itemChanged);
}

SNTreeViewSimplify::~SNTreeViewSimplify() = default;

void SNTreeViewSimplify::clearItemData()
{
    m_pModel->clear();
}

void SNTreeViewSimplify::appendItemData(const std::vector<Node> &p_vecNodes, bool p_bChecked)
{
    QHash<QString, QStandardItem *> byKey;
    for (const Node &node : p_vecNodes) {
        // Names come from the platform: a QStandardItem shows them as plain text.
        auto *item = new QStandardItem(node.strName);
        item->setData(QVariant::fromValue(node), NodeRole);
        if (m_bToolTip)
            item->setToolTip(node.strName);
        item->setCheckable(m_bCheckable);
        if (m_bCheckable) {
            item->setCheckState(p_bChecked && node.bChecked ? Qt::Checked : Qt::Unchecked);
            item->setEnabled(!p_bChecked || node.bCheckable);
        }
        QStandardItem *parent =
                node.strParentKey.isEmpty() ? nullptr : byKey.value(node.strParentKey);
        if (!parent)
            parent = findItem(node.strParentKey);
        m_bApplying = true;
        (parent ? parent : m_pModel->invisibleRootItem())->appendRow(item);
        m_bApplying = false;
        byKey.insert(node.strKey, item);
    }
}

void SNTreeViewSimplify::collect(const QStandardItem *item, std::vector<Node> &nodes) const
{
    for (int row = 0; row < item->rowCount(); ++row) {
        const QStandardItem *child = item->child(row);
        Node node = child->data(NodeRole).value<Node>();
        node.bChecked = child->checkState() == Qt::Checked;
        node.bCheckable = child->isEnabled();
        nodes.push_back(node);
        collect(child, nodes);
    }
}

std::vector<Node> SNTreeViewSimplify::getAllItemData() const
{
    std::vector<Node> nodes;
    collect(m_pModel->invisibleRootItem(), nodes);
    return nodes;
}

QStandardItem *SNTreeViewSimplify::findItem(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    std::vector<QStandardItem *> pending{m_pModel->invisibleRootItem()};
    while (!pending.empty()) {
        QStandardItem *item = pending.back();
        pending.pop_back();
        for (int row = 0; row < item->rowCount(); ++row) {
            QStandardItem *child = item->child(row);
            if (child->data(NodeRole).value<Node>().strKey == key)
                return child;
            pending.push_back(child);
        }
    }
    return nullptr;
}

void SNTreeViewSimplify::updateItemCheckData(const std::vector<Node> &p_vecNodes)
{
    m_bApplying = true;
    for (const Node &node : p_vecNodes) {
        QStandardItem *item = findItem(node.strKey);
        if (!item)
            continue;
        item->setCheckState(node.bChecked ? Qt::Checked : Qt::Unchecked);
        item->setEnabled(node.bCheckable);
    }
    m_bApplying = false;
}

void SNTreeViewSimplify::showToolTip(bool p_bShow)
{
    m_bToolTip = p_bShow;
}

void SNTreeViewSimplify::setCheckable(bool p_bCheckable)
{
    m_bCheckable = p_bCheckable;
}

void SNTreeViewSimplify::expandThree()
{
    expandAll();
}

void SNTreeViewSimplify::setDropFlag(bool p_bDrop)
{
    // Set: nodes stay where the platform put them, neither dragged nor dropped.
    setDragDropMode(p_bDrop ? QAbstractItemView::NoDragDrop : QAbstractItemView::DragDrop);
}

void SNTreeViewSimplify::setSelectedRowsFlag(bool p_bMultiple)
{
    setSelectionMode(p_bMultiple ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
}

void SNTreeViewSimplify::setParentChildNodeRelationCheckState(bool p_bRelated)
{
    m_bRelated = p_bRelated;
}

void SNTreeViewSimplify::applyToChildren(QStandardItem *item, Qt::CheckState state)
{
    for (int row = 0; row < item->rowCount(); ++row) {
        QStandardItem *child = item->child(row);
        if (child->isEnabled() && child->isCheckable())
            child->setCheckState(state);
        applyToChildren(child, state);
    }
}

void SNTreeViewSimplify::slot_itemChanged(QStandardItem *item)
{
    if (m_bApplying)
        return;
    if (m_bRelated) {
        m_bApplying = true;
        applyToChildren(item, item->checkState());
        m_bApplying = false;
    }
    Node node = item->data(NodeRole).value<Node>();
    node.bChecked = item->checkState() == Qt::Checked;
    node.bCheckable = item->isEnabled();
    emit signalCheckChanged(node);
}
