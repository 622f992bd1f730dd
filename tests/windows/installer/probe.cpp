// Reads what a Windows window shows, for the installer test under Wine:
//   probe box <title part> <seconds>   waits for a message box whose title holds the
//                                      part, prints its text and presses its button
//   probe texts <title> <seconds>      waits for a window of exactly that title and
//                                      prints the text of each of its controls
// Texts are written as UTF-8, one per line. Exit status 1 when no window came.
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

int wmain(int argc, wchar_t **argv)
{
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
