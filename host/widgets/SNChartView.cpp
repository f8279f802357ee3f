#include "SNChartView.h"

SNChartView::SNChartView(QWidget *parent)
    : QtCharts::QChartView(parent)
{
    applyLook();
}

SNChartView::SNChartView(QtCharts::QChart *chart, QWidget *parent)
    : QtCharts::QChartView(chart, parent)
{
    applyLook();
}

SNChartView::~SNChartView() = default;

void SNChartView::applyLook()
{
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(Qt::transparent);
    setStyleSheet(QStringLiteral("background: transparent;"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QtCharts::QChartView::NoRubberBand);
    // Hover on the series needs move events without a pressed button.
    setMouseTracking(true);
}
