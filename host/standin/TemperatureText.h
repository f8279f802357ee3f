#pragma once

#include <QString>

struct AppConfigTemperatureUnit;

// Turns a measured body temperature (degrees Celsius, as the platform delivers it) into the
// text shown and spoken: one decimal, in the user's unit, with or without the unit sign.
// The text without unit must read back as a number (QString::toFloat), because the cards
// test its sign and the announcements speak it digit by digit.
class TemperatureText
{
public:
    enum Unit { Celsius = 0, Fahrenheit = 1 };

    static Unit unitOf(const AppConfigTemperatureUnit &config);
    // The unit the user chose in the host's settings.
    static Unit userUnit();
    static QString unitSign(Unit unit);

    // "36.5℃", "97.7℉", or without unit "36.5". A negative value is what the platform sends
    // for "no reading": it is kept in Celsius and rounded away from zero, so its text stays
    // negative in every unit and every reader still recognises it. Not-a-number and
    // infinities give an empty text.
    static QString format(float celsius, bool withUnit, Unit unit);
};
