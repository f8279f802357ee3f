#include "OverTempRules.h"

#include "FeverValues.h"
#include "TempSnapRules.h"

#include "AppLanguageTr.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"

QSize OverTempRules::cardSize(int p_nCardSize, const QSize &current)
{
    switch (p_nCardSize) {
    case 1:
        return {184, 255};
    case 2:
        return {159, 221};
    case 3:
        return {123, 170};
    default:
        return current;
    }
}

int OverTempRules::listMaximumHeight(int p_nInfoLabelHeight, int p_nCardHeight)
{
    return 2 * p_nInfoLabelHeight + p_nCardHeight;
}

bool OverTempRules::isNewTagSeen(qint64 p_nNow, uint p_nCreateTime)
{
    return qAbs(p_nNow - static_cast<qint64>(p_nCreateTime)) >= NewTagSeconds;
}

OverTempRules::Picture OverTempRules::picture(const QString &snapUrl, int p_nState,
                                              const OrvaneAiCompareVoiceBroadcastStrategy &strategy)
{
    switch (TempSnapRules::pictureTreatment(strategy)) {
    case TempSnapRules::PictureTreatment::Placeholder:
        return {TempSnapRules::placeholderPicture(p_nState), true, false};
    case TempSnapRules::PictureTreatment::Mosaic:
        return {snapUrl, true, true};
    case TempSnapRules::PictureTreatment::Plain:
        break;
    }
    return {snapUrl, false, false};
}

QString OverTempRules::temperatureText(int p_nThermometryResult, const QString &textWithUnit)
{
    switch (p_nThermometryResult) {
    case 1:
        return textWithUnit;
    case 3:
        return AppLanguageTr::translate(QStringLiteral("TK_OverTemperature"));
    default:
        return QString();
    }
}

OverTempRules::BarChange OverTempRules::deviceBarChange(int p_nShowDeviceName)
{
    if (p_nShowDeviceName == FeverValues::SwitchOn)
        return BarChange::Show;
    if (p_nShowDeviceName == FeverValues::SwitchOff)
        return BarChange::Hide;
    return BarChange::Keep;
}

QString OverTempRules::fittedName(const QFontMetrics &metrics, const QString &name, int p_nWidth)
{
    const int room = p_nWidth - 2 * NameSideMargin;
    if (metrics.horizontalAdvance(name) <= room)
        return name;
    return metrics.elidedText(name, Qt::ElideRight, room);
}

QPoint OverTempRules::deviceNameOrigin(int p_nTextWidth, const QSize &bar)
{
    return {(bar.width() - p_nTextWidth) / 2, bar.height() - 5};
}

QRect OverTempRules::toolBarGeometry(const QRect &picture)
{
    return {picture.x(), picture.y() + picture.height() - ToolBarHeight, picture.width(),
            ToolBarHeight};
}

QRect OverTempRules::deviceBarGeometry(const QRect &picture)
{
    return {picture.x(), picture.height() - DeviceBarHeight, picture.width(), DeviceBarHeight};
}

QRect OverTempRules::popupGeometry(const QSize &toolBar, const QRect &addLabel)
{
    const int width = toolBar.width() - 2 * NameSideMargin;
    const int height = toolBar.height() * 2 / 3;
    const int x = addLabel.x() + (addLabel.width() / 2 - width / 2);
    const int y = addLabel.y() - 5 - height;
    return {x, y, width, height};
}

QPolygon OverTempRules::popupOutline(const QSize &popup)
{
    const int w = popup.width();
    const int h = popup.height();
    QPolygon outline;
    outline << QPoint(0, 5) << QPoint(w - 1, 5) << QPoint(w - 1, h - 6) << QPoint(w / 2 + 5, h - 6)
            << QPoint(w / 2, h - 1) << QPoint(w / 2 - 5, h - 6) << QPoint(0, h - 6) << QPoint(0, 5);
    return outline;
}
