#pragma once

#include "Node.h"

#include <QTreeView>

class SNStandardItemModel;

// The host's tree of nodes (organisations, face-library groups), with its own model.
class SNTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit SNTreeView(QWidget *parent = nullptr);
    ~SNTreeView() override;

    SNStandardItemModel *itemModel() const { return m_pModel; }
    void clearItemData();
    // p_bAsList: the nodes are one list that carries its own nesting (parent keys).
    void appendItemData(const NodeList &p_vecNodes, bool p_bAsList);
    // The node of the current item; false (node untouched) when there is none.
    bool getCurrentItemData(Node &p_objNode) const;

private:
    SNStandardItemModel *m_pModel;
};
