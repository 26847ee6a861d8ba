// The library entry routine of the Windows build. The runtime constructs
// theAIEngine before it on process attach; there is nothing else to do for
// any reason.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif
