#pragma once

#include "SNDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the logged-in user's password again before a protected function opens. signalConfirm
// ends the caller's wait: 1 when the password was right, 0 when the dialog was cancelled or
// closed. A wrong password keeps the dialog open with a message; after five wrong ones in a row
// further tries are refused for 30 seconds, and the dialog says so.
class AuthUserInfoWidget : public SNDialog
{
    Q_OBJECT
public:
    explicit AuthUserInfoWidget(QWidget *parent = nullptr);
    ~AuthUserInfoWidget() override;

    QString message() const;

public slots:
    void initForm() override;
    void retranslateUi() override;
    void doAfterWidgetShow() override;
    // Closed by the window system: counts as cancelled, so that no caller waits forever.
    void doAfterWidgetHide() override;
    void showSNDialog() override;
    void closeSNDialog() override;
    void shortcutEnter() override;

signals:
    void signalConfirm(int p_nResult);

private slots:
    void slot_confirm();

private:
    void finish(int p_nResult);

    QLabel *m_pLabelTitle = nullptr;
    QLabel *m_pLabelUser = nullptr;
    QLineEdit *m_pLineEditPassword = nullptr;
    QLabel *m_pLabelMessage = nullptr;
    QPushButton *m_pPushButtonOK = nullptr;
    QPushButton *m_pPushButtonCancel = nullptr;
    bool m_bWaiting = false;
};
