#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QVector>
#include <QWidget>

class QVariantAnimation;

// A carousel of large slides drawn over the video: the centre slide at full slide size, its
// neighbours smaller and dimmed at both sides, sliding into place when a slide is shown. It is a
// child widget of the player, transparent around the slides and to the mouse, so the video stays
// visible and clickable. Whatever geometry it is given, the slides are laid out in the part of
// it that its parent shows, shrunk to fit when that part is smaller than a slide. Showing a
// slide makes the carousel visible; clearing it hides it.
class PictureFlow : public QWidget
{
    Q_OBJECT
public:
    enum ReflectionEffect { NoReflection = 0, PlainReflection = 1 };
    static constexpr int AnimationMs = 250;
    static constexpr double SideScale = 0.7;

    explicit PictureFlow(QWidget *parent = nullptr);
    ~PictureFlow() override;

    // Rectangles of the slides in an area of the given size, with the carousel centred on the
    // (possibly fractional) position; reverse puts later slides to the left.
    static QVector<QRectF> slideRects(const QSize &area, int count, double position,
                                      const QSize &slideSize, bool reverse);
    // The slide size, scaled down (keeping its shape) to at most 90 % of the area's height and
    // width.
    static QSize fittedSlideSize(const QSize &slideSize, const QSize &area);
    // The part of the carousel its parent shows, in the carousel's coordinates.
    QRect visibleArea() const;

    void setReflectionEffect(int effect);
    int reflectionEffect() const { return m_nReflection; }
    void setSlideReverse(bool reverse);
    bool slideReverse() const { return m_bReverse; }
    void setSlideSize(const QSize &size);
    QSize slideSize() const { return m_slideSize; }

    int slideCount() const;
    QImage slide(int index) const;
    void setSlide(int index, const QImage &image);
    void addSlide(const QImage &image);
    void setCenterIndex(int index);
    int centerIndex() const { return m_nCenter; }
    double position() const { return m_dPosition; }

public slots:
    void showSlide(int index);
    void clear();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The slide scaled to the size it is drawn at (at rest) or to the full slide size (while
    // sliding); the video repaints under the carousel many times a second, and a resting
    // carousel then only copies these.
    const QPixmap &scaledSlide(int index, const QSize &size);

    QVector<QImage> m_vecSlides;
    QVector<QPixmap> m_vecScaled;
    QSize m_slideSize = QSize(330, 422);
    int m_nCenter = 0;
    double m_dPosition = 0.0;
    int m_nReflection = PlainReflection;
    bool m_bReverse = false;
    QVariantAnimation *m_pAnimation = nullptr;
};
