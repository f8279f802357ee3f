#pragma once

#include <QWidget>

// The host's on/off switch: a rounded track with a knob, toggled by a click or by setToggle.
class SNSwitchControl : public QWidget
{
    Q_OBJECT
public:
    explicit SNSwitchControl(QWidget *parent = nullptr);
    ~SNSwitchControl() override;

    // p_bAnimation only smooths the knob's move; the state changes at once. toggled is emitted
    // when the state changes, whoever changed it.
    void setToggle(bool p_bChecked, bool p_bAnimation = true);
    bool isToggled() const { return m_bChecked; }

    QSize sizeHint() const override;

signals:
    void toggled(bool p_bChecked);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_bChecked = false;
};
