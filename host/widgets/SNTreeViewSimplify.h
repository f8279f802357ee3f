#pragma once

#include "Node.h"

#include <QTreeView>

#include <vector>

class QStandardItem;
class QStandardItemModel;

// The host's light tree of nodes (organisations, face-library groups) with optional check boxes.
// Nodes are matched by their key; a node's parent is the node whose key is its parent key.
class SNTreeViewSimplify : public QTreeView
{
    Q_OBJECT
public:
    explicit SNTreeViewSimplify(QWidget *parent = nullptr);
    ~SNTreeViewSimplify() override;

    void clearItemData();
    // Adds the nodes, parents before children; p_bChecked gives them their own check marks
    // (bChecked, bCheckable) instead of all unchecked.
    void appendItemData(const std::vector<Node> &p_vecNodes, bool p_bChecked);
    // Every node in tree order, with its current check mark and whether it can be checked.
    std::vector<Node> getAllItemData() const;
    // Applies the check mark and enabled flag of each given node found by key.
    void updateItemCheckData(const std::vector<Node> &p_vecNodes);

    void showToolTip(bool p_bShow);
    void setCheckable(bool p_bCheckable);
    void expandThree();
    void setDropFlag(bool p_bDrop);
    void setSelectedRowsFlag(bool p_bMultiple);
    // When on, checking or unchecking a node does the same to its enabled descendants.
    void setParentChildNodeRelationCheckState(bool p_bRelated);
    bool parentChildNodeRelation() const { return m_bRelated; }

signals:
    void signalCheckChanged(Node p_objNode);

private:
    static constexpr int NodeRole = Qt::UserRole + 1;

    void slot_itemChanged(QStandardItem *item);
    void applyToChildren(QStandardItem *item, Qt::CheckState state);
    void collect(const QStandardItem *item, std::vector<Node> &nodes) const;
    QStandardItem *findItem(const QString &key) const;

    QStandardItemModel *m_pModel = nullptr;
    bool m_bCheckable = false;
    bool m_bToolTip = false;
    bool m_bRelated = false;
    bool m_bApplying = false;
};
