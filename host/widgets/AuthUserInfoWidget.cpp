#include "AuthUserInfoWidget.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "PasswordVault.h"
#include "VornClient.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AuthUserInfoWidget::AuthUserInfoWidget(QWidget *parent)
    : SNDialog(parent, Qt::Dialog)
    , m_pLabelTitle(new QLabel(this))
    , m_pLabelUser(new QLabel(this))
    , m_pLineEditPassword(new QLineEdit(this))
    , m_pLabelMessage(new QLabel(this))
    , m_pPushButtonOK(new QPushButton(this))
    , m_pPushButtonCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("AuthUserInfoWidget"));
    m_pLineEditPassword->setObjectName(QStringLiteral("lineEditPassword"));
    m_pLabelMessage->setObjectName(QStringLiteral("labelMessage"));
    m_pPushButtonOK->setObjectName(QStringLiteral("pushButtonOK"));
    m_pPushButtonCancel->setObjectName(QStringLiteral("pushButtonCancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pLabelTitle);
    layout->addWidget(m_pLabelUser);
    layout->addWidget(m_pLineEditPassword);
    layout->addWidget(m_pLabelMessage);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pPushButtonOK);
    buttons->addWidget(m_pPushButtonCancel);
    layout->addLayout(buttons);

    connect(m_pPushButtonOK, &QPushButton::clicked, this, &AuthUserInfoWidget::slot_confirm);
    connect(m_pPushButtonCancel, &QPushButton::clicked, this, [this] { finish(0); });
    initForm();
}

AuthUserInfoWidget::~AuthUserInfoWidget() = default;

QString AuthUserInfoWidget::message() const
{
    return m_pLabelMessage->text();
}

void AuthUserInfoWidget::initForm()
{
    // User names and messages are plain text, whatever they hold.
    for (QLabel *label : {m_pLabelTitle, m_pLabelUser, m_pLabelMessage})
        label->setTextFormat(Qt::PlainText);
    m_pLineEditPassword->setEchoMode(QLineEdit::Password);
    m_pLabelMessage->setWordWrap(true);
    resize(360, 200);
    retranslateUi();
    AppStyleHelper::updateWidgetStyle(this, AppStyleHelper::StylePanel);
}

void AuthUserInfoWidget::retranslateUi()
{
    m_pLabelTitle->setText(AppLanguageTr::translate(QStringLiteral("TK_PasswordAgainAuth")));
    m_pLineEditPassword->setPlaceholderText(
            AppLanguageTr::translate(QStringLiteral("TK_Password")));
    m_pPushButtonOK->setText(AppLanguageTr::translate(QStringLiteral("TK_OK")));
    m_pPushButtonCancel->setText(AppLanguageTr::translate(QStringLiteral("TK_Cancel")));
}

void AuthUserInfoWidget::doAfterWidgetShow()
{
    m_pLabelUser->setText(VornClient::instance()->getCurUserInfo().get_user_name());
    m_pLineEditPassword->setFocus();
}

void AuthUserInfoWidget::doAfterWidgetHide()
{
    if (m_bWaiting)
        finish(0);
}

void AuthUserInfoWidget::showSNDialog()
{
    m_bWaiting = true;
    m_pLineEditPassword->clear();
    m_pLabelMessage->clear();
    SNDialog::showSNDialog();
}

void AuthUserInfoWidget::closeSNDialog()
{
    finish(0);
}

void AuthUserInfoWidget::shortcutEnter()
{
    slot_confirm();
}

void AuthUserInfoWidget::slot_confirm()
{
    PasswordVault *vault = PasswordVault::instance();
    const int userId = VornClient::instance()->getCurUserId();
    const PasswordVault::Result result = vault->check(userId, m_pLineEditPassword->text());
    m_pLineEditPassword->clear();
    switch (result) {
    case PasswordVault::Result::Accepted:
        finish(1);
        return;
    case PasswordVault::Result::Rejected: {
        const int locked = vault->lockoutRemaining(userId);
        m_pLabelMessage->setText(
                locked > 0 ? AppLanguageTr::translate(QStringLiteral("TK_PasswordLockedOut"))
                                     .arg(locked)
                           : AppLanguageTr::translate(QStringLiteral("TK_PasswordWrong")));
        return;
    }
    case PasswordVault::Result::LockedOut:
        m_pLabelMessage->setText(AppLanguageTr::translate(QStringLiteral("TK_PasswordLockedOut"))
                                         .arg(vault->lockoutRemaining(userId)));
        return;
    case PasswordVault::Result::NoPassword:
        m_pLabelMessage->setText(AppLanguageTr::translate(QStringLiteral("TK_PasswordNotSet")));
        return;
    }
}

void AuthUserInfoWidget::finish(int p_nResult)
{
    const bool wasWaiting = m_bWaiting;
    m_bWaiting = false;
    SNDialog::closeSNDialog();
    if (wasWaiting)
        emit signalConfirm(p_nResult);
}
