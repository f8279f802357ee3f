#pragma once

#include <QComboBox>

// Combo box whose drop-down is a tree (an SNTreeView set as its view): any item of the tree,
// not only a top one, can be the current item.
class SNComboBoxWithTree : public QComboBox
{
    Q_OBJECT
public:
    explicit SNComboBoxWithTree(QWidget *parent = nullptr);
    ~SNComboBoxWithTree() override;

    void showPopup() override;
};
