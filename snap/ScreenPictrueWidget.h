#pragma once

#include "BaseWidget.h"

#include <QString>

#include <memory>

namespace Ui {
class ScreenPictrueWidget;
}

// Panel showing the window's custom screen picture, fetched from the platform.
class ScreenPictrueWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit ScreenPictrueWidget(QWidget *parent = nullptr);
    ~ScreenPictrueWidget() override;

    // `p_strName` is the picture's name on the platform; empty removes the picture.
    void setPicture(const QString &p_strName);

private:
    std::unique_ptr<Ui::ScreenPictrueWidget> m_ui;
    QString m_strLocalPath; // picture being fetched
};
