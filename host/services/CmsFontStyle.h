#pragma once

#include <QFont>

// The font the host's widgets are drawn with.
class CmsFontStyle
{
public:
    static QFont getCurrentFont();
};
