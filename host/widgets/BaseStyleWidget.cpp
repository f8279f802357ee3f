#include "BaseStyleWidget.h"

#include <QPainter>
#include <QStyleOption>

BaseStyleWidget::BaseStyleWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setAttribute(Qt::WA_StyledBackground, true);
}

BaseStyleWidget::~BaseStyleWidget() = default;

void BaseStyleWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
