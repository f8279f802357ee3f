#pragma once

#include <QtGlobal>

#include <initializer_list>

// Small platform utilities.
class System
{
public:
    // Seconds on a steady clock (unaffected by changes of the wall clock); only differences
    // between two readings are meaningful.
    static qint64 getSecondCount();

    // A device's AI-detect value is a bit set: type n is held when bit n is set. An unset
    // value (-99999, or any negative value) holds no type, nor does a type outside 0..30.
    static bool isHaveTheAIdetectType(int aiDetect, int type);
    static int aiDetectValue(std::initializer_list<int> types);

private:
    // Moving the clock is a stand-in switch: see HostTesting (host/testing).
    friend class HostTesting;
    static void advanceSecondCount(qint64 seconds);
};
