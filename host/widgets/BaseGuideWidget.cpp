#include "BaseGuideWidget.h"

#include <QDebug>

BaseGuideWidget::BaseGuideWidget(QWidget *parent, Qt::WindowFlags flags)
    : BaseWidget(parent, flags)
{
}

BaseGuideWidget::~BaseGuideWidget() = default;

void BaseGuideWidget::updateGuideParam(const QList<GuideParam> &params)
{
    qDebug() << "BaseGuideWidget::updateGuideParam" << params.size() << "guide(s)";
    m_listGuideParam = params;
    ++m_nGuideUpdates;
    emit signalGuideParamChanged();
}

QList<BaseGuideWidget::GuideParam> BaseGuideWidget::guideParams() const
{
    return m_listGuideParam;
}
