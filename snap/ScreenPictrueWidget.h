#pragma once

#include "BaseWidget.h"

#include <QString>

#include <memory>

namespace Ui {
class ScreenPictrueWidget;
}

// Panel showing the window's custom screen picture, fetched from the platform into the local
// voice-picture folder through the host's file transfer.
class ScreenPictrueWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit ScreenPictrueWidget(QWidget *parent = nullptr);
    ~ScreenPictrueWidget() override;

    // `p_strName` is the picture's name on the platform; empty removes the picture at once.
    void setPicture(const QString &p_strName);

    // Style sheet showing the local picture, or an empty text when the file is not a readable,
    // non-empty picture or its path could break out of the style sheet's url().
    static QString pictureStyleSheet(const QString &p_strLocalPath);

protected:
    bool event(QEvent *event) override;

private:
    std::unique_ptr<Ui::ScreenPictrueWidget> m_ui;
    QString m_strLocalPath; // picture of the last request; a completed download shows this one
};
