#include "PaintedPieceRules.h"

#include "AppLanguageTr.h"

namespace PaintedPieceRules {

namespace {
constexpr double HeadReferenceHeight = 130.0;
constexpr int PlaceholderBasePoints = 55;
} // namespace

HeadRing headRing(const QSize &size)
{
    HeadRing ring;
    ring.width = int(size.height() / HeadReferenceHeight * 6);
    ring.margin = int(size.height() / HeadReferenceHeight * 3);
    ring.diameter = size.width() - 2 * ring.margin;
    return ring;
}

QColor headRingColour(int state)
{
    return QColor(state == 1 ? QStringLiteral("#e2645e") : QStringLiteral("#b8e5af"));
}

PlaceholderTexts placeholderTexts(const ST_MSGVoiceBroadcastStrategy &strategy,
                                  const QString &temperature, int state)
{
    PlaceholderTexts texts;
    switch (strategy.get_thermometry_result()) {
    case 1:
        texts.temperature = temperature;
        break;
    case 3:
        if (state == 1)
            texts.temperature = AppLanguageTr::translate(QStringLiteral("TK_OverTemperature"));
        else if (state == 2 || state == 3)
            texts.temperature = AppLanguageTr::translate(QStringLiteral("TK_AbnormalTemperature"));
        else
            texts.temperature = AppLanguageTr::translate(QStringLiteral("TK_Normal"));
        break;
    default:
        break;
    }
    for (const ScreenTextItem &item : strategy.vecScreenText) {
        if (item.state == state) {
            texts.firstLine = QString::fromStdString(item.result);
            texts.secondLine = QString::fromStdString(item.text);
            break;
        }
    }
    return texts;
}

QString placeholderColourKey(int state)
{
    switch (state) {
    case 0:
        return QStringLiteral("$word_normaltemp");
    case 1:
        return QStringLiteral("$word_overtemp");
    case 2:
    case 3:
        return QStringLiteral("$word_anormaltemp");
    default:
        return QString();
    }
}

int placeholderFirstPointSize(double scale)
{
    return int(PlaceholderBasePoints * scale);
}

int placeholderSecondPointSize(double scale)
{
    return int(2 * PlaceholderBasePoints * scale / 3);
}

QRect placeholderFirstBox(const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    return QRect(0, 3 * h / 8, 4 * w / 5, h);
}

QRect placeholderSecondBox(const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    return QRect(w / 5, 5 * h / 8, w, h);
}

} // namespace PaintedPieceRules
