#include "SnapStaticFilterWidget.h"
#include "ui_SnapStaticFilterWidget.h"

#include "SnapStatisticRules.h"

#include "AppLanguageTr.h"
#include "SNStandardItemModel.h"
#include "SNTreeView.h"

#include <QEvent>

SnapStaticFilterWidget::SnapStaticFilterWidget(QWidget *parent)
    : SNDialog(parent, Qt::Dialog)
    , m_ui(std::make_unique<Ui::SnapStaticFilterWidget>())
{
    m_ui->setupUi(this);
    initForm();
}

SnapStaticFilterWidget::~SnapStaticFilterWidget()
{
    // The combo box does not own the view's tree; it goes with the combo box's container.
}

void SnapStaticFilterWidget::initForm()
{
    setWindowModality(Qt::NonModal);
    installEventFilter(this);
    retranslateUi();

    // Before the connections, so that nothing is reported.
    m_ui->checkBoxPlatform->setChecked(true);
    m_ui->checkBoxNVR->setChecked(true);

    // Created without a parent: setView hands it to the combo box, which owns it from then on.
    m_pTreeView = new SNTreeView;
    m_ui->comboBoxGroup->setModel(m_pTreeView->model());
    m_ui->comboBoxGroup->setView(m_pTreeView);
    m_ui->comboBoxGroup->setMaxVisibleItems(25);

    connect(m_ui->comboBoxGroup, &QComboBox::textActivated, this,
            &SnapStaticFilterWidget::slot_comboboxChanged);
    connect(m_ui->checkBoxPlatform, &QCheckBox::toggled, this,
            &SnapStaticFilterWidget::slot_checkBoxToggled);
    connect(m_ui->checkBoxNVR, &QCheckBox::toggled, this,
            &SnapStaticFilterWidget::slot_checkBoxToggled);
}

void SnapStaticFilterWidget::retranslateUi()
{
    m_ui->labelDataSource->setText(AppLanguageTr::translate(QStringLiteral("TK_GisMapDataType")));
    m_ui->checkBoxPlatform->setText(AppLanguageTr::translate(QStringLiteral("TK_PlatForm")));
    m_ui->labelStaticRange->setText(AppLanguageTr::translate(QStringLiteral("TK_StaticRange")));
}

void SnapStaticFilterWidget::slot_checkBoxToggled(bool p_bChecked)
{
    Q_UNUSED(p_bChecked)
    reportChoice();
}

void SnapStaticFilterWidget::slot_comboboxChanged(QString p_strText)
{
    Q_UNUSED(p_strText)
    reportChoice();
}

void SnapStaticFilterWidget::reportChoice()
{
    const ENUM_MSGQueryTimeTempSnapStatisticsType type = SnapStatisticRules::typeFromSources(
            m_ui->checkBoxPlatform->isChecked(), m_ui->checkBoxNVR->isChecked());
    Node node;
    m_pTreeView->getCurrentItemData(node);
    m_objNode = node;
    emit sendNode(node, type);
}

void SnapStaticFilterWidget::setFilterData(const std::vector<Node> &p_vecNodes, int p_nSelectedId,
                                           ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    m_pTreeView->clearItemData();
    m_pTreeView->appendItemData(p_vecNodes, true);
    m_pTreeView->expandAll();

    for (const Node &node : p_vecNodes) {
        if (node.nId == p_nSelectedId) {
            m_objNode = node;
            break;
        }
    }
    if (m_objNode.strKey.isEmpty() && !p_vecNodes.empty()) {
        m_objNode = p_vecNodes.front();
        m_pTreeView->getCurrentItemData(m_objNode);
    }

    const QModelIndex index = m_pTreeView->itemModel()->getSelectedNode(m_objNode.strKey);
    if (index.isValid()) {
        // A combo box selects by row under its root: point the root at the node's branch.
        SNComboBoxWithTree *combo = m_ui->comboBoxGroup;
        combo->setRootModelIndex(index.parent());
        combo->setModelColumn(index.column());
        combo->setCurrentIndex(index.row());
        combo->setRootModelIndex(QModelIndex());
        m_pTreeView->setCurrentIndex(index);
    }

    // In this order: each box that changes reports, the first with the mixed state.
    QCheckBox *platform = m_ui->checkBoxPlatform;
    QCheckBox *nvr = m_ui->checkBoxNVR;
    switch (p_eType) {
    case QueryByPlatformAndNVR:
        platform->setChecked(true);
        nvr->setChecked(true);
        break;
    case QueryByNVR:
        nvr->setChecked(true);
        platform->setChecked(false);
        break;
    case QueryByPlatform:
        nvr->setChecked(false);
        platform->setChecked(true);
        break;
    default:
        platform->setChecked(false);
        nvr->setChecked(false);
        break;
    }
}

bool SnapStaticFilterWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this)
        return SNDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
        if (isVisible())
            m_objClosedByFocusLoss.start();
        closeSNDialog();
        return true;
    case QEvent::WindowActivate:
        return true;
    default:
        return SNDialog::eventFilter(watched, event);
    }
}

bool SnapStaticFilterWidget::closedByFocusLossJustNow() const
{
    return m_objClosedByFocusLoss.isValid() && m_objClosedByFocusLoss.elapsed() < 300;
}
