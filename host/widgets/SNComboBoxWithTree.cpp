#include "SNComboBoxWithTree.h"

#include <QTreeView>

SNComboBoxWithTree::SNComboBoxWithTree(QWidget *parent)
    : QComboBox(parent)
{
}

SNComboBoxWithTree::~SNComboBoxWithTree() = default;

void SNComboBoxWithTree::showPopup()
{
    // The whole tree opens, whichever branch the current item sits in.
    setRootModelIndex(QModelIndex());
    if (auto *tree = qobject_cast<QTreeView *>(view()))
        tree->expandAll();
    QComboBox::showPopup();
}
