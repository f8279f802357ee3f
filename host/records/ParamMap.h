#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// Free-form parameters handed between host screens (function cards, device configuration).
using ParamMap = QMap<QString, QVariant>;
