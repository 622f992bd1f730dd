// The floors for bench/startup-windows.sh, built with the program's resource and
// manifest: a bare Win32 window of the calculator's client size holding one label.
// Built with REBAR_FAIR_FLOOR it is the least a window in the program's faces can do
// before it shows: it registers the two compiled-in faces, as the program does where
// Windows has neither, and sets the label's font in the Song face before it shows.
// Without, the label keeps the system font. Built with REBAR_CONTROLS_FLOOR as well, it
// also makes the program's fifteen other controls, as the calculator's window has them
// when it shows: what the window's controls cost, with no handler, binding or focus.
#include "resource_ids.h"
#include "startup_timing.h"
#ifdef REBAR_CONTROLS_FLOOR
#include "diameter_list.h"
#include "stored_form.h"

#include <string>
#include <string_view>
#endif

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

#ifdef REBAR_CONTROLS_FLOOR
HFONT makeFont(const wchar_t *face, float points, bool bold)
{
    return CreateFontW(-static_cast<int>(points * 96.0f / 72.0f + 0.5f), 0, 0, 0,
                       bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

std::wstring wide(const char16_t *text)
{
    const std::u16string_view view(text ? text : u"");
    return std::wstring(view.begin(), view.end());
}

// Every stored control but Label1 (the floor's label), of its kind, at its place at 96
// DPI, in its font; Combo1 in its list's size with the list filled.
void makeOtherControls(HWND window, HINSTANCE instance, HFONT song)
{
    HFONT result = makeFont(L"Rebar Song", 12.0f, true);
    HFONT exit = makeFont(L"Rebar Song", 12.0f, false);
    HFONT kai = makeFont(L"Rebar Kai", 14.25f, false);
    HFONT list = makeFont(L"Rebar Song", listFontPoints, false);
    for (const StoredControl &stored : storedControls) {
        if (stored.control == Control::Label1)
            continue;
        const auto px = [](int twips) { return twipsToPixels(twips, 96); };
        const wchar_t *kind = L"BUTTON";
        DWORD style = WS_CHILD | (stored.visible ? WS_VISIBLE : 0) | WS_TABSTOP;
        DWORD exStyle = 0;
        int height = px(stored.height);
        switch (stored.kind) {
        case ControlKind::Label:
            kind = L"STATIC";
            style &= ~WS_TABSTOP;
            break;
        case ControlKind::TextBox:
            kind = L"EDIT";
            style |= ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ComboBox:
            kind = L"COMBOBOX";
            style |= WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            height += 8 * px(240);
            break;
        case ControlKind::CommandButton:
            break;
        case ControlKind::OptionButton:
            style |= BS_AUTORADIOBUTTON;
            break;
        }
        HFONT font = stored.kind == ControlKind::ComboBox ? list
                     : stored.font == FontKind::Result    ? result
                     : stored.font == FontKind::Exit      ? exit
                     : stored.font == FontKind::Calculate ? kai
                                                          : song;
        HWND control = CreateWindowExW(exStyle, kind, wide(stored.caption).c_str(), style,
                                       px(stored.left), px(stored.top), px(stored.width), height,
                                       window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (stored.kind == ControlKind::ComboBox)
            for (const std::u16string &item : diameterListItems())
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(item.c_str()).c_str()));
    }
}
#endif

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
#ifdef REBAR_CONTROLS_FLOOR
    makeOtherControls(window, instance, song);
    startupMark("controls made");
#endif
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
