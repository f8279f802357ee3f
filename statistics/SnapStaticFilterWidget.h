#pragma once

#include "SnapStatisticTypes.h"

#include "Node.h"
#include "SNDialog.h"

#include <QElapsedTimer>

#include <memory>
#include <vector>

namespace Ui {
class SnapStaticFilterWidget;
}

class SNTreeView;

// Pop-up that chooses what the daily totals count: the snapshot sources (platform, recorders)
// and the organisation, from the organisation tree. Every change is reported at once with
// sendNode; the pop-up closes itself when it loses the focus.
class SnapStaticFilterWidget : public SNDialog
{
    Q_OBJECT

public:
    explicit SnapStaticFilterWidget(QWidget *parent = nullptr);
    ~SnapStaticFilterWidget() override;

    // Loads the tree and shows the given choice; the boxes that change report as the user's
    // clicks would.
    void setFilterData(const std::vector<Node> &p_vecNodes, int p_nSelectedId,
                       ENUM_MSGQueryTimeTempSnapStatisticsType p_eType);
    Node lastNode() const { return m_objNode; }
    // Closed by a focus loss a moment ago: the click that took the focus away was meant to
    // close it, not to open it again.
    bool closedByFocusLossJustNow() const;

public slots:
    void initForm() override;
    void retranslateUi() override;
    void slot_checkBoxToggled(bool p_bChecked);
    void slot_comboboxChanged(QString p_strText);

signals:
    void sendNode(Node p_objNode, ENUM_MSGQueryTimeTempSnapStatisticsType p_eType);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reportChoice();

    std::unique_ptr<Ui::SnapStaticFilterWidget> m_ui;
    SNTreeView *m_pTreeView = nullptr;
    Node m_objNode;
    QElapsedTimer m_objClosedByFocusLoss;
};
