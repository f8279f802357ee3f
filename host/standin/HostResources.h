#pragma once

// The host client's compiled-in pictures register themselves when the library loads; a program
// that uses them only through ":/images/..." paths (and so never links a host symbol otherwise)
// calls this to keep the library, and with it the pictures.
class HostResources
{
public:
    static void initialise();
    static bool picturesAvailable();
};
