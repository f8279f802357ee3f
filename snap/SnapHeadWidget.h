#pragma once

#include <QImage>
#include <QMap>
#include <QWidget>

#include <memory>

namespace Ui {
class SnapHeadWidget;
}

// A round face with a coloured ring; only the disc can be seen and clicked. It announces its
// own expiry 30 s after construction, and its owner decides what that means.
class SnapHeadWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int LifetimeMs = 30000;

    explicit SnapHeadWidget(QWidget *parent = nullptr);
    ~SnapHeadWidget() override;

    void setImage(const QImage &p_image, int p_nKey);
    QImage image(int p_nKey) const;
    void setState(int p_nState);
    int state() const { return m_nState; }

signals:
    void sigDestory();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::unique_ptr<Ui::SnapHeadWidget> m_ui;
    QImage m_image;
    QMap<int, QImage> m_mapImages;
    int m_nState = 0;
};
