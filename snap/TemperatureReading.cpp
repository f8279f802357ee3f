#include "TemperatureReading.h"

#include <QDebug>

#include <cmath>

bool TemperatureReading::isPlausible(double celsius)
{
    return std::isfinite(celsius) && celsius >= LowestCelsius && celsius <= HighestCelsius;
}

float TemperatureReading::toFloat(double celsius)
{
    if (isPlausible(celsius))
        return static_cast<float>(celsius);
    qDebug() << "TemperatureReading::toFloat not a temperature, taken as no reading:" << celsius;
    return NoReading;
}
