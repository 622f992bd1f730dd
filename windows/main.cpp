#include "main_window.h"
#include "message_loop.h"
#include "newer_api.h"
#include "startup_timing.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
#ifdef REBAR_AS_ON_WINDOWS_7
    forgetNewerApis(); // a test build: every newer function missing, as on Windows 7
#endif
    // Before any window, font or input method can bring a DLL in by name.
    loadCodeFromSystem32Only();
    startupMark("DLLs from System32 only");
    MainWindow window(instance);
    window.showAtStart();
#ifdef REBAR_STARTUP_TIMING
    // The benchmark's timed build: the first messages, then the marks, and it ends.
    handlePendingMessages(window.handle());
    startupMark("first messages handled");
    printStartupMarks();
    return 0;
#else
    return runMessageLoop(window.handle());
#endif
}
