#include "PreviewConfigWidget.h"
#include "ui_PreviewConfigWidget.h"

#include "FeverValues.h"
#include "ScreenPicturePath.h"
#include "StrategyDefaults.h"
#include "StrategyStorage.h"
#include "TextConfigWidget.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "BaseHelper.h"
#include "CuVORNClientLogManager.h"
#include "FileTransStateEvent.h"
#include "FileTransThread.h"
#include "OrvaneClearTemperatureSnapTotalsEachDayRequestMessage.h"
#include "OrvaneClearTemperatureSnapTotalsEachDayResponseMessage.h"
#include "ScheduleTimeWidget.h"
#include "TransFileTask.h"
#include "VORNClientAIManager.h"
#include "VORNSDK.h"
#include "VornClient.h"

#include <QButtonGroup>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QIntValidator>
#include <QListWidgetItem>

#include <algorithm>

namespace {

using PreviewConfigRules::isStranger;

constexpr int StrategyRole = Qt::UserRole + 1;
constexpr int On = FeverValues::SwitchOn;
constexpr int Off = FeverValues::SwitchOff;
// The OEM value that selects the alternate screen, which has no place for these settings.
constexpr int AlternateScreen = 1;

struct ComboEntry
{
    const char *key;
    int value;
};

// Not "tr": inside the dialog's members that name would be QObject::tr.
QString tk(const char *p_szKey)
{
    return AppLanguageTr::translate(QLatin1String(p_szKey));
}

QString shown(const std::string &p_strText)
{
    return AppLanguageTr::translate(QString::fromStdString(p_strText));
}

int switchValue(bool p_bOn)
{
    return p_bOn ? On : Off;
}

void fill(QComboBox *p_pCombo, std::initializer_list<ComboEntry> p_lstEntries)
{
    p_pCombo->clear();
    for (const ComboEntry &entry : p_lstEntries)
        p_pCombo->addItem(tk(entry.key), entry.value);
}

void retranslate(QComboBox *p_pCombo, std::initializer_list<ComboEntry> p_lstEntries)
{
    int index = 0;
    for (const ComboEntry &entry : p_lstEntries)
        p_pCombo->setItemText(index++, tk(entry.key));
}

// A stored value that is not among the entries leaves the combo without a selection.
void select(QComboBox *p_pCombo, int p_nValue)
{
    p_pCombo->setCurrentIndex(p_pCombo->findData(p_nValue));
}

int value(const QComboBox *p_pCombo)
{
    return p_pCombo->currentData().toInt();
}

const std::initializer_list<ComboEntry> kSnapHandle = {
        {"TK_DefalutImage", 1}, {"TK_MosaicHandle", 2}, {"TK_NoHandle", 3}};
const std::initializer_list<ComboEntry> kShowContent = {{"TK_ShowCustomContent", 1},
                                                        {"TK_ShowPreview", 2}};
const std::initializer_list<ComboEntry> kScreenLayout = {{"TK_FullSrceenCard", 1},
                                                         {"TK_FullSrceenListCard", 2}};
const std::initializer_list<ComboEntry> kCardSize = {{"TK_Mid", 2}, {"TK_Small", 3}, {"TK_Big", 1}};
const std::initializer_list<ComboEntry> kTempRecord = {{"TK_AllTemperature", 1},
                                                       {"TK_OverTempSpeech", 2}};
const std::initializer_list<ComboEntry> kTempResult = {{"TK_ShowBodyTemperature", 1},
                                                       {"TK_NoShowBodyTemperature", 2},
                                                       {"TK_TemperatureResult", 3}};
const std::initializer_list<ComboEntry> kRegistryName = {
        {"TK_Name", 1}, {"TK_ShowNoting", 2}, {"TK_Custom", 3}};
const std::initializer_list<ComboEntry> kTemp = {
        {"TK_AllTempSpeech", 1}, {"TK_OverTempSpeech", 2}, {"TK_AbnormalTemp", 3}};
const std::initializer_list<ComboEntry> kMask = {{"TK_NoMask", 2}};

// Every combo of the form with its entries, for filling and for re-texting.
std::vector<std::pair<QComboBox *, std::initializer_list<ComboEntry>>>
comboTables(const Ui::PreviewConfigWidget &p_objUi)
{
    return {{p_objUi.comboBoxSnapHandle, kSnapHandle},
            {p_objUi.comboBoxShowContent, kShowContent},
            {p_objUi.comboBoxScreenLayout, kScreenLayout},
            {p_objUi.comboBoxCardSize, kCardSize},
            {p_objUi.comboBoxTempRecord, kTempRecord},
            {p_objUi.comboBoxTempResult, kTempResult},
            {p_objUi.comboBoxRegistryName, kRegistryName},
            {p_objUi.comboBoxTemp, kTemp},
            {p_objUi.comboBoxMask, kMask}};
}

} // namespace

PreviewConfigWidget::PreviewConfigWidget(QWidget *parent)
    : SNDialog(parent, Qt::Dialog)
    , m_ui(std::make_unique<Ui::PreviewConfigWidget>())
{
    m_ui->setupUi(this);
    initForm();
}

PreviewConfigWidget::~PreviewConfigWidget() = default;

void PreviewConfigWidget::initForm()
{
    m_ui->pushButtonClose->show();
    m_ui->pushButtonCancel->show();
    m_ui->pushButtonMacClose->hide();
    m_ui->pushButtonMacCancel->hide();
    m_ui->widgetPicture->setType(7);
    m_ui->widgetPicture->setPicScaledContents(false);

    fillCombos();

    m_ui->pushButtonDefaultMode->setCheckable(true);
    m_ui->pushButtonPrivateMode->setCheckable(true);
    if (!m_pModeGroup) {
        m_pModeGroup = new QButtonGroup(this);
        m_pModeGroup->setExclusive(true);
        m_pModeGroup->addButton(m_ui->pushButtonDefaultMode);
        m_pModeGroup->addButton(m_ui->pushButtonPrivateMode);
        connect(m_pModeGroup, qOverload<QAbstractButton *>(&QButtonGroup::buttonClicked), this,
                &PreviewConfigWidget::slot_imageDispalayMode);
    }

    auto *validator = new QIntValidator(0, PreviewConfigRules::MaxClearSeconds, this);
    m_ui->lineEditNormalTempClearTime->setValidator(validator);
    m_ui->lineEditOverTempClearTime->setValidator(validator);

    retranslateUi();
    AppStyleHelper::updateWidgetStyle(this, AppStyleHelper::StylePanel);
    connect(m_ui->widgetShowPicture, &SNSwitchControl::toggled, this,
            &PreviewConfigWidget::slot_showOrHidenPicture, Qt::UniqueConnection);
    connect(m_ui->widgetPicture, &Piclab::signalDelete, this,
            &PreviewConfigWidget::slot_deletePicture, Qt::UniqueConnection);
}

void PreviewConfigWidget::fillCombos()
{
    for (const auto &[combo, entries] : comboTables(*m_ui))
        fill(combo, entries);
}

void PreviewConfigWidget::retranslateUi()
{
    m_ui->labelTitle->setText(tk("TK_Set"));
    m_ui->pushButtonClose->setText(QStringLiteral("\u00d7"));
    m_ui->pushButtonMacClose->setText(QStringLiteral("\u00d7"));
    m_ui->tabWidget->setTabText(0, tk("TK_DisplaySet"));
    m_ui->tabWidget->setTabText(1, tk("TK_Speech"));

    m_ui->labelDisplayMode->setText(tk("TK_ImageDisplayMode"));
    m_ui->pushButtonDefaultMode->setText(tk("TK_DefaultMode"));
    m_ui->pushButtonPrivateMode->setText(tk("TK_PrivateMode"));
    m_ui->labelSnap->setText(tk("TK_SnapHandle"));
    m_ui->labelDisplayContent->setText(tk("TK_ScreenDisplayContent"));
    m_ui->pushButtonContentSet->setText(tk("TK_WordSet"));
    m_ui->labelScreenLayout->setText(tk("TK_ScreenLayout"));
    m_ui->labelCardSize->setText(tk("TK_CardSize"));
    m_ui->labelTempRecord->setText(tk("TK_TempRecord"));
    m_ui->labelTempResult->setText(tk("TK_TempResult"));
    m_ui->labelStranger->setText(tk("TK_Stranger"));
    m_ui->labelStrangerName->setText(tk("TK_StrangerShowName"));
    m_ui->lineEditStrangerName->setPlaceholderText(tk("TK_Default"));
    m_ui->labelRegistryName->setText(tk("TK_RegistryShowName"));
    m_ui->labelShowTotalNoMask->setText(tk("TK_ShowTotalNoMask"));
    m_ui->labelSnapClear->setText(tk("TK_SnapClear"));
    m_ui->pushButtonManualClear->setText(tk("TK_AreaManualClearZero"));
    m_ui->labelShowCustomPicture->setText(tk("TK_ShowCustomPicture"));
    m_ui->labelSelectPicture->setText(tk("TK_SelectPicture"));
    m_ui->pushButtonSelectPicture->setText(tk("TK_SelectPicture"));
    m_ui->labelAutoFull->setText(tk("TK_AutoFullScreen"));
    m_ui->labelNormalTempClear->setText(tk("TK_NormalTempAutoClear"));
    m_ui->labelOverTempClear->setText(tk("TK_OverTempAutoClear"));
    m_ui->labelOverTempDeviceNameShow->setText(tk("TK_OverTempDeviceNameShow"));

    m_ui->addPushButton->setText(tk("TK_Add"));
    m_ui->addPushButton->setIcon(
            QIcon(QStringLiteral(":/images/home/common/common_16/add_16.png")));
    m_ui->deletePushButton->setText(tk("TK_Delete"));
    m_ui->deletePushButton->setIcon(
            QIcon(QStringLiteral(":/images/home/common/common_16/delete_16.png")));
    m_ui->labelContent->setText(tk("TK_BroadcastContent") + QStringLiteral(":"));
    m_ui->lineEditName->setPlaceholderText(tk("TK_Default"));
    m_ui->checkBoxTemp->setText(tk("TK_BodyTemperature"));
    m_ui->checkBoxNormal->setText(tk("TK_NormalTemperature"));
    m_ui->labelOverTemp->setText(tk("TK_OverTemperature"));
    m_ui->labelAbnormal->setText(tk("TK_AbnormalTempSpeech"));
    m_ui->checkBoxMask->setText(tk("TK_Mask"));
    m_ui->lineEditMaskCotent->setPlaceholderText(tk("TK_Default"));
    m_ui->checkBoxCustom->setText(tk("TK_Custom"));
    m_ui->lineEditCustom->setPlaceholderText(tk("TK_Default"));
    m_ui->labelTime->setText(tk("TK_BroadcastTime") + QStringLiteral(":"));
    m_ui->checkBoxVoiceTime->setText(tk("TK_Time"));
    m_ui->pushButtonTimeSet->setText(tk("TK_TimeSet"));
    m_ui->labelPersonGroup->setText(tk("TK_FaceLib") + QStringLiteral(":"));
    m_ui->faceLibCheckBox->setText(tk("TK_SelectLowerLevel"));

    m_ui->pushButtonOK->setText(tk("TK_OK"));
    m_ui->pushButtonApply->setText(tk("TK_Apply"));
    m_ui->pushButtonCancel->setText(tk("TK_Cancel"));
    m_ui->pushButtonMacCancel->setText(tk("TK_Cancel"));

    for (const auto &[combo, entries] : comboTables(*m_ui))
        retranslate(combo, entries);

    for (QPushButton *button : {m_ui->pushButtonDefaultMode, m_ui->pushButtonPrivateMode})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 17);
    BaseHelper::adjustTabWidgetViewWidth(m_ui->tabWidget, 140);
}

void PreviewConfigWidget::setStrategyList(
        const std::vector<ST_MSGVoiceBroadcastStrategy> &p_vecStrategies)
{
    m_vecStrategies = p_vecStrategies;
}

std::vector<ST_MSGVoiceBroadcastStrategy> PreviewConfigWidget::strategyList() const
{
    return m_vecStrategies;
}

ST_MSGVoiceBroadcastStrategy PreviewConfigWidget::rowStrategy(const QListWidgetItem *p_pItem)
{
    return p_pItem->data(StrategyRole).value<ST_MSGVoiceBroadcastStrategy>();
}

void PreviewConfigWidget::setRowStrategy(QListWidgetItem *p_pItem,
                                         const ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    p_pItem->setData(StrategyRole, QVariant::fromValue(p_objStrategy));
}

void PreviewConfigWidget::doAfterWidgetShow()
{
    SNTreeViewSimplify *tree = m_ui->treeView;
    tree->clearItemData();
    tree->showToolTip(true);
    tree->setCheckable(true);
    const std::vector<Node> nodes = VORNClientAIManager::instance()->getPersonGroupTreeNodes();
    if (!nodes.empty()) {
        tree->appendItemData(nodes, true);
        tree->expandThree();
    }
    tree->setDropFlag(true);
    tree->setSelectedRowsFlag(false);

    // Unsaved edits of an earlier showing are gone: the rows are rebuilt from the list.
    m_bRebuildingRows = true;
    m_ui->listWidget->clear();
    int registryCount = 0;
    for (const ST_MSGVoiceBroadcastStrategy &strategy : m_vecStrategies) {
        auto *item = new QListWidgetItem(m_ui->listWidget);
        if (isStranger(strategy)) {
            loadDisplayTab(strategy);
            item->setText(tk("TK_Stranger"));
        } else {
            item->setText(PreviewConfigRules::registryRowText(++registryCount, false));
        }
        setRowStrategy(item, strategy);
    }
    m_bRebuildingRows = false;
    m_ui->listWidget->setCurrentRow(0);
    loadVoicePage(m_ui->listWidget->currentItem());
}

void PreviewConfigWidget::enablePrivateModeControls(bool p_bEnabled)
{
    m_ui->comboBoxSnapHandle->setEnabled(p_bEnabled);
    m_ui->pushButtonContentSet->setEnabled(p_bEnabled);
    m_ui->comboBoxShowContent->setEnabled(p_bEnabled);
}

void PreviewConfigWidget::loadDisplayTab(const ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    select(m_ui->comboBoxCardSize, p_objStrategy.get_card_size());
    select(m_ui->comboBoxScreenLayout, p_objStrategy.get_display_mode());
    select(m_ui->comboBoxSnapHandle, p_objStrategy.get_snap_image_handle());
    select(m_ui->comboBoxShowContent, p_objStrategy.get_screen_content_mode());
    select(m_ui->comboBoxTempResult, p_objStrategy.get_thermometry_result());
    select(m_ui->comboBoxRegistryName, p_objStrategy.get_show_archive());
    m_ui->widgetStranger->setToggle(p_objStrategy.get_show_stranger() == On, true);

    const bool defaultMode = p_objStrategy.get_image_display_mode() == 1;
    (defaultMode ? m_ui->pushButtonDefaultMode : m_ui->pushButtonPrivateMode)->setChecked(true);
    enablePrivateModeControls(!defaultMode);

    m_ui->lineEditStrangerName->setText(shown(p_objStrategy.get_stranger_show_name()));
    m_ui->lineEditRegistryName->setText(shown(p_objStrategy.get_archive_show_name()));
    m_ui->lineEditRegistryName->setEnabled(p_objStrategy.get_show_archive() == 3);

    m_ui->lineEditNormalTempClearTime->setText(
            PreviewConfigRules::clearTimeText(p_objStrategy.normal_temp_clear_time));
    m_ui->lineEditOverTempClearTime->setText(
            PreviewConfigRules::clearTimeText(p_objStrategy.over_temp_clear_time));

    if (AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == AlternateScreen) {
        for (QWidget *widget : {static_cast<QWidget *>(m_ui->labelShowTotalNoMask),
                                static_cast<QWidget *>(m_ui->widgetShowTotalNoMask),
                                static_cast<QWidget *>(m_ui->labelShowCustomPicture),
                                static_cast<QWidget *>(m_ui->widgetShowPicture),
                                static_cast<QWidget *>(m_ui->labelSelectPicture),
                                static_cast<QWidget *>(m_ui->widgetPicture),
                                static_cast<QWidget *>(m_ui->pushButtonSelectPicture)})
            widget->hide();
    } else {
        m_ui->widgetShowTotalNoMask->setToggle(p_objStrategy.show_total_no_mask == On, true);
        m_ui->widgetShowPicture->setToggle(p_objStrategy.show_custom_picture == On, true);
        slot_showOrHidenPicture(p_objStrategy.show_custom_picture == On);
    }
    m_ui->widgetOverTempDeviceNameShow->setToggle(p_objStrategy.show_over_temp_device_name == On,
                                                  true);
    if (!p_objStrategy.get_screen_image_url().empty())
        startDownload(QString::fromStdString(p_objStrategy.get_screen_image_url()));
    m_ui->widgetAutoFull->setToggle(p_objStrategy.auto_full_screen == On, true);
}

std::vector<int> PreviewConfigWidget::otherRegistryGroups(const QListWidgetItem *p_pItem) const
{
    std::vector<int> ids;
    for (int row = 0; row < m_ui->listWidget->count(); ++row) {
        const QListWidgetItem *item = m_ui->listWidget->item(row);
        if (item == p_pItem)
            continue;
        const ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(item);
        if (!isStranger(strategy))
            ids.insert(ids.end(), strategy.vecPersonGroupId.begin(),
                       strategy.vecPersonGroupId.end());
    }
    return ids;
}

void PreviewConfigWidget::loadVoicePage(const QListWidgetItem *p_pItem)
{
    if (!p_pItem)
        return;
    const ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(p_pItem);
    const bool stranger = isStranger(strategy);
    m_ui->faceLibwidget->setVisible(!stranger);
    m_ui->labelPersonGroup->setVisible(!stranger);
    m_ui->lineEditName->setVisible(stranger);
    if (stranger) {
        m_ui->checkBoxName->setText(tk("TK_Stranger"));
        m_ui->checkBoxName->setChecked(strategy.get_report_stranger() == On);
        m_ui->lineEditName->setText(shown(strategy.get_report_stranger_content()));
    } else {
        m_ui->checkBoxName->setText(tk("TK_Name"));
        m_ui->checkBoxName->setChecked(strategy.get_show_name() == On);
    }
    m_ui->checkBoxTemp->setChecked(strategy.get_show_temperature() == On);
    m_ui->checkBoxNormal->setChecked(strategy.get_temparature_report_enable() == On);
    m_ui->checkBoxMask->setChecked(strategy.get_show_mask() == On);
    m_ui->checkBoxCustom->setChecked(strategy.get_show_content() == On);
    m_ui->checkBoxVoiceTime->setChecked(strategy.get_show_time() == On);
    select(m_ui->comboBoxTemp, strategy.get_temperature_type());
    select(m_ui->comboBoxMask, strategy.get_mask_type());
    select(m_ui->comboBoxTempRecord, strategy.temp_record_mode);
    m_ui->lineEditNormal->setText(shown(strategy.get_report_normal_temperature()));
    m_ui->lineEditOverTemp->setText(shown(strategy.get_report_over_temperature()));
    m_ui->lineEditAbnormal->setText(shown(strategy.get_report_abnormal_temperature()));
    m_ui->lineEditMaskCotent->setText(shown(strategy.get_mask_content()));
    m_ui->lineEditCustom->setText(shown(strategy.get_speech_content()));
    m_ui->widgetShowTotalNoMask->setToggle(strategy.show_total_no_mask == On, true);
    m_ui->widgetOverTempDeviceNameShow->setToggle(strategy.show_over_temp_device_name == On, true);

    m_ui->treeView->updateItemCheckData(PreviewConfigRules::personGroupMarks(
            m_ui->treeView->getAllItemData(), strategy.vecPersonGroupId,
            otherRegistryGroups(p_pItem)));
    m_ui->personNumLabel->setText(QString::number(strategy.vecPersonGroupId.size()));
    if (m_pScheduleTimeWidget)
        m_pScheduleTimeWidget->setTimeRanges(PreviewConfigRules::toSchedule(strategy.vecTimeRange));
}

void PreviewConfigWidget::collectVoicePage(ST_MSGVoiceBroadcastStrategy &p_objStrategy) const
{
    const int name = switchValue(m_ui->checkBoxName->isChecked());
    p_objStrategy.set_show_name(name);
    p_objStrategy.set_report_stranger(name);
    p_objStrategy.set_report_stranger_content(m_ui->lineEditName->text().toStdString());
    p_objStrategy.set_show_temperature(switchValue(m_ui->checkBoxTemp->isChecked()));
    p_objStrategy.set_temperature_type(value(m_ui->comboBoxTemp));
    p_objStrategy.set_temparature_report_enable(switchValue(m_ui->checkBoxNormal->isChecked()));
    p_objStrategy.set_report_normal_temperature(m_ui->lineEditNormal->text().toStdString());
    p_objStrategy.set_report_over_temperature(m_ui->lineEditOverTemp->text().toStdString());
    p_objStrategy.set_report_abnormal_temperature(m_ui->lineEditAbnormal->text().toStdString());
    p_objStrategy.set_show_mask(switchValue(m_ui->checkBoxMask->isChecked()));
    p_objStrategy.set_mask_type(value(m_ui->comboBoxMask));
    p_objStrategy.set_mask_content(m_ui->lineEditMaskCotent->text().toStdString());
    p_objStrategy.set_show_content(switchValue(m_ui->checkBoxCustom->isChecked()));
    p_objStrategy.set_speech_content(m_ui->lineEditCustom->text().toStdString());
    p_objStrategy.set_show_time(switchValue(m_ui->checkBoxVoiceTime->isChecked()));
    p_objStrategy.temp_record_mode = value(m_ui->comboBoxTempRecord);
    p_objStrategy.vecPersonGroupId =
            PreviewConfigRules::chosenGroupIds(m_ui->treeView->getAllItemData());
    if (m_pScheduleTimeWidget)
        p_objStrategy.vecTimeRange =
                PreviewConfigRules::fromSchedule(m_pScheduleTimeWidget->timeRanges());
}

void PreviewConfigWidget::on_listWidget_currentItemChanged(QListWidgetItem *current,
                                                           QListWidgetItem *previous)
{
    if (m_bRebuildingRows)
        return;
    // Only the person groups of the row left are kept; its other unsaved edits are dropped.
    if (previous && m_ui->listWidget->row(previous) >= 0) {
        ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(previous);
        strategy.vecPersonGroupId =
                PreviewConfigRules::chosenGroupIds(m_ui->treeView->getAllItemData());
        setRowStrategy(previous, strategy);
    }
    loadVoicePage(current);
}

void PreviewConfigWidget::slot_imageDispalayMode(QAbstractButton *p_pButton)
{
    if (p_pButton == m_ui->pushButtonDefaultMode)
        enablePrivateModeControls(false);
    else if (p_pButton == m_ui->pushButtonPrivateMode)
        enablePrivateModeControls(true);
}

void PreviewConfigWidget::on_comboBoxRegistryName_activated(int index)
{
    m_ui->lineEditRegistryName->setEnabled(index == 2);
}

void PreviewConfigWidget::on_faceLibCheckBox_toggled(bool checked)
{
    m_ui->treeView->setParentChildNodeRelationCheckState(checked);
}

void PreviewConfigWidget::slot_showOrHidenPicture(bool p_bShow)
{
    m_ui->labelSelectPicture->setVisible(p_bShow);
    m_ui->widgetPicture->setVisible(p_bShow);
    m_ui->pushButtonSelectPicture->setVisible(p_bShow);
}

void PreviewConfigWidget::on_addPushButton_clicked()
{
    const QString refusal = PreviewConfigRules::addRefusal(m_ui->listWidget->count());
    if (!refusal.isEmpty()) {
        setTips(AppLanguageTr::translate(refusal), TipFailure);
        return;
    }
    if (QListWidgetItem *current = m_ui->listWidget->currentItem()) {
        ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(current);
        collectVoicePage(strategy);
        setRowStrategy(current, strategy);
    }
    std::vector<ST_MSGVoiceBroadcastStrategy> rows;
    QStringList texts;
    for (int row = 0; row < m_ui->listWidget->count(); ++row) {
        rows.push_back(rowStrategy(m_ui->listWidget->item(row)));
        texts.append(m_ui->listWidget->item(row)->text());
    }
    const int windowId = m_vecStrategies.empty() ? 0 : m_vecStrategies.front().get_window_id();
    const ST_MSGVoiceBroadcastStrategy strategy =
            StrategyDefaults::dialogRegistryStrategy(windowId, rows);

    auto *item = new QListWidgetItem(PreviewConfigRules::registryRowText(
                                             PreviewConfigRules::nextRegistryNumber(texts), true),
                                     m_ui->listWidget);
    setRowStrategy(item, strategy);
    m_ui->listWidget->setCurrentItem(item);
}

void PreviewConfigWidget::on_deletePushButton_clicked()
{
    QListWidgetItem *current = m_ui->listWidget->currentItem();
    if (!current)
        return;
    const ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(current);
    const QString refusal =
            PreviewConfigRules::deleteRefusal(isStranger(strategy), m_ui->listWidget->count());
    if (!refusal.isEmpty()) {
        setTips(AppLanguageTr::translate(refusal), TipFailure);
        return;
    }
    const int id = strategy.get_id();
    if (id != FeverValues::NoValue) {
        if (!StrategyStorage::remove(id)) {
            // The strategy is still stored and would come back at the next opening: the row
            // stays, and the user learns why.
            setTips(AppLanguageTr::translate(QStringLiteral("TK_DeleteFailed"))
                            + StrategyStorage::lastError(),
                    TipFailure);
            return;
        }
        m_vecStrategies.erase(std::remove_if(m_vecStrategies.begin(), m_vecStrategies.end(),
                                             [id](const ST_MSGVoiceBroadcastStrategy &s) {
                                                 return s.get_id() == id;
                                             }),
                              m_vecStrategies.end());
    }
    // Taking the row makes another current, whose voice page then loads.
    delete m_ui->listWidget->takeItem(m_ui->listWidget->row(current));
}

void PreviewConfigWidget::on_pushButtonTimeSet_clicked()
{
    if (!m_pScheduleTimeWidget)
        m_pScheduleTimeWidget = new ScheduleTimeWidget(this, QStringLiteral("TK_DefenceTime"));
    if (const QListWidgetItem *current = m_ui->listWidget->currentItem())
        m_pScheduleTimeWidget->setTimeRanges(
                PreviewConfigRules::toSchedule(rowStrategy(current).vecTimeRange));
    m_pScheduleTimeWidget->showSNDialog();
}

void PreviewConfigWidget::on_pushButtonContentSet_clicked()
{
    if (!m_pTextConfigWidget) {
        m_pTextConfigWidget = new TextConfigWidget(this);
        connect(m_pTextConfigWidget, &TextConfigWidget::sendClose, this,
                &PreviewConfigWidget::slot_setTextConfig);
    }
    if (!m_vecStrategies.empty())
        m_pTextConfigWidget->setTextItems(m_vecStrategies.front().vecScreenText);
    m_pTextConfigWidget->showSNDialog();
}

void PreviewConfigWidget::slot_setTextConfig()
{
    std::vector<ScreenTextItem> texts;
    m_pTextConfigWidget->textItems(texts);
    for (int row = 0; row < m_ui->listWidget->count(); ++row) {
        QListWidgetItem *item = m_ui->listWidget->item(row);
        ST_MSGVoiceBroadcastStrategy strategy = rowStrategy(item);
        strategy.vecScreenText = texts;
        setRowStrategy(item, strategy);
        auto stored = std::find_if(m_vecStrategies.begin(), m_vecStrategies.end(),
                                   [&strategy](const ST_MSGVoiceBroadcastStrategy &s) {
                                       return s.get_id() == strategy.get_id();
                                   });
        if (stored != m_vecStrategies.end())
            stored->vecScreenText = texts;
        else if (strategy.get_id() != FeverValues::NoValue)
            m_vecStrategies.push_back(strategy);
    }
}

void PreviewConfigWidget::on_pushButtonApply_clicked()
{
    applyOrSave(false);
}

void PreviewConfigWidget::on_pushButtonOK_clicked()
{
    applyOrSave(true);
}

void PreviewConfigWidget::applyOrSave(bool p_bClose)
{
    m_bFirstFlag = true;
    bool started = false;
    bool refused = false;
    if (!m_strLocalPicPath.isEmpty()) {
        started = startUpload(&refused);
        if (!started && !refused)
            m_strPicName.clear();
    }
    // A running upload saves when it ends; a refused picture saves nothing.
    if (!started && !refused)
        save();
    if (p_bClose)
        closeSNDialog();
}

void PreviewConfigWidget::on_pushButtonCancel_clicked()
{
    m_bFirstFlag = true;
    m_ui->widgetPicture->slotDeletePic();
    closeSNDialog();
}

void PreviewConfigWidget::on_pushButtonClose_clicked()
{
    m_bFirstFlag = true;
    closeSNDialog();
}

void PreviewConfigWidget::on_pushButtonMacCancel_clicked()
{
    on_pushButtonCancel_clicked();
}

void PreviewConfigWidget::on_pushButtonMacClose_clicked()
{
    on_pushButtonClose_clicked();
}

PreviewConfigRules::DisplaySettings PreviewConfigWidget::readDisplayTab() const
{
    PreviewConfigRules::DisplaySettings display;
    display.nCardSize = value(m_ui->comboBoxCardSize);
    display.nDisplayMode = value(m_ui->comboBoxScreenLayout);
    display.nShowStranger = switchValue(m_ui->widgetStranger->isToggled());
    display.nImageDisplayMode = m_ui->pushButtonDefaultMode->isChecked() ? 1 : 2;
    display.nSnapImageHandle = value(m_ui->comboBoxSnapHandle);
    display.nScreenContentMode = value(m_ui->comboBoxShowContent);
    display.nThermometryResult = value(m_ui->comboBoxTempResult);
    display.strStrangerShowName = m_ui->lineEditStrangerName->text().toStdString();
    display.nShowArchive = value(m_ui->comboBoxRegistryName);
    display.strArchiveShowName = m_ui->lineEditRegistryName->text().toStdString();
    display.nWindowId = m_vecStrategies.empty() ? 0 : m_vecStrategies.front().get_window_id();
    display.nOverTempClearTime =
            PreviewConfigRules::clearTimeFromText(m_ui->lineEditOverTempClearTime->text());
    display.nNormalTempClearTime =
            PreviewConfigRules::clearTimeFromText(m_ui->lineEditNormalTempClearTime->text());
    display.nShowTotalNoMask = switchValue(m_ui->widgetShowTotalNoMask->isToggled());
    display.nShowOverTempDeviceName = switchValue(m_ui->widgetOverTempDeviceNameShow->isToggled());
    display.nShowCustomPicture = switchValue(m_ui->widgetShowPicture->isToggled());
    display.strScreenImageUrl = m_strPicName.toStdString();
    display.nAutoFullScreen = switchValue(m_ui->widgetAutoFull->isToggled());
    return display;
}

void PreviewConfigWidget::keepStored(const ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    auto stored = std::find_if(m_vecStrategies.begin(), m_vecStrategies.end(),
                               [&p_objStrategy](const ST_MSGVoiceBroadcastStrategy &s) {
                                   return s.get_id() == p_objStrategy.get_id();
                               });
    if (stored != m_vecStrategies.end())
        *stored = p_objStrategy;
    else
        m_vecStrategies.push_back(p_objStrategy);
}

void PreviewConfigWidget::save()
{
    const PreviewConfigRules::DisplaySettings display = readDisplayTab();
    const QListWidgetItem *current = m_ui->listWidget->currentItem();
    int row = 0;
    std::vector<ST_MSGVoiceBroadcastStrategy> rows;
    rows.reserve(std::size_t(m_ui->listWidget->count()));
    for (int i = 0; i < m_ui->listWidget->count(); ++i)
        rows.push_back(rowStrategy(m_ui->listWidget->item(i)));
    // Rows are stored in order; the first refusal stops the save, and the rows before it stay
    // stored (a partial save, as the platform has no transaction over several requests).
    const int failed =
            PreviewConfigRules::storeInOrder(rows, [&](ST_MSGVoiceBroadcastStrategy &strategy) {
                QListWidgetItem *item = m_ui->listWidget->item(row++);
                PreviewConfigRules::applyDisplay(strategy, display);
                if (item == current)
                    collectVoicePage(strategy);
                item->setText(item->text().remove(QLatin1Char('*')));
                if (!StrategyStorage::store(strategy))
                    return false;
                setRowStrategy(item, strategy);
                keepStored(strategy);
                return true;
            });
    if (failed >= 0) {
        setTips(AppLanguageTr::translate(QStringLiteral("TK_SaveFailed"))
                        + StrategyStorage::lastError(),
                TipFailure);
        return;
    }
    setTips(AppLanguageTr::translate(QStringLiteral("TK_SaveSuccess")), TipSuccess);
    emit ParmChanged();
    CuVORNClientLogManager::instance()->addLog(111, QString(),
                                               QStringLiteral("TK_RealtimeTempScreening"));
}

bool PreviewConfigWidget::selectPicture(const QString &p_strPath)
{
    if (p_strPath.isEmpty())
        return false;
    const QString refusal = PreviewConfigRules::pictureRefusal(p_strPath);
    if (!refusal.isEmpty()) {
        setTips(AppLanguageTr::translate(refusal), TipFailure);
        return false;
    }
    m_ui->widgetPicture->setPicurl(p_strPath, false);
    m_strLocalPicPath = p_strPath;
    return true;
}

void PreviewConfigWidget::on_pushButtonSelectPicture_clicked()
{
    // The path stays as the dialog gives it: it must name the file on this system.
    selectPicture(QFileDialog::getOpenFileName(this, tk("TK_OpenFile"), QString(),
                                               QStringLiteral("*.png *.jpg *.bmp")));
}

void PreviewConfigWidget::slot_deletePicture()
{
    m_strLocalPicPath.clear();
    m_strPicName.clear();
}

bool PreviewConfigWidget::startUpload(bool *p_pRefused)
{
    *p_pRefused = false;
    if (!QFileInfo(m_strLocalPicPath).isFile()) {
        qDebug() << "uploadPic fail " << m_strLocalPicPath;
        return false;
    }
    const QString refusal = PreviewConfigRules::pictureRefusal(m_strLocalPicPath);
    if (!refusal.isEmpty()) {
        *p_pRefused = true;
        setTips(AppLanguageTr::translate(refusal), TipFailure);
        return false;
    }
    const QString name = ScreenPicturePath::platformName(m_strLocalPicPath);
    TransFileTask task;
    task.setTaskInfo(VornClient::instance()->m_nLoginServerHandle,
                     {TransFile(m_strLocalPicPath, name)}, TransFileTask::TransTypeUpload, this,
                     nullptr, 0);
    const int taskId = FileTransThread::instance()->addTransTask(task);
    if (taskId == FeverValues::NoValue) {
        qDebug() << "uploadPic fail " << m_strLocalPicPath << "refused by the transfer";
        *p_pRefused = true;
        setTips(AppLanguageTr::translate(QStringLiteral("TK_UploadFailed")), TipFailure);
        return false;
    }
    m_hashUploads.insert(taskId, name);
    m_strPicName = name;
    return true;
}

void PreviewConfigWidget::startDownload(const QString &p_strName)
{
    const QString localPath = ScreenPicturePath::localPath(p_strName);
    if (localPath.isEmpty())
        return; // a name outside the picture folder counts as no picture
    TransFileTask task;
    task.setTaskInfo(VornClient::instance()->m_nLoginServerHandle,
                     {TransFile(localPath, p_strName)}, TransFileTask::TransTypeDownload, this,
                     nullptr, 0);
    const int taskId = FileTransThread::instance()->addTransTask(task);
    if (taskId != FeverValues::NoValue)
        m_hashDownloads.insert(taskId, localPath);
    m_strPicName = p_strName;
    m_strLocalPicPath = localPath;
}

bool PreviewConfigWidget::event(QEvent *event)
{
    if (event->type() == FileTransStateEvent::EventType) {
        event->accept();
        processTransEvent(static_cast<FileTransStateEvent *>(event));
        return true;
    }
    return BaseWidget::event(event);
}

void PreviewConfigWidget::processTransEvent(const FileTransStateEvent *p_pEvent)
{
    const int taskId = p_pEvent->taskId();
    const bool upload = m_hashUploads.contains(taskId);
    if (!upload && !m_hashDownloads.contains(taskId))
        return; // a task of an earlier showing, or a repeated completion
    if (p_pEvent->status() == FileTransStateEvent::StatusFailed) {
        if (upload) {
            qDebug() << "PreviewConfigWidget::processTransEvent upload  fail "
                     << p_pEvent->errorText();
            m_hashUploads.remove(taskId);
            setTips(AppLanguageTr::translate(QStringLiteral("TK_UploadFailed")), TipFailure);
        } else {
            m_hashDownloads.remove(taskId);
            setTips(AppLanguageTr::translate(QStringLiteral("TK_DownloadFailed")), TipFailure);
        }
        return;
    }
    if (!p_pEvent->isFinished())
        return;
    if (upload) {
        m_strPicName = m_hashUploads.take(taskId);
        save();
    } else {
        m_ui->widgetPicture->setPicurl(m_hashDownloads.take(taskId), false);
    }
}

void PreviewConfigWidget::on_pushButtonManualClear_clicked()
{
    OrvaneClearTemperatureSnapTotalsEachDayRequestMessage request;
    OrvaneClearTemperatureSnapTotalsEachDayResponseMessage response;
    VORNClientAIManager *manager = VORNClientAIManager::instance();
    const int result = VORN_SendReqAndRecvResp(manager->getCurClientHandle(), request, response);
    if (result != 0) {
        qDebug() << "PreviewConfigWidget::on_pushButtonManualClear_clicked "
                    "ClearTemperatureSnapTotalsEachDay failed! "
                 << result;
        return;
    }
    emit manager->sendSnapZero();
}
