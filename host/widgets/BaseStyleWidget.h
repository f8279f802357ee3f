#pragma once

#include <QWidget>

// Root of every host screen, panel and dialog: paints the background and border that the host's
// style sheets give the class, which a plain QWidget subclass would ignore.
class BaseStyleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BaseStyleWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~BaseStyleWidget() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
