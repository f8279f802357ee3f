#pragma once

#include <QMetaType>
#include <QString>

#include <vector>

// Tree node of the host's tree widgets (organisation tree, face-library tree). The key identifies
// the node inside a tree model; the name is what the user sees.
struct Node
{
    int nId = 0;
    QString strKey;
    QString strName;
    QString strParentKey;
    bool bExpand = false;
    bool bChecked = false;
    bool bCheckable = true;
    int nParentId = -99999;
    int nLevel = 0;
};

using NODE = Node;
using NodeList = std::vector<Node>;

Q_DECLARE_METATYPE(Node)
