#include "TextConfigWidget.h"
#include "ui_TextConfigWidget.h"

#include "FeverValues.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"

namespace {

QString shown(const std::string &p_strText)
{
    return AppLanguageTr::translate(QString::fromStdString(p_strText));
}

ScreenTextItem item(int p_nState, const QLineEdit *p_pResult, const QLineEdit *p_pText)
{
    ScreenTextItem objItem;
    objItem.state = p_nState;
    objItem.result = p_pResult->text().toStdString();
    objItem.text = p_pText->text().toStdString();
    return objItem;
}

} // namespace

TextConfigWidget::TextConfigWidget(QWidget *parent)
    : SNDialog(parent, Qt::Dialog)
    , m_ui(std::make_unique<Ui::TextConfigWidget>())
{
    m_ui->setupUi(this);
    initForm();
}

TextConfigWidget::~TextConfigWidget() = default;

void TextConfigWidget::initForm()
{
    m_ui->pushButtonOK->show();
    m_ui->pushButtonMacOK->hide();
    AppStyleHelper::updateWidgetStyle(this, AppStyleHelper::StylePanel);
    retranslateUi();
}

void TextConfigWidget::retranslateUi()
{
    m_ui->labelNormal->setText(AppLanguageTr::translate(QStringLiteral("TK_NormalTemperature")));
    m_ui->labelAbnormal->setText(
            AppLanguageTr::translate(QStringLiteral("TK_AbnormalTemperature")));
    m_ui->labelOverTemp->setText(AppLanguageTr::translate(QStringLiteral("TK_OverTemperature")));
    const QString realtime = AppLanguageTr::translate(QStringLiteral("TK_RealtimeTemperature"));
    for (QLabel *label :
         {m_ui->labelRealtimeTemp, m_ui->labelRealtimeTemp_2, m_ui->labelRealtimeTemp_3})
        label->setText(realtime);
    for (QLabel *label : {m_ui->label_3, m_ui->label_4, m_ui->label_6, m_ui->label_7,
                          m_ui->label_10, m_ui->label_11})
        label->setText(QStringLiteral("+"));
    m_ui->pushButtonOK->setText(AppLanguageTr::translate(QStringLiteral("TK_OK")));
    m_ui->pushButtonMacOK->setText(AppLanguageTr::translate(QStringLiteral("TK_OK")));
    m_ui->pushButtonCancel->setText(AppLanguageTr::translate(QStringLiteral("TK_Cancel")));
}

void TextConfigWidget::setTextItems(const std::vector<ScreenTextItem> &p_vecItems)
{
    m_vecItems = p_vecItems;
    for (const ScreenTextItem &objItem : m_vecItems) {
        QLineEdit *result = nullptr;
        QLineEdit *text = nullptr;
        switch (objItem.state) {
        case FeverValues::TempStateNormal:
            result = m_ui->lineEdit;
            text = m_ui->lineEdit_2;
            break;
        case FeverValues::TempStateAbnormalUnusual:
            result = m_ui->lineEdit_3;
            text = m_ui->lineEdit_4;
            break;
        case FeverValues::TempStateOver:
            result = m_ui->lineEdit_5;
            text = m_ui->lineEdit_6;
            break;
        default:
            continue;
        }
        result->setText(shown(objItem.result));
        text->setText(shown(objItem.text));
    }
    m_vecItems.clear();
}

void TextConfigWidget::textItems(std::vector<ScreenTextItem> &p_vecItems) const
{
    p_vecItems.push_back(item(FeverValues::TempStateNormal, m_ui->lineEdit, m_ui->lineEdit_2));
    p_vecItems.push_back(
            item(FeverValues::TempStateAbnormalUnusual, m_ui->lineEdit_3, m_ui->lineEdit_4));
    p_vecItems.push_back(item(FeverValues::TempStateOver, m_ui->lineEdit_5, m_ui->lineEdit_6));
}

void TextConfigWidget::on_pushButtonOK_clicked()
{
    emit sendClose();
    closeSNDialog();
}

void TextConfigWidget::on_pushButtonMacOK_clicked()
{
    on_pushButtonOK_clicked();
}

void TextConfigWidget::on_pushButtonCancel_clicked()
{
    closeSNDialog();
}
