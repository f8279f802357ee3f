#pragma once

#include <QtCharts/QChartView>

// The host's chart view: no frame, a see-through background so the chart sits on the panel's
// colour, and antialiased drawing.
class SNChartView : public QtCharts::QChartView
{
    Q_OBJECT
public:
    explicit SNChartView(QWidget *parent = nullptr);
    explicit SNChartView(QtCharts::QChart *chart, QWidget *parent = nullptr);
    ~SNChartView() override;

private:
    void applyLook();
};
