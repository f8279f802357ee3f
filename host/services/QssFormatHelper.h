#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// The host's colour theme: keys beginning with "$" name the colours of the dark theme. Style
// sheets written with these keys are turned into real style sheets by formatQss().
class QssFormatHelper
{
public:
    // An unknown key gives an invalid colour (painted as transparent) and one debug line.
    static QColor findColorByKey(const QString &key);
    // "#rrggbb"; empty for an unknown key.
    static QString findColorStrByKey(const QString &key);
    static QStringList themeKeys();
    // Replaces every theme key in the style sheet by its colour; an unknown key becomes
    // "transparent" so that the sheet still parses.
    static QString formatQss(const QString &qss);
};
