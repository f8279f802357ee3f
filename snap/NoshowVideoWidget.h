#pragma once

#include "BaseWidget.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QColor>
#include <QString>

#include <memory>

namespace Ui {
class NoshowVideoWidget;
}

// Stands in for the live video in custom-picture mode: the latest temperature, or its
// verdict, in the state's colour with the state's two configured lines.
class NoshowVideoWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit NoshowVideoWidget(QWidget *parent = nullptr);
    ~NoshowVideoWidget() override;

    void setStrategy(const ST_MSGVoiceBroadcastStrategy &p_objStrategy);
    void setTemperature(const QString &p_strTemperature, int p_nState);

    QString temperatureText() const { return m_strTemperature; }
    QString firstLineText() const { return m_strFirstLine; }
    QString secondLineText() const { return m_strSecondLine; }
    QColor stateColour() const { return m_stateColour; }
    double scale() const { return m_dScale; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::unique_ptr<Ui::NoshowVideoWidget> m_ui;
    QString m_strTemperature;
    QString m_strFirstLine;
    QString m_strSecondLine;
    int m_nState = 0;
    QColor m_stateColour;
    double m_dScale = 1.0;
    ST_MSGVoiceBroadcastStrategy m_objStrategy;
};
