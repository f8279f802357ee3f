#include "TemperatureText.h"

#include "AppConfigHelper.h"
#include "AppConfigTemperatureUnit.h"

#include <QDebug>

#include <cmath>

TemperatureText::Unit TemperatureText::unitOf(const AppConfigTemperatureUnit &config)
{
    return config.nTemperatureUnit == 1 ? Fahrenheit : Celsius;
}

TemperatureText::Unit TemperatureText::userUnit()
{
    return unitOf(AppConfigHelper::instance()->getTemperatureUnitConfigHistory());
}

QString TemperatureText::unitSign(Unit unit)
{
    return unit == Fahrenheit ? QStringLiteral("\u2109") : QStringLiteral("\u2103");
}

QString TemperatureText::format(float celsius, bool withUnit, Unit unit)
{
    if (!std::isfinite(celsius)) {
        qDebug() << "TemperatureText::format not a temperature:" << celsius;
        return QString();
    }
    double value = celsius;
    if (value < 0.0) {
        // Rounding -0.04 to "-0.0" would read back as not below zero.
        value = std::floor(value * 10.0) / 10.0;
        unit = Celsius;
    } else if (unit == Fahrenheit) {
        value = value * 9.0 / 5.0 + 32.0;
    }
    QString text = QString::number(value, 'f', 1);
    if (withUnit)
        text += unitSign(unit);
    return text;
}
