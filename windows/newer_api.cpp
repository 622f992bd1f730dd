#include "newer_api.h"

#include <initializer_list>

namespace {

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
using SetDefaultDllDirectoriesFn = BOOL(WINAPI *)(DWORD);

bool forgotten = false;

template <class Function>
Function lookUp(const wchar_t *module, const char *name)
{
    if (forgotten)
        return nullptr;
    // Both modules are KnownDLLs that every program has loaded already.
    HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<Function>(
               reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)))
                  : nullptr;
}

} // namespace

void forgetNewerApis(bool forget)
{
    forgotten = forget;
}

namespace {

// Loads System32's DLL of each name by its full path; a later load by name finds it.
void preloadFromSystem32(std::initializer_list<const wchar_t *> dlls)
{
    wchar_t system32[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system32, MAX_PATH);
    if (length == 0 || length > MAX_PATH - 16)
        return;
    for (const wchar_t *dll : dlls) {
        wchar_t path[MAX_PATH];
        lstrcpyW(path, system32);
        lstrcatW(path, dll);
        LoadLibraryW(path);
    }
}

} // namespace

bool loadCodeFromSystem32Only()
{
    const auto setDefaultDllDirectories =
        lookUp<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Wine's common controls load MSIMG32 by name on a path that passes this
        // setting by (the planting test saw it taken from beside the program).
        preloadFromSystem32({L"\\msimg32.dll"});
        return true;
    }
    // No current folder in the search, and the DLLs that themes, the window manager,
    // accessibility and the common controls bring in are taken from System32 before
    // anything asks for them by name.
    SetDllDirectoryW(L"");
    preloadFromSystem32(
        {L"\\uxtheme.dll", L"\\dwmapi.dll", L"\\oleacc.dll", L"\\version.dll", L"\\msimg32.dll"});
    return false;
}

UINT windowDpi(HWND window)
{
    if (const auto getDpiForWindow = lookUp<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow"))
        return getDpiForWindow(window);
    // Windows 7 and 8.1 run the program system-aware: one DPI for every monitor.
    return systemDpi();
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi)
{
    if (const auto adjustForDpi =
            lookUp<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi")) {
        if (adjustForDpi(&client, style, FALSE, exStyle, dpi))
            return client;
    }
    AdjustWindowRectEx(&client, style, FALSE, exStyle); // the system's DPI
    return client;
}
