// The fair floor for bench/startup-windows.sh: the least a window in the program's
// faces can do before it shows. A bare Win32 window of the calculator's client size,
// built with the program's resource and manifest, registers the two compiled-in faces
// as the program does where Windows has neither, and sets one label's font in the
// Song face before the window is shown.
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
    registerFace(instance, IDR_SONG_FACE);
    registerFace(instance, IDR_KAI_FACE);
    startupMark("faces registered");

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
    HFONT song = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Rebar Song");
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(song), FALSE);
    startupMark("label made, in its font");
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
    DeleteObject(song);
    return 0;
}
