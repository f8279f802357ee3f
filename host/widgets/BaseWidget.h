#pragma once

#include "BaseStyleWidget.h"
#include "ParamMap.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

#include <vector>

class QLineEdit;
class QTextEdit;

// Base of every host screen and panel. Derived screens override the life-cycle operations;
// showEvent/hideEvent drive doAfterWidgetShow/doAfterWidgetHide, and a language change drives
// retranslateUi.
class BaseWidget : public BaseStyleWidget
{
    Q_OBJECT
public:
    static constexpr int TipNeutral = 0;
    static constexpr int TipSuccess = 1;
    static constexpr int TipFailure = 2;
    static constexpr int MaxRecentTips = 20;

    struct FunctionCardRequest
    {
        int nCardId = -99999;
        ParamMap params;
    };

    explicit BaseWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~BaseWidget() override;

    // Asks the host shell to open one of its function cards (search by picture, alarm
    // handling...); the request is remembered and announced with signalGotoFunctionCard.
    void gotoFunctionCard(int cardId, const ParamMap &params);

public slots:
    virtual void initForm();
    virtual void retranslateUi();
    virtual void doAfterWidgetShow();
    virtual void doAfterWidgetHide();
    virtual void releaseResource();
    virtual void processSpecialParam(const ParamMap &p_mapParam);
    virtual void lineEditFocusIn(QLineEdit *p_pLineEdit);
    virtual void textEditFocusIn(QTextEdit *p_pTextEdit);
    virtual bool doVerifyLineEditText(QLineEdit *p_pLineEdit);
    virtual bool doVeriryTextEditText(QTextEdit *p_pTextEdit);
    virtual void shortcutEnter();
    virtual void shortcutClose();
    virtual void setPreviewConfigParam(const ParamMap &p_mapParam);
    virtual QString getSelectLayoutId();
    virtual QVector<QPair<int, int>> getCurrLayoutList();
    virtual int getCurLayoutMode();
    virtual int getPicInPicModel();
    virtual QVector<QString> getPicInPicPos();
    virtual bool getShowAllDevEnabled();
    virtual bool getFullScrFlag();
    virtual void appQuitProcess();
    virtual void replaceNavigationWidget(QWidget *p_pNavigation);
    // Transient tip over the top-level window; kind 1 success, 2 failure, others neutral.
    virtual void setTips(const QString &text, int kind = 0);
    virtual void showTips(const QString &text, int kind = 0);
    virtual void slot_moveNavigationWidget();
    virtual void slot_alarmProcessFinised(const std::vector<int> &p_vecAlarmId);

signals:
    void clickDevConfig(const int &p_nDeviceId, ParamMap p_mapParam);
    void signalGotoFunctionCard(int p_nCardId, ParamMap p_mapParam);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Hidden-state flag: screens set it when they are hidden.
    bool m_bFirstFlag = false;

private:
    // What the stand-in recorded of the widget's requests: see HostTesting (host/testing).
    friend class HostTesting;
    FunctionCardRequest lastFunctionCard() const;
    QList<QPair<QString, int>> recentTips() const;

    QList<QPair<QString, int>> m_listRecentTips;
    FunctionCardRequest m_lastFunctionCard;
};
