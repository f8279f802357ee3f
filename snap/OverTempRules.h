#pragma once

#include <QFontMetrics>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>

class OrvaneAiCompareVoiceBroadcastStrategy;

// What the over-temperature card and list decide, apart from the widgets that show it: card
// sizes, the NEW tag's minute, the card's privacy treatment and texts, and the geometry of the
// painted and hover pieces.
class OverTempRules
{
public:
    // The NEW tag goes at the first refresh tick at least this old.
    static constexpr int NewTagSeconds = 60;
    static constexpr int RefreshIntervalMs = 5000;
    static constexpr int ToolBarHeight = 108;
    static constexpr int DeviceBarHeight = 30;
    // Horizontal room kept free on each side of the device name, in the bar and the tool bar.
    static constexpr int NameSideMargin = 8;

    // Card size value of the strategy (1 big, 2 medium, 3 small); any other value keeps the
    // current size.
    static QSize cardSize(int p_nCardSize, const QSize &current);
    // Room for the title row and its gap above the cards.
    static int listMaximumHeight(int p_nInfoLabelHeight, int p_nCardHeight);
    static bool isNewTagSeen(qint64 p_nNow, uint p_nCreateTime);

    struct Picture
    {
        QString source; // the snapshot, or the state's placeholder
        bool bProtected = false;
        bool bMosaic = false; // with the over-temperature frame
    };
    static Picture picture(const QString &snapUrl, int p_nState,
                           const OrvaneAiCompareVoiceBroadcastStrategy &strategy);
    // labelTemp's text by the strategy's thermometry result: 1 the temperature, 3 the
    // over-temperature word, anything else nothing.
    static QString temperatureText(int p_nThermometryResult, const QString &textWithUnit);
    // 2 shows the bar, 1 hides it, any other value leaves it as it is.
    enum class BarChange { Show, Hide, Keep };
    static BarChange deviceBarChange(int p_nShowDeviceName);

    // The name elided at the right to the width less the side margins, when it does not fit.
    static QString fittedName(const QFontMetrics &metrics, const QString &name, int p_nWidth);
    // Baseline start of the centred device name on the bar.
    static QPoint deviceNameOrigin(int p_nTextWidth, const QSize &bar);

    static QRect toolBarGeometry(const QRect &picture);
    static QRect deviceBarGeometry(const QRect &picture);
    // The pop-up over label_add, its pointer at the label's middle, in tool bar coordinates.
    static QRect popupGeometry(const QSize &toolBar, const QRect &addLabel);
    // A box with a pointer at the middle of its lower edge.
    static QPolygon popupOutline(const QSize &popup);
};
