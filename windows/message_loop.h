#pragma once

#include <windows.h>

/// Runs the program's message loop until the window is gone or WM_QUIT comes; the dialog
/// manager sees every message first (Tab, Shift+Tab, the option group's arrow keys, Enter).
int runMessageLoop(HWND window);

/// Handles every message waiting now, as runMessageLoop() would. For the tests.
void handlePendingMessages(HWND window);
