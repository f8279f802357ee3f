#pragma once

#include "BaseWidget.h"

// Base of the host's dialogs: a window of its own, shown centred over its parent's window and
// closed by the dialog itself or by Escape.
class SNDialog : public BaseWidget
{
    Q_OBJECT
public:
    explicit SNDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Dialog);
    ~SNDialog() override;

    // Top-left corner that centres a dialog of the given size over an area.
    static QPoint centredPosition(const QRect &area, const QSize &dialogSize);

public slots:
    virtual void showSNDialog();
    virtual void closeSNDialog();
    void shortcutClose() override;

signals:
    void signalDialogShown();
    void signalDialogClosed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
