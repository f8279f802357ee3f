#include "ScreenPictrueWidget.h"
#include "ui_ScreenPictrueWidget.h"

ScreenPictrueWidget::ScreenPictrueWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::ScreenPictrueWidget>())
{
    m_ui->setupUi(this);
}

ScreenPictrueWidget::~ScreenPictrueWidget() = default;

void ScreenPictrueWidget::setPicture(const QString &p_strName)
{
    if (p_strName.isEmpty()) {
        m_ui->label->setStyleSheet(QStringLiteral("QLabel{}"));
        return;
    }
    // Fetching a named picture into the voice-picture folder is filled by the screen-picture
    // issue.
}
