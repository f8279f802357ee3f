#include "SNDialog.h"

#include <QDebug>
#include <QKeyEvent>

SNDialog::SNDialog(QWidget *parent, Qt::WindowFlags flags)
    : BaseWidget(parent, flags)
{
}

SNDialog::~SNDialog() = default;

QPoint SNDialog::centredPosition(const QRect &area, const QSize &dialogSize)
{
    return QPoint(area.x() + (area.width() - dialogSize.width()) / 2,
                  area.y() + (area.height() - dialogSize.height()) / 2);
}

void SNDialog::showSNDialog()
{
    if (isWindow() && parentWidget()) {
        const QWidget *owner = parentWidget()->window();
        const QRect area(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        move(centredPosition(area, size()));
    }
    show();
    raise();
    activateWindow();
    emit signalDialogShown();
}

void SNDialog::closeSNDialog()
{
    if (!isVisible())
        return;
    hide();
    emit signalDialogClosed();
}

void SNDialog::shortcutClose()
{
    closeSNDialog();
}

void SNDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        shortcutClose();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        shortcutEnter();
        event->accept();
        return;
    }
    BaseWidget::keyPressEvent(event);
}
