// The floors for bench/startup-windows.sh, built with the program's resource and
// manifest: a bare Win32 window of the calculator's client size holding one label.
// Built with REBAR_FAIR_FLOOR it is the least a window in the program's faces can do
// before it shows: it registers the two compiled-in faces, as the program does where
// Windows has neither, and sets the label's font in the Song face before it shows.
// Without, the label keeps the system font.
#include "resource_ids.h"
#include "startup_timing.h"

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerFace(HINSTANCE instance, int resource)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    DWORD fonts = 0;
    if (loaded)
        AddFontMemResourceEx(LockResource(loaded), SizeofResource(instance, found), nullptr,
                             &fonts);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    startupMark("entered");
#ifdef REBAR_FAIR_FLOOR
    registerFace(instance, IDR_SONG_FACE);
    registerFace(instance, IDR_KAI_FACE);
    startupMark("faces registered");
#endif

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"floor";
    RegisterClassW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 329, 150};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowW(L"floor", L"floor", style, 375, 267, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    startupMark("frame made");
    HWND label = CreateWindowW(L"STATIC", L"钢筋重量计算", WS_CHILD | WS_VISIBLE, 24, 16, 200, 20,
                               window, nullptr, instance, nullptr);
#ifdef REBAR_FAIR_FLOOR
    HFONT song = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Rebar Song");
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(song), FALSE);
#endif
    startupMark("label made");
    ShowWindow(window, SW_SHOW);
    startupMark("shown");
#ifdef REBAR_STARTUP_TIMING
    printStartupMarks(); // the benchmark's timed build ends here
    return 0;
#endif

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
#ifdef REBAR_FAIR_FLOOR
    DeleteObject(song);
#endif
    return 0;
}
