#pragma once

#include <windows.h>

/// Runs the program's message loop until the window is gone or WM_QUIT comes; the dialog
/// manager sees every message first (Tab, Shift+Tab, the option group's arrow keys, Enter).
int runMessageLoop(HWND window);

/// Handles one message as runMessageLoop() does: the dialog manager first, then the key
/// translated and the message dispatched.
void dispatchMessage(HWND window, MSG &message);

/// Handles every message waiting now, as runMessageLoop() would. For the tests.
void handlePendingMessages(HWND window);
