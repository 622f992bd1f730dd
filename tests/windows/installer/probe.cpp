// Reads what a Windows window shows, for the installer test under Wine:
//   probe box <title part> <seconds>   waits for a message box whose title holds the
//                                      part, prints its text and presses its button
//   probe texts <title> <seconds>      waits for a window of exactly that title and
//                                      prints the text of each of its controls
//   probe window <title> <seconds> [file]
//                                      shows a top-level window of its own class with
//                                      that title, and holds the file open with only
//                                      readers shared (no writer gets in), until the
//                                      window is closed or the seconds are over
// Texts are written as UTF-8, one per line. Exit status 1 when no window came, or when
// the window could not be made or the file not held.
#include <windows.h>

#include <cwchar>

static const wchar_t *wanted;
static int exact;
static HWND found;

static void print(const wchar_t *text)
{
    char bytes[4096];
    DWORD written;
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes - 1, NULL, NULL);
    if (length <= 0)
        return;
    bytes[length - 1] = '\n';
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, (DWORD)length, &written, NULL);
}

static BOOL CALLBACK matchTitle(HWND window, LPARAM box)
{
    wchar_t title[512], kind[64];
    if (!IsWindowVisible(window) || !GetWindowTextW(window, title, 512))
        return TRUE;
    GetClassNameW(window, kind, 64);
    if (box && wcscmp(kind, L"#32770") != 0)
        return TRUE;
    if (exact ? wcscmp(title, wanted) == 0 : wcsstr(title, wanted) != NULL) {
        found = window;
        return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK printChild(HWND child, LPARAM box)
{
    wchar_t text[1024], kind[64];
    GetClassNameW(child, kind, 64);
    if (box && _wcsicmp(kind, L"Static") != 0)
        return TRUE;
    // WM_GETTEXT itself: GetWindowText does not ask a control of another process.
    text[0] = 0;
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &copied);
    if (!box || text[0])
        print(text);
    return TRUE;
}

static LRESULT CALLBACK ownWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER: // the seconds are over
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window that is not the program's: another class, the title asked for.
static int showWindow(const wchar_t *title, int seconds, const wchar_t *file)
{
    HANDLE held = INVALID_HANDLE_VALUE;
    if (file) {
        held = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (held == INVALID_HANDLE_VALUE)
            return 1;
    }
    WNDCLASSW kind = {};
    kind.lpfnWndProc = ownWindow;
    kind.hInstance = GetModuleHandleW(NULL);
    kind.lpszClassName = L"InstallerProbeWindow";
    kind.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    if (!RegisterClassW(&kind))
        return 1;
    HWND window = CreateWindowW(kind.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 160, NULL, NULL,
                                kind.hInstance, NULL);
    if (!window)
        return 1;
    SetTimer(window, 1, (UINT)seconds * 1000, NULL);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    return 0;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc >= 4 && wcscmp(argv[1], L"window") == 0)
        return showWindow(argv[2], _wtoi(argv[3]), argc > 4 ? argv[4] : NULL);
    if (argc != 4)
        return 2;
    const int box = wcscmp(argv[1], L"box") == 0;
    wanted = argv[2];
    exact = !box;
    for (int tenth = 0; tenth < _wtoi(argv[3]) * 10 && !found; ++tenth) {
        EnumWindows(matchTitle, box);
        if (!found)
            Sleep(100);
    }
    if (!found)
        return 1;
    Sleep(300);
    EnumChildWindows(found, printChild, box);
    if (box) {
        HWND button =
            GetDlgItem(found, IDOK) ? GetDlgItem(found, IDOK) : GetDlgItem(found, IDCANCEL);
        PostMessageW(found, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     (LPARAM)button);
    }
    return 0;
}
