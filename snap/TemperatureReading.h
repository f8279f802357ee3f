#pragma once

// A measured temperature as the platform delivers it (a double, degrees Celsius) turned into
// the float the temperature texts take. A value outside float's range cannot be converted at
// all (undefined behaviour), and a reading far outside any body temperature is a fault of the
// device, not a measurement: both count as no reading.
class TemperatureReading
{
public:
    static constexpr double LowestCelsius = -100.0;
    static constexpr double HighestCelsius = 200.0;
    // What the platform sends when nothing was measured: every reader takes a negative value
    // for "no reading" (dots on the card, no announcement).
    static constexpr float NoReading = -1.0f;

    // Finite and within LowestCelsius..HighestCelsius, both included.
    static bool isPlausible(double celsius);
    // The reading when plausible, NoReading otherwise.
    static float toFloat(double celsius);
};
