#pragma once

#include <QString>

// Turns the platform's error codes into texts for the user.
class VORNErrorCodeTranslator
{
public:
    static constexpr int ErrorNone = 0;
    static constexpr int ErrorTimeout = 10001;
    static constexpr int ErrorUnsupported = 10002; // the platform does not know the request
    static constexpr int ErrorDatabase = 10003;    // the platform could not read its records
    static constexpr int ErrorServerBusy = 10005;

    // A translated text; every code but the time-out reads as a failure naming the code.
    static QString getErrorString(int p_nErrorCode);
};
