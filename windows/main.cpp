#include "main_window.h"
#include "message_loop.h"
#include "newer_api.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
#ifdef REBAR_AS_ON_WINDOWS_7
    forgetNewerApis(); // a test build: every newer function missing, as on Windows 7
#endif
    // Before any window, font or input method can bring a DLL in by name.
    loadCodeFromSystem32Only();
    MainWindow window(instance);
    window.showAtStart();
    return runMessageLoop(window.handle());
}
