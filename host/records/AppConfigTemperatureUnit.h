#pragma once

// The user's temperature unit as last chosen in the host's settings.
struct AppConfigTemperatureUnit
{
    int nTemperatureUnit = 0; // 1 = Fahrenheit, anything else = Celsius

    bool operator==(const AppConfigTemperatureUnit &other) const
    {
        return nTemperatureUnit == other.nTemperatureUnit;
    }
    bool operator!=(const AppConfigTemperatureUnit &other) const { return !(*this == other); }
};
