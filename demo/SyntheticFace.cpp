#include "SyntheticFace.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <array>

namespace {

const std::array<QColor, 6> &skinTones()
{
    static const std::array<QColor, 6> tones{QColor(255, 219, 172), QColor(241, 194, 125),
                                             QColor(224, 172, 105), QColor(198, 134, 66),
                                             QColor(141, 85, 36),   QColor(92, 58, 30)};
    return tones;
}

const std::array<QColor, 6> &hairColours()
{
    static const std::array<QColor, 6> colours{QColor(20, 18, 16),    QColor(90, 56, 37),
                                               QColor(165, 110, 60),  QColor(220, 190, 120),
                                               QColor(150, 150, 150), QColor(160, 40, 30)};
    return colours;
}

} // namespace

QImage SyntheticFace::draw(quint32 p_nIdentity, quint32 p_nShot, bool p_bMask)
{
    // The identity alone fixes the features; the shot only moves and lights them.
    QRandomGenerator looks(p_nIdentity);
    const QColor skin = skinTones()[size_t(looks.bounded(int(skinTones().size())))];
    const QColor hair = hairColours()[size_t(looks.bounded(int(hairColours().size())))];
    const QColor backdrop =
            QColor::fromHsv(looks.bounded(360), 60 + looks.bounded(80), 120 + looks.bounded(100));
    const QColor shirt =
            QColor::fromHsv(looks.bounded(360), 120 + looks.bounded(120), 90 + looks.bounded(140));
    const QColor iris = QColor::fromHsv(looks.bounded(360), 150, 90 + looks.bounded(80));
    const int hairStyle = looks.bounded(3);
    const int faceWidth = 92 + looks.bounded(28);
    const int faceHeight = 118 + looks.bounded(22);
    const bool glasses = looks.bounded(4) == 0;
    const bool beard = looks.bounded(5) == 0;

    QRandomGenerator pose(p_nIdentity ^ (p_nShot * 2654435761u));
    const int dx = p_nShot == 0 ? 0 : pose.bounded(-10, 11);
    const int dy = p_nShot == 0 ? 0 : pose.bounded(-6, 7);
    const int light = p_nShot == 0 ? 100 : 85 + pose.bounded(30);

    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, Height);
    background.setColorAt(0, backdrop.lighter(light + 20));
    background.setColorAt(1, backdrop.darker(120));
    painter.fillRect(image.rect(), background);

    const QPointF centre(Width / 2.0 + dx, 112.0 + dy);
    const QRectF face(centre.x() - faceWidth / 2.0, centre.y() - faceHeight / 2.0, faceWidth,
                      faceHeight);

    // Shoulders and neck.
    painter.setPen(Qt::NoPen);
    painter.setBrush(shirt.lighter(light));
    painter.drawRoundedRect(QRectF(centre.x() - 95, face.bottom() + 22, 190, 120), 50, 50);
    painter.setBrush(skin.darker(110));
    painter.drawRect(QRectF(centre.x() - 20, face.bottom() - 12, 40, 40));

    // Hair behind the head, then the face.
    painter.setBrush(hair);
    if (hairStyle == 2)
        painter.drawRoundedRect(face.adjusted(-14, -18, 14, 30), 40, 40);
    else
        painter.drawEllipse(face.adjusted(-8, -16, 8, -40));
    painter.setBrush(skin.lighter(light));
    painter.drawEllipse(face);
    painter.setBrush(hair);
    if (hairStyle == 0) {
        painter.drawChord(face.adjusted(-4, -10, 4, -50), 0, 180 * 16);
    } else {
        QPainterPath fringe;
        fringe.moveTo(face.left() + 2, face.top() + 40);
        fringe.quadTo(face.center().x() - 10, face.top() - 30, face.right() - 2, face.top() + 34);
        fringe.lineTo(face.right() - 2, face.top() + 10);
        fringe.quadTo(face.center().x(), face.top() - 26, face.left() + 2, face.top() + 10);
        painter.drawPath(fringe);
    }

    // Eyes, brows, nose.
    const qreal eyeY = face.top() + faceHeight * 0.45;
    const qreal eyeDx = faceWidth * 0.22;
    for (const qreal side : {-1.0, 1.0}) {
        const QPointF eye(centre.x() + side * eyeDx, eyeY);
        painter.setBrush(Qt::white);
        painter.drawEllipse(eye, 11, 6.5);
        painter.setBrush(iris);
        painter.drawEllipse(eye, 5, 5);
        painter.setBrush(Qt::black);
        painter.drawEllipse(eye, 2.2, 2.2);
        painter.setPen(QPen(hair.darker(130), 3.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(eye + QPointF(-11, -13), eye + QPointF(10, -14 - side));
        painter.setPen(Qt::NoPen);
    }
    if (glasses) {
        painter.setPen(QPen(QColor(40, 40, 40), 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(centre.x() - eyeDx - 17, eyeY - 12, 34, 24), 6, 6);
        painter.drawRoundedRect(QRectF(centre.x() + eyeDx - 17, eyeY - 12, 34, 24), 6, 6);
        painter.drawLine(QPointF(centre.x() - eyeDx + 17, eyeY),
                         QPointF(centre.x() + eyeDx - 17, eyeY));
        painter.setPen(Qt::NoPen);
    }
    painter.setPen(QPen(skin.darker(140), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(centre.x(), eyeY + 8), QPointF(centre.x() - 5, eyeY + 28));
    painter.drawLine(QPointF(centre.x() - 5, eyeY + 28), QPointF(centre.x() + 4, eyeY + 29));

    const qreal mouthY = face.top() + faceHeight * 0.76;
    if (beard) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(hair);
        painter.drawChord(face.adjusted(10, 30, -10, 0), 180 * 16, 180 * 16);
    }
    if (p_bMask) {
        painter.setPen(QPen(QColor(225, 230, 235), 2));
        painter.drawLine(QPointF(face.left() + 6, eyeY + 16), QPointF(face.left() - 2, eyeY + 2));
        painter.drawLine(QPointF(face.right() - 6, eyeY + 16), QPointF(face.right() + 2, eyeY + 2));
        painter.setPen(QPen(QColor(150, 180, 200), 1.5));
        painter.setBrush(QColor(170, 205, 230));
        painter.drawRoundedRect(QRectF(centre.x() - faceWidth * 0.40, eyeY + 16, faceWidth * 0.80,
                                       faceHeight * 0.40),
                                14, 14);
        for (int fold = 1; fold <= 3; ++fold) {
            const qreal y = eyeY + 16 + fold * faceHeight * 0.10;
            painter.drawLine(QPointF(centre.x() - faceWidth * 0.34, y),
                             QPointF(centre.x() + faceWidth * 0.34, y));
        }
    } else {
        painter.setPen(QPen(QColor(150, 50, 50), 3.5, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(centre.x() - 20, mouthY - 12, 40, 20), 200 * 16, 140 * 16);
    }
    painter.end();
    return image;
}
