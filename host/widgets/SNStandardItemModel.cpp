#include "SNStandardItemModel.h"

#include <QHash>

SNStandardItemModel::SNStandardItemModel(QObject *parent)
    : QStandardItemModel(parent)
{
}

SNStandardItemModel::~SNStandardItemModel() = default;

void SNStandardItemModel::appendNodes(const NodeList &p_vecNodes)
{
    QHash<QString, QStandardItem *> byKey;
    for (const Node &node : p_vecNodes) {
        auto *item = new QStandardItem(node.strName);
        item->setEditable(false);
        item->setToolTip(node.strName);
        item->setData(QVariant::fromValue(node), NodeRole);
        item->setData(node.strKey, KeyRole);
        QStandardItem *parent =
                node.strParentKey.isEmpty() ? nullptr : byKey.value(node.strParentKey);
        (parent ? parent : invisibleRootItem())->appendRow(item);
        if (!node.strKey.isEmpty() && !byKey.contains(node.strKey))
            byKey.insert(node.strKey, item);
    }
}

QModelIndex SNStandardItemModel::getSelectedNode(const QString &p_strKey) const
{
    if (p_strKey.isEmpty() || rowCount() == 0)
        return QModelIndex();
    const QModelIndexList found =
            match(index(0, 0), KeyRole, p_strKey, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

bool SNStandardItemModel::nodeAt(const QModelIndex &p_objIndex, Node &p_objNode)
{
    const QVariant value = p_objIndex.data(NodeRole);
    if (!p_objIndex.isValid() || !value.canConvert<Node>())
        return false;
    p_objNode = value.value<Node>();
    return true;
}
