// The Windows loader needs an entry point; the run-time is initialised before it is
// called, so there is nothing left to do here.
#if defined(_WIN32)
#include <windows.h>

BOOL APIENTRY DllMain(HMODULE, DWORD, LPVOID)
{
    return TRUE;
}
#endif
