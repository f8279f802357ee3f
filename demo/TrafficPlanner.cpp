#include "TrafficPlanner.h"

#include <QtMath>

#include <algorithm>

namespace {

double uniform(QRandomGenerator &random, double low, double high)
{
    return low + random.generateDouble() * (high - low);
}

double oneDecimal(double value)
{
    return qRound(value * 10.0) / 10.0;
}

int drawState(QRandomGenerator &random)
{
    const int roll = random.bounded(100);
    if (roll < 70)
        return 0;
    if (roll < 84)
        return 1;
    return roll < 92 ? 2 : 3;
}

} // namespace

double TrafficPlanner::temperatureFor(QRandomGenerator &random, int temperatureState)
{
    switch (temperatureState) {
    case 1:
        return oneDecimal(uniform(random, 37.5, 39.8));
    case 2:
        return oneDecimal(uniform(random, 34.0, 35.8));
    case 3:
        return oneDecimal(uniform(random, 40.0, 42.5));
    default:
        return oneDecimal(uniform(random, 36.0, 37.2));
    }
}

TrafficPlanner::Draw TrafficPlanner::draw(QRandomGenerator &random, int channelCount,
                                          int personCount)
{
    Draw result;
    result.nChannel = random.bounded(std::max(1, channelCount));

    int roll = random.bounded(100);
    if (personCount < 1) // nobody registered: only the stranger kinds are possible
        roll = RegisteredPercent + random.bounded(StrangerNoMatchPercent + StrangerMatchPercent);

    if (roll < RegisteredPercent) {
        result.eKind = Kind::Registered;
        result.nPersonSeen = random.bounded(personCount);
        result.matches.push_back({result.nPersonSeen, float(uniform(random, 0.82, 0.99))});
    } else if (roll < RegisteredPercent + StrangerNoMatchPercent) {
        result.eKind = Kind::StrangerNoMatch;
    } else if (roll < RegisteredPercent + StrangerNoMatchPercent + StrangerMatchPercent) {
        result.eKind = Kind::StrangerMatch;
        result.matches.push_back({-1, float(uniform(random, 0.20, 0.50))});
    } else {
        result.eKind = Kind::SeveralMatches;
        result.nPersonSeen = random.bounded(personCount);
        result.matches.push_back({result.nPersonSeen, float(uniform(random, 0.85, 0.99))});
        const int extra = 1 + random.bounded(2);
        // Look-alikes: other registered persons, each once, with lower scores; one entry in
        // three is a stranger entry instead, and so is every entry once the persons run out.
        std::vector<int> others;
        for (int i = 0; i < personCount; ++i) {
            if (i != result.nPersonSeen)
                others.push_back(i);
        }
        for (int i = 0; i < extra; ++i) {
            const float score = float(uniform(random, 0.55, 0.80));
            if (others.empty() || random.bounded(3) == 0) {
                result.matches.push_back({-1, score});
                continue;
            }
            const int pick = random.bounded(int(others.size()));
            result.matches.push_back({others[size_t(pick)], score});
            others.erase(others.begin() + pick);
        }
    }
    if (result.nPersonSeen < 0)
        result.nStrangerFace = random.generate();

    result.nTemperatureState = drawState(random);
    result.dTemperature = temperatureFor(random, result.nTemperatureState);
    result.nMaskStatus = random.bounded(100) < NoMaskPercent ? 2 : 1;
    return result;
}
