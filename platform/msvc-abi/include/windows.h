// The MSVC-ABI build's <windows.h>: the library entry's types only.
#ifndef ZUN_PLATFORM_WINDOWS_H
#define ZUN_PLATFORM_WINDOWS_H
typedef int BOOL;
typedef unsigned long DWORD;
typedef void* LPVOID;
typedef struct HINSTANCE__* HINSTANCE;
#define WINAPI __stdcall
#define TRUE 1
#endif
