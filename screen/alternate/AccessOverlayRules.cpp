#include "AccessOverlayRules.h"

#include "FeverValues.h"

AccessOverlayRules::Banner AccessOverlayRules::banner(int p_nTempState)
{
    Banner banner;
    banner.bOver = FeverValues::isOverTemperature(p_nTempState);
    banner.strColor = banner.bOver ? QStringLiteral("#e6a39b") : QStringLiteral("#78997b");
    banner.strTextKey = bannerTextKey(banner.bOver);
    banner.strIconPath = QStringLiteral(":/images/home/charts/ai/%1(160px).png")
                                 .arg(banner.bOver ? QStringLiteral("access-denied")
                                                   : QStringLiteral("access-granted"));
    return banner;
}

QString AccessOverlayRules::bannerTextKey(bool p_bOver)
{
    return p_bOver ? QStringLiteral("TK_AccessDenied") : QStringLiteral("TK_AccessGranted");
}

QString AccessOverlayRules::bannerStyleSheet(const QString &color)
{
    return QStringLiteral("background-color:%1").arg(color);
}

QString AccessOverlayRules::textStyleSheet(float k)
{
    return QStringLiteral("color: white; font: %1px").arg(static_cast<int>(k * 15.0f));
}

float AccessOverlayRules::scale(int p_nPlayerHeight)
{
    return static_cast<float>(p_nPlayerHeight) / NominalPlayerHeight;
}

QRect AccessOverlayRules::faceGeometry(float k, int p_nIndex, int p_nFirstFaceHeight)
{
    const int side = static_cast<int>(k * 125.0f);
    const int x = static_cast<int>(k * 45.0f);
    const int y = p_nIndex == 0 ? x
                                : static_cast<int>(static_cast<float>(p_nFirstFaceHeight)
                                                   + k * 30.0f + k * 45.0f);
    return QRect(x, y, side, side);
}

QPoint AccessOverlayRules::movedDown(const QRect &face, float k)
{
    return QPoint(face.x(),
                  static_cast<int>(static_cast<float>(face.y() + face.height()) + k * 30.0f));
}

QRect AccessOverlayRules::bannerGeometry(float k, const QRect &face)
{
    const QSize size(static_cast<int>(k * 160.0f), static_cast<int>(k * 35.0f));
    const int x = static_cast<int>(static_cast<float>(face.x() + face.width()) + k * 15.0f);
    const int y = face.y() + (face.height() - size.height()) / 2;
    return QRect(QPoint(x, y), size);
}

QSize AccessOverlayRules::iconMaximumSize(int p_nBannerHeight)
{
    return QSize(p_nBannerHeight - 10, p_nBannerHeight - 10);
}
