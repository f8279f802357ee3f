#pragma once

#include "Node.h"

#include <QStandardItemModel>

// Item model of the host's tree widgets: one item per node, the node kept in the item, nested
// by the nodes' parent keys.
class SNStandardItemModel : public QStandardItemModel
{
    Q_OBJECT
public:
    static constexpr int NodeRole = Qt::UserRole + 1;
    static constexpr int KeyRole = Qt::UserRole + 2;

    explicit SNStandardItemModel(QObject *parent = nullptr);
    ~SNStandardItemModel() override;

    // Appends the nodes in order; a node whose parent key names an earlier node goes below it,
    // any other at the top. Names are plain text.
    void appendNodes(const NodeList &p_vecNodes);
    // Index of the node with the key; invalid when there is none.
    QModelIndex getSelectedNode(const QString &p_strKey) const;
    static bool nodeAt(const QModelIndex &p_objIndex, Node &p_objNode);
};
