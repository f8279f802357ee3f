#include "EpidemicPreview.h"
#include "ui_EpidemicPreview.h"

#include "WiringRules.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"

EpidemicPreview::EpidemicPreview(QWidget *parent)
    : ScreeningScreen(parent)
    , m_ui(std::make_unique<Ui::EpidemicPreViewWidget>())
{
    m_ui->setupUi(this);
    ScreenForm form = ScreenForm::fromCommonNames(*m_ui);
    form.mainLayout = m_ui->verticalLayout_9;
    form.widgetLeft = m_ui->widget;
    form.leftSideBarButton = m_ui->pushButtonHideSideBar;
    form.snapSideBarButton = m_ui->pushButtonHideSideBar_2;
    setForm(form);

    setUpVideoAndDevices();
    initForm();
    connectFaultHandling();
}

EpidemicPreview::~EpidemicPreview() = default;

void EpidemicPreview::initForm()
{
    retranslateUi();

    setStatedProperty(m_ui->pushButtonSound, "open");
    AppStyleHelper::updateWidgetStyle(m_ui->line, 14);
    setStatedProperty(m_ui->pushButtonHideSideBar, "hide");
    // Both side-bar buttons share the style rules written for the first one.
    m_ui->pushButtonHideSideBar_2->setObjectName(QStringLiteral("pushButtonHideSideBar"));
    setStatedProperty(m_ui->pushButtonHideSideBar_2, "hide");

    connectScreen();

    // Without the OEM switch the snapshot panel cannot be collapsed at all.
    if (AppConfigHelper::instance()->getOEMConfig().bCollapsibleSnapPanel) {
        m_ui->widgetSidebar_2->show();
        setSnapPanelCollapsed(true);
        m_ui->widgetSnapFace->hide();
    } else {
        m_ui->widgetSidebar_2->hide();
    }

    m_ui->widgetShowPictrue->hide();
}

void EpidemicPreview::retranslateUi()
{
    m_ui->labelDataStatistics->setText(
            AppLanguageTr::translate(QStringLiteral("TK_DataStatistics")));
    m_ui->labelDeviceList->setText(AppLanguageTr::translate(QStringLiteral("TK_DeviceList")));
    m_ui->labelMeasureTemp->setText(
            AppLanguageTr::translate(QStringLiteral("TK_MeasureTempRecord")));
    m_ui->pushButtonFilter->setText(AppLanguageTr::translate(QStringLiteral("TK_Filter")));
    if (isInitialised())
        applyOrgaSelection();
}

void EpidemicPreview::on_toolBox_currentChanged(int index)
{
    Q_UNUSED(index)
}

void EpidemicPreview::applyScreenPicture()
{
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    m_ui->widgetShowPictrue->setVisible(strategy
                                        && strategy->show_custom_picture == FeverValues::SwitchOn);
    if (strategy)
        m_ui->widgetShowPictrue->setPicture(
                QString::fromStdString(strategy->get_screen_image_url()));
}

void EpidemicPreview::showLeftPanelCollapsed(bool p_bCollapsed)
{
    if (p_bCollapsed) {
        setStatedProperty(m_ui->pushButtonHideSideBar, "show");
        m_ui->widget->hide();
    } else {
        setStatedProperty(m_ui->pushButtonHideSideBar, "hide");
        m_ui->widget->show();
    }
    m_ui->horizontalLayout_3->setContentsMargins(p_bCollapsed ? 0 : 2, 5, 5, 5);
}

void EpidemicPreview::showSnapPanelCollapsed(bool p_bCollapsed)
{
    if (p_bCollapsed) {
        setStatedProperty(m_ui->pushButtonHideSideBar_2, "hide");
        m_ui->widgetSnapFace->hide();
    } else {
        setStatedProperty(m_ui->pushButtonHideSideBar_2, "show");
        m_ui->widgetSnapFace->show();
    }
}

QRect EpidemicPreview::orgaPopupGeometry() const
{
    QWidget *leftPanel = m_ui->widget;
    return WiringRules::orgaPopupGeometry(
            QRect(leftPanel->mapToGlobal(QPoint(0, 0)), leftPanel->size()),
            m_ui->pushButtonOrgaGroup->height(), m_ui->widgetCircle->height());
}
