#pragma once

#include "SNDialog.h"
#include "ScreenTextItem.h"

#include <memory>
#include <vector>

namespace Ui {
class TextConfigWidget;
}

// Edits the screen texts of a window: per temperature state (normal, abnormal,
// over-temperature) a short verdict and a message shown after the real-time temperature.
class TextConfigWidget : public SNDialog
{
    Q_OBJECT
public:
    explicit TextConfigWidget(QWidget *parent = nullptr);
    ~TextConfigWidget() override;

    // Fills the fields of the states the list holds; fields of other states keep their text.
    void setTextItems(const std::vector<ScreenTextItem> &p_vecItems);
    // Appends exactly three items, normal, abnormal and over-temperature, as shown.
    void textItems(std::vector<ScreenTextItem> &p_vecItems) const;

public slots:
    void initForm() override;
    void retranslateUi() override;

signals:
    void sendClose();

private slots:
    void on_pushButtonOK_clicked();
    void on_pushButtonMacOK_clicked();
    void on_pushButtonCancel_clicked();

private:
    std::unique_ptr<Ui::TextConfigWidget> m_ui;
    std::vector<ScreenTextItem> m_vecItems;
};
