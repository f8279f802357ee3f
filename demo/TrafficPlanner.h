#pragma once

#include <QRandomGenerator>

#include <vector>

// What the traffic simulator sends next, decided without touching pictures, the platform or
// widgets, so that the mix can be checked draw by draw from a fixed seed.
class TrafficPlanner
{
public:
    // Shares of the kinds of snapshots, in percent.
    static constexpr int RegisteredPercent = 50;
    static constexpr int StrangerNoMatchPercent = 15;
    static constexpr int StrangerMatchPercent = 15;
    static constexpr int SeveralMatchesPercent = 20;
    static constexpr int NoMaskPercent = 25;

    enum class Kind {
        Registered,      // one match: a registered person
        StrangerNoMatch, // no match at all
        StrangerMatch,   // one match entry that names no archive
        SeveralMatches,  // two or three entries, the first the person seen
    };

    struct Match
    {
        int nPerson = -1; // index of the registered person, -1 for a stranger entry
        float fScore = 0.0f;
    };

    struct Draw
    {
        Kind eKind = Kind::StrangerNoMatch;
        int nChannel = 0;           // index of the thermal channel
        std::vector<Match> matches; // in the order the platform reports them
        int nPersonSeen = -1;       // whose face the snapshot shows; -1 a stranger
        quint32 nStrangerFace = 0;  // the stranger's face, when nPersonSeen is -1
        int nTemperatureState = 0;  // 0 normal, 1 over-temperature, 2 and 3 abnormal
        double dTemperature = 36.5; // Celsius, one decimal
        int nMaskStatus = 1;        // 2: no mask worn
    };

    // The next snapshot from channelCount channels and personCount registered persons. With no
    // registered person every snapshot is a stranger. channelCount must be at least 1.
    static Draw draw(QRandomGenerator &random, int channelCount, int personCount);

    // A plausible reading for the state: normal 36.0-37.2, over-temperature 37.5-39.8, state 2
    // a low reading 34.0-35.8, state 3 an unusual high one 40.0-42.5.
    static double temperatureFor(QRandomGenerator &random, int temperatureState);
};
