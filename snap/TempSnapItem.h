#pragma once

#include "BaseWidget.h"
#include "FileDataCacheGroup.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "SnapComparesMessage.h"

#include <QString>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace Ui {
class TempSnapItem;
}

// One card of the snapshot strip: face picture, name, time, device, temperature in the colour
// of its state, and a badge when no mask is worn. A live record is announced through
// sendTempInfo shortly after the card appears.
class TempSnapItem : public BaseWidget
{
    Q_OBJECT

public:
    // Asks where to save the picture; QFileDialog::getSaveFileName unless replaced.
    using SaveFileNameAsker = std::function<QString(QWidget *parent, const QString &caption,
                                                    const QString &dir, const QString &filter)>;

    // Delay between the card's creation and its announcement.
    static constexpr int SendTempInfoDelayMs = 100;

    // Reads the alternate-style flag from the host's OEM configuration.
    TempSnapItem(const SnapComparesMessage &p_objRecord, QWidget *parent, int p_nWidth,
                 int p_nHeight, const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);
    // Same, with the flag already known (the strip reads it once, not per card).
    TempSnapItem(const SnapComparesMessage &p_objRecord, QWidget *parent, int p_nWidth,
                 int p_nHeight, const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy,
                 bool p_bAlternateStyle);
    ~TempSnapItem() override;

    bool setPicUrl(const QString &url);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);
    // 0, 1 or 2: fonts and badge scale of the next resize.
    void setSizeMode(int p_nSizeMode);
    int sizeMode() const { return m_nSizeMode; }
    uint createTime() const { return m_nCreateTime; }
    bool isOverTemp() const;
    const SnapComparesMessage &record() const { return m_objRecord; }

    // Tests replace the blocking dialog; an empty function restores it.
    static void setSaveFileNameAsker(SaveFileNameAsker asker);

signals:
    void sendTempInfo(QString name, QString temp, int p_nTemperatureState, QString time,
                      int p_nArchiveGroupID, int p_nMaskStatus);

public slots:
    void retranslateUi() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void slot_sendTempInfo();
    void slot_savePic();

private:
    void applyNameAndPicture(bool p_bConsultArchiveName, bool p_bHideNegative);
    void loadMaskBadge();

    std::unique_ptr<Ui::TempSnapItem> m_ui;
    SnapComparesMessage m_objRecord;
    QString m_strName;
    QString m_strTime;
    QString m_strTemp;
    QString m_strTempWithUnit; // the unit follows the user's choice at the card's creation
    int m_nTemperatureState = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    QLabel *m_pMaskLabel = nullptr;
    int m_nMaskWidth = 0;
    int m_nMaskHeight = 0;
    QString m_strStateColor;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    QWidget *m_pBorderWidget = nullptr;
    QMenu *m_pMenu = nullptr;
    QAction *m_pSaveAction = nullptr;
    FileDataCacheGroup m_objCacheGroup;
    uint m_nCreateTime = 0;
    bool m_bAlternateStyle = false;
    int m_nSizeMode = 1;
    QTimer *m_pSendTimer = nullptr; // child: a card deleted first never announces
};
