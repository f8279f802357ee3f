// Draws the client's pictures and writes them with a resource list (hostimages.qrc) into the
// folder given as the only argument. Run at build time, offscreen.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

const QColor Cyan(25, 246, 255);
const QColor Alarm(210, 74, 74);
const QColor Unusual(231, 122, 56);
const QColor Normal(61, 199, 120);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage titleDot()
{
    QImage image = canvas(6, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Cyan);
    p.drawRoundedRect(QRectF(1, 2, 4, 12), 2, 2);
    return image;
}

QImage dropArrow()
{
    QImage image = canvas(10, 10);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 210));
    p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(9, 3), QPointF(5, 8)}));
    return image;
}

QImage filterIcon()
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 204, 210), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(2, 3), QPointF(14, 3), QPointF(9.5, 8.5), QPointF(9.5, 13.5),
                             QPointF(6.5, 12), QPointF(6.5, 8.5)}));
    return image;
}

QImage plusMinus(bool plus)
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 204, 210), 1.2));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(plus ? Cyan : Alarm, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    if (plus)
        p.drawLine(QPointF(8, 5), QPointF(8, 11));
    return image;
}

// Card backgrounds: 426 x 557, the face goes at (83, 31) 258 x 311, texts below y 365.
QImage cardBackground(const QColor &accent)
{
    QImage image = canvas(426, 557);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 557);
    gradient.setColorAt(0, QColor(22, 34, 52));
    gradient.setColorAt(1, QColor(12, 18, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(0, 0, 426, 557), 12, 12);
    QColor band = accent;
    band.setAlpha(60);
    p.setBrush(band);
    p.drawRect(QRectF(0, 365, 426, 36));
    p.setPen(QPen(accent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(81, 29, 262, 315));
    p.drawLine(QPointF(60, 420), QPointF(366, 420));
    return image;
}

// Borders: 472 x 603, the card is drawn at (23, 23).
QImage cardBorder(const QColor &accent)
{
    QImage image = canvas(472, 603);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        QColor glow = accent;
        glow.setAlpha(10 + i * 12);
        p.setPen(QPen(glow, 2));
        p.drawRoundedRect(QRectF(i + 1, i + 1, 470 - 2 * i, 601 - 2 * i), 16, 16);
    }
    p.setPen(QPen(accent, 4, Qt::SolidLine, Qt::SquareCap));
    const int c = 40;
    const QRectF r(14, 14, 444, 575);
    p.drawLine(r.topLeft(), r.topLeft() + QPointF(c, 0));
    p.drawLine(r.topLeft(), r.topLeft() + QPointF(0, c));
    p.drawLine(r.topRight(), r.topRight() + QPointF(-c, 0));
    p.drawLine(r.topRight(), r.topRight() + QPointF(0, c));
    p.drawLine(r.bottomLeft(), r.bottomLeft() + QPointF(c, 0));
    p.drawLine(r.bottomLeft(), r.bottomLeft() + QPointF(0, -c));
    p.drawLine(r.bottomRight(), r.bottomRight() + QPointF(-c, 0));
    p.drawLine(r.bottomRight(), r.bottomRight() + QPointF(0, -c));
    return image;
}

// Head-and-shoulders silhouette placeholder, 160 x 192.
QImage facePlaceholder(const QColor &tint, bool crossed)
{
    QImage image = canvas(160, 192);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(30, 36, 46));
    QColor body = tint;
    body.setAlpha(170);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QRectF(50, 36, 60, 70));
    QPainterPath shoulders;
    shoulders.moveTo(20, 192);
    shoulders.cubicTo(24, 130, 136, 130, 140, 192);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    if (crossed) {
        p.setPen(QPen(QColor(150, 156, 166), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(30, 30), QPointF(130, 162));
    }
    return image;
}

QImage noDataFace()
{
    QImage image = canvas(160, 192);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(30, 36, 46));
    p.setPen(QPen(QColor(110, 118, 130), 3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(45, 36, 70, 82));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 118, 130));
    p.drawEllipse(QRectF(64, 66, 8, 8));
    p.drawEllipse(QRectF(88, 66, 8, 8));
    p.setPen(QPen(QColor(110, 118, 130), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(66, 98), QPointF(94, 98));
    QFont font;
    font.setPixelSize(16);
    p.setFont(font);
    p.drawText(QRectF(0, 136, 160, 40), Qt::AlignCenter, QStringLiteral("NO DATA"));
    return image;
}

QImage noMaskBadge(const QString &text)
{
    QImage image = canvas(96, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Alarm);
    p.drawRoundedRect(QRectF(0, 0, 96, 28), 6, 6);
    // Mask pictogram, struck through.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 8, 18, 12), 4, 4);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(4, 11), QPointF(6, 12));
    p.drawLine(QPointF(24, 12), QPointF(26, 11));
    p.setPen(QPen(QColor(120, 20, 20), 2));
    p.drawLine(QPointF(5, 22), QPointF(25, 6));
    if (!text.isEmpty()) {
        QFont font;
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(28, 0, 66, 28), Qt::AlignCenter, text);
    }
    return image;
}

QImage accessSign(bool granted)
{
    QImage image = canvas(160, 160);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 10));
    p.setBrush(granted ? QColor(120, 153, 123) : QColor(230, 163, 155));
    p.drawEllipse(QRectF(8, 8, 144, 144));
    p.setPen(QPen(Qt::white, 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (granted) {
        p.drawPolyline(QPolygonF({QPointF(46, 82), QPointF(70, 106), QPointF(116, 58)}));
    } else {
        p.drawLine(QPointF(52, 52), QPointF(108, 108));
        p.drawLine(QPointF(108, 52), QPointF(52, 108));
    }
    return image;
}

QImage speaker(bool on)
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 210));
    p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2), QPointF(9, 14),
                             QPointF(5, 10), QPointF(2, 10)}));
    p.setBrush(Qt::NoBrush);
    if (on) {
        p.setPen(QPen(Cyan, 1.4));
        p.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(6, 2, 9, 12), -60 * 16, 120 * 16);
    } else {
        p.setPen(QPen(Alarm, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 6), QPointF(15, 10));
        p.drawLine(QPointF(15, 6), QPointF(11, 10));
    }
    return image;
}

// Side-bar handle, 13 x 67: an arrow pointing where the panel goes.
QImage sidebarHandle(bool pointLeft)
{
    QImage image = canvas(13, 67);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 56, 70));
    p.drawRoundedRect(QRectF(0.5, 0.5, 12, 66), 3, 3);
    p.setBrush(QColor(200, 204, 210));
    if (pointLeft)
        p.drawPolygon(QPolygonF({QPointF(9, 27), QPointF(9, 40), QPointF(4, 33.5)}));
    else
        p.drawPolygon(QPolygonF({QPointF(4, 27), QPointF(4, 40), QPointF(9, 33.5)}));
    return image;
}

struct Picture
{
    QString path;
    std::function<QImage()> draw;
};

QList<Picture> pictures()
{
    const QString ai = QStringLiteral("images/home/charts/ai/");
    return {
            {QStringLiteral("images/home/charts/title_dot.png"), titleDot},
            {QStringLiteral("images/home/common/drop_10.png"), dropArrow},
            {QStringLiteral("images/home/common/sheet/sheet_filter.png"), filterIcon},
            {QStringLiteral("images/home/common/common_16/add_16.png"),
             [] { return plusMinus(true); }},
            {QStringLiteral("images/home/common/common_16/delete_16.png"),
             [] { return plusMinus(false); }},
            {QStringLiteral("images/home/common/sound_open.png"), [] { return speaker(true); }},
            {QStringLiteral("images/home/common/sound_close.png"), [] { return speaker(false); }},
            {QStringLiteral("images/home/common/sidebar_hide.png"),
             [] { return sidebarHandle(true); }},
            {QStringLiteral("images/home/common/sidebar_show.png"),
             [] { return sidebarHandle(false); }},
            {ai + QStringLiteral("card_bg.png"), [] { return cardBackground(Cyan); }},
            {ai + QStringLiteral("card_temp_bg.png"), [] { return cardBackground(Normal); }},
            {ai + QStringLiteral("card_temp_alarm_bg.png"), [] { return cardBackground(Alarm); }},
            {ai + QStringLiteral("card_temp_unnsual_bg.png"),
             [] { return cardBackground(Unusual); }},
            {ai + QStringLiteral("card_border.png"), [] { return cardBorder(Cyan); }},
            {ai + QStringLiteral("card_alarm_border.png"), [] { return cardBorder(Alarm); }},
            {ai + QStringLiteral("card_temp_unnsual_border.png"),
             [] { return cardBorder(Unusual); }},
            {ai + QStringLiteral("image_nodate.png"), noDataFace},
            {ai + QStringLiteral("image_no_show_face_normal.png"),
             [] { return facePlaceholder(Normal, true); }},
            {ai + QStringLiteral("image_no_show_face_overTemp.png"),
             [] { return facePlaceholder(Alarm, true); }},
            {ai + QStringLiteral("image_no_show_face_abnormal.png"),
             [] { return facePlaceholder(Unusual, true); }},
            {ai + QStringLiteral("NOMASK.png"),
             [] { return noMaskBadge(QStringLiteral("NO MASK")); }},
            {ai + QStringLiteral("NOMASK1.png"),
             [] { return noMaskBadge(QStringLiteral("NO MASK")); }},
            // Language 96 has no Latin caption; the struck-out mask speaks for itself.
            {ai + QStringLiteral("NOMASK96.png"), [] { return noMaskBadge(QString()); }},
            {ai + QStringLiteral("access-granted(160px).png"), [] { return accessSign(true); }},
            {ai + QStringLiteral("access-denied(160px).png"), [] { return accessSign(false); }},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hostclient_imagegen <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QString qrc;
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n";
    for (const Picture &picture : pictures()) {
        const QString file = out.filePath(picture.path);
        if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !picture.draw().save(file, "PNG")) {
            std::fprintf(stderr, "hostclient_imagegen: cannot write %s\n", qPrintable(file));
            return 1;
        }
        list << "        <file>" << picture.path.toHtmlEscaped() << "</file>\n";
    }
    list << "    </qresource>\n</RCC>\n";
    list.flush();
    QFile qrcFile(out.filePath(QStringLiteral("hostimages.qrc")));
    if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || qrcFile.write(qrc.toUtf8()) < 0) {
        std::fprintf(stderr, "hostclient_imagegen: cannot write the resource list\n");
        return 1;
    }
    return 0;
}
