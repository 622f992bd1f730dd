#pragma once

#include <windows.h>

// Everything the program calls that Windows 7 SP1 may lack is looked up here, at run
// time, and has a fallback: the program is built for Windows 7 (_WIN32_WINNT 0x0601),
// so no newer function is ever imported.

/// Makes every later look-up fail, as on a Windows 7 without its updates (or succeed
/// again). For the tests, before the window is made.
void forgetNewerApis(bool forget = true);

/// Loads DLLs from System32 only from here on, whatever folder the program was started
/// from: SetDefaultDllDirectories where Windows has it (8, or 7 with KB2533623); on a
/// Windows 7 without it, the DLLs Windows loads by name on the program's behalf are
/// loaded first by their full System32 path. Returns whether SetDefaultDllDirectories
/// was used.
bool loadCodeFromSystem32Only();

/// The window's dots per inch: its monitor's under Windows 10, else the system's.
UINT windowDpi(HWND window);
/// The system's dots per inch: the primary monitor's when the user logged on.
UINT systemDpi();

/// The outer rectangle of a window whose client area is `client`, at `dpi`.
RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi);
