#pragma once

#include "PreviewConfigRules.h"

#include "SNDialog.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class PreviewConfigWidget;
}

class FileTransStateEvent;
class QAbstractButton;
class QButtonGroup;
class QListWidgetItem;
class ScheduleTimeWidget;
class TextConfigWidget;

// The screen's settings dialog: the window-wide display settings on the first tab, the voice
// broadcast strategies (one list row each) on the second. It works on a copy of the screen's
// strategies, stores every row when the user applies, uploads the custom screen picture first
// when there is one, and emits ParmChanged once every row is stored.
class PreviewConfigWidget : public SNDialog
{
    Q_OBJECT
public:
    explicit PreviewConfigWidget(QWidget *parent = nullptr);
    ~PreviewConfigWidget() override;

    void setStrategyList(const std::vector<ST_MSGVoiceBroadcastStrategy> &p_vecStrategies);
    std::vector<ST_MSGVoiceBroadcastStrategy> strategyList() const;

    // Takes a file chosen as the custom screen picture: shown and kept for the next Apply when
    // it is an acceptable picture, refused with a failure tip otherwise.
    bool selectPicture(const QString &p_strPath);
    QString pictureName() const { return m_strPicName; }
    QString localPicturePath() const { return m_strLocalPicPath; }

signals:
    void ParmChanged();

protected:
    bool event(QEvent *event) override;

public slots:
    void initForm() override;
    void retranslateUi() override;
    void doAfterWidgetShow() override;

private slots:
    void on_addPushButton_clicked();
    void on_deletePushButton_clicked();
    void on_pushButtonTimeSet_clicked();
    void on_pushButtonOK_clicked();
    void on_pushButtonCancel_clicked();
    void on_pushButtonApply_clicked();
    void on_pushButtonContentSet_clicked();
    void on_pushButtonClose_clicked();
    void on_pushButtonMacCancel_clicked();
    void on_pushButtonMacClose_clicked();
    void slot_imageDispalayMode(QAbstractButton *p_pButton);
    void on_comboBoxRegistryName_activated(int index);
    void on_faceLibCheckBox_toggled(bool checked);
    void slot_setTextConfig();
    void on_listWidget_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_pushButtonSelectPicture_clicked();
    void slot_showOrHidenPicture(bool p_bShow);
    void slot_deletePicture();
    void on_pushButtonManualClear_clicked();

private:
    static ST_MSGVoiceBroadcastStrategy rowStrategy(const QListWidgetItem *p_pItem);
    static void setRowStrategy(QListWidgetItem *p_pItem,
                               const ST_MSGVoiceBroadcastStrategy &p_objStrategy);

    void fillCombos();
    void loadDisplayTab(const ST_MSGVoiceBroadcastStrategy &p_objStrategy);
    void enablePrivateModeControls(bool p_bEnabled);
    void loadVoicePage(const QListWidgetItem *p_pItem);
    void collectVoicePage(ST_MSGVoiceBroadcastStrategy &p_objStrategy) const;
    std::vector<int> otherRegistryGroups(const QListWidgetItem *p_pItem) const;
    PreviewConfigRules::DisplaySettings readDisplayTab() const;
    void applyOrSave(bool p_bClose);
    // False when no upload was started (no such file, or a refused picture).
    bool startUpload(bool *p_pRefused);
    void startDownload(const QString &p_strName);
    void save();
    void keepStored(const ST_MSGVoiceBroadcastStrategy &p_objStrategy);
    void processTransEvent(const FileTransStateEvent *p_pEvent);

    std::unique_ptr<Ui::PreviewConfigWidget> m_ui;
    TextConfigWidget *m_pTextConfigWidget = nullptr;
    ScheduleTimeWidget *m_pScheduleTimeWidget = nullptr;
    std::vector<ST_MSGVoiceBroadcastStrategy> m_vecStrategies;
    QString m_strPicName;
    QString m_strLocalPicPath;
    QButtonGroup *m_pModeGroup = nullptr;
    // Transfers in flight: task id to the picture's platform name (uploads) or to an empty
    // name (downloads).
    QHash<int, QString> m_hashUploads;
    QHash<int, QString> m_hashDownloads;
    bool m_bRebuildingRows = false;
};
