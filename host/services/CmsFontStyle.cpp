#include "CmsFontStyle.h"

#include <QGuiApplication>

QFont CmsFontStyle::getCurrentFont()
{
    // Without an application the default-constructed font is the best there is.
    return QGuiApplication::instance() ? QGuiApplication::font() : QFont();
}
