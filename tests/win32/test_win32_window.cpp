// What the native window does that is its own: places and sizes in device pixels,
// fonts and colours, the input method's characters, a change of scale, the names a
// screen reader hears, and the fallbacks of a Windows 7 without its updates. The
// behaviour every window shares is the book of scenarios (test_scenarios_win32).

#include "author_line.h"
#include "fake_window.h"
#include "message_loop.h"
#include "newer_api.h"
#include "row_name.h"
#include "stored_form.h"
#include "utf8.h"
#include "win32_driver.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The DPI the run was started at (scripts/windows.sh sets Wine's LogPixels).
int expectedDpi()
{
    const char *dpi = std::getenv("REBAR_EXPECT_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

class Win32Window : public testing::Test {
protected:
    // None of these rows calculates: a box would be a fault.
    void TearDown() override { EXPECT_TRUE(driver.takePrompts().empty()); }

    HWND main() { return driver.window().handle(); }
    HWND of(Control control) const { return driver.handle(control); }
    std::string text(Control control) { return utf8(driver.text(control)); }

    Win32Driver driver;
};

// Windows' own message boxes opened while this thread runs, each answered OK as soon as
// it is active.
int realBoxes = 0;
LRESULT CALLBACK answerBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t kind[16] = {};
    if (code == HCBT_ACTIVATE
        && GetClassNameW(reinterpret_cast<HWND>(wParam), kind, static_cast<int>(std::size(kind)))
        && std::wstring(kind) == L"#32770") {
        ++realBoxes;
        PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Every control at its stored place and size in device pixels, at the run's DPI.
TEST_F(Win32Window, layoutInDevicePixels)
{
    EXPECT_EQ(utf8(driver.window().binding().text(Control::Form1)), utf8(formCaption));
    // Fixed size: no sizing frame, no minimize or maximize box.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(main(), GWL_STYLE));
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(text(Control::Label6), utf8(authorLine()));
    const int dpi = expectedDpi();
    ASSERT_EQ(static_cast<int>(driver.window().dpi()), dpi);
    RECT client;
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, twipsToPixels(clientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(clientHeightTwips, dpi));
    std::printf("client area at %d dpi: %ld x %ld\n", dpi, client.right, client.bottom);
    for (const StoredControl &stored : storedControls) {
        RECT r;
        GetWindowRect(of(stored.control), &r);
        MapWindowPoints(nullptr, main(), reinterpret_cast<POINT *>(&r), 2);
        SCOPED_TRACE(controlName(stored.control));
        EXPECT_EQ(r.left, twipsToPixels(stored.left, dpi));
        EXPECT_EQ(r.top, twipsToPixels(stored.top, dpi));
        if (stored.kind == ControlKind::Label) {
            // A label grows to the right where its text needs it (captionsShowWhole).
            EXPECT_GE(r.right - r.left, twipsToPixels(stored.width, dpi));
            EXPECT_LE(r.right, client.right);
        } else {
            EXPECT_EQ(r.right - r.left, twipsToPixels(stored.width, dpi));
        }
        if (stored.kind == ControlKind::ComboBox) {
            // Wine keeps a combo box's field at its font's height and borders, one or two
            // pixels over; Windows takes the height the program sets.
            EXPECT_NEAR(r.bottom - r.top, twipsToPixels(stored.height, dpi), 2);
        } else {
            EXPECT_EQ(r.bottom - r.top, twipsToPixels(stored.height, dpi));
        }
    }
}

// Enter on 计算 clicks on its key-down and opens Windows' own message box. The key's
// character was queued to the button before the box opened; the box's own loop
// delivers it there, and it must press nothing: one box, not two.
TEST_F(Win32Window, enterOnCalculateOpensOneRealBox)
{
    driver.window().binding().setMessageBoxHook(nullptr);
    realBoxes = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    driver.type(u"0");
    for (int stop = 0; stop < 4; ++stop) // to 计算, and on it
        driver.press(Key::Enter);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(realBoxes, 1);
    // Wine gives the activation back to the window through the X server, a moment
    // later, and now and then to the desktop instead (with no window manager): then the
    // window is brought back as the user would, and the field it gave the focus to
    // must have kept its selection.
    for (int wait = 0; wait < 40 && GetForegroundWindow() != main(); ++wait)
        driver.settle();
    if (GetForegroundWindow() != main())
        driver.comeBack();
    EXPECT_EQ(driver.focus(), Control::Text1);
    EXPECT_EQ(driver.selection(Control::Text1).length, 1); // "0", selected
    EXPECT_EQ(text(Control::Text5), "2007");
}

// Every control's font and colours as its row of the stored form has them.
TEST_F(Win32Window, fontsAndColours)
{
    const int dpi = expectedDpi();
    HDC dc = GetDC(main());
    for (const StoredControl &stored : storedControls) {
        SCOPED_TRACE(controlName(stored.control));
        const StoredFont expected = storedFont(stored.font);
        const float points = stored.control == Control::Combo1 ? listFontPoints : expected.points;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(of(stored.control), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(static_cast<int>(points * 100), dpi, 7200));
        EXPECT_EQ(font.lfWeight, expected.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(std::wstring(font.lfFaceName), stored.font == FontKind::Calculate
                                                     ? driver.window().fonts().kaiFace()
                                                     : driver.window().fonts().songFace());
        if (stored.colours == ColourKind::Standard)
            continue;
        const UINT message = holdsText(stored.control) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
        EXPECT_NE(SendMessageW(main(), message, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(of(stored.control))),
                  0);
        EXPECT_EQ(GetTextColor(dc), RGB(blue.red, blue.green, blue.blue));
        if (stored.colours == ColourKind::Result) {
            EXPECT_EQ(GetBkColor(dc), RGB(lightBlue.red, lightBlue.green, lightBlue.blue));
        }
    }
    ReleaseDC(main(), dc);
}

// Each caption shows whole in its control's own font at the run's DPI: a label's text
// on its one line, a button's inside its frame. At 125 % the fonts are not the 96-dpi
// sizes scaled (9 pt is 15 pixels, and a half-width character 8), so the fit is
// measured: the text may run past its control only by the blank after its last
// character's ink, and a label may not break onto a second line that it has no room
// for.
TEST_F(Win32Window, captionsShowWhole)
{
    for (const StoredControl &stored : storedControls) {
        const bool button = stored.kind == ControlKind::CommandButton;
        if (stored.kind != ControlKind::Label && !button)
            continue;
        SCOPED_TRACE(controlName(stored.control));
        HWND control = of(stored.control);
        const std::u16string text = driver.window().binding().text(stored.control);
        const std::wstring caption(text.begin(), text.end());
        HDC dc = GetDC(control);
        const HGDIOBJ before =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        ABC last{};
        GetCharABCWidthsW(dc, caption.back(), caption.back(), &last);
        SelectObject(dc, before);
        ReleaseDC(control, dc);
        RECT room;
        GetClientRect(control, &room);
        if (button) // the frame and the focus rectangle inside it
            InflateRect(&room, -3 * GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        const int width = room.right - room.left;
        const int ink = size.cx - std::max(0, last.abcC);
        EXPECT_LE(ink, width) << "at " << expectedDpi() << " dpi";
        EXPECT_LE(size.cy, room.bottom - room.top) << "at " << expectedDpi() << " dpi";
        // Where a label grew to show its text, it covers no other control.
        RECT grown;
        GetWindowRect(control, &grown);
        grown.left += twipsToPixels(stored.width, expectedDpi());
        for (const StoredControl &other : storedControls) {
            RECT r;
            GetWindowRect(of(other.control), &r);
            if (other.kind == ControlKind::ComboBox) // its field, not its list
                r.bottom = r.top + twipsToPixels(other.height, expectedDpi());
            RECT overlap;
            if (other.control != stored.control && IntersectRect(&overlap, &grown, &r))
                ADD_FAILURE() << "it covers " << controlName(other.control);
        }
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        if (!button && size.cx > width) {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP))
                << size.cx << " pixels of text in " << width << " wrap onto a second line";
        }
    }
}

// The Song face the window uses: 宋体 where Windows has it installed (under either of
// its family names), else the compiled-in Rebar Song. The run says which to expect: a
// plain Wine has no 宋体, and scripts/windows.sh installs one into one prefix.
TEST_F(Win32Window, installedSongFaceOrTheStandIn)
{
    const wchar_t *expected = _wgetenv(L"REBAR_EXPECT_SONG_FACE");
    const std::wstring face = driver.window().fonts().songFace();
    std::printf("Song face: %s\n", utf8(std::u16string(face.begin(), face.end())).c_str());
    EXPECT_EQ(face, expected ? expected : L"Rebar Song");
}

// What an input method commits reaches the fields as WM_IME_CHAR, which an edit
// inserts without a WM_CHAR: a "d" from it advances like a typed one. (Typed keys are
// the book of scenarios' rows.)
struct ImeRow {
    std::string name;
    Control field;
    Control focusAfter;
};

std::vector<ImeRow> imeRows()
{
    std::vector<ImeRow> rows;
    for (const AdvanceStep &f : advanceSteps)
        rows.push_back(
            {std::string(f.name) + " d from an input method advances", f.field, f.target});
    rows.push_back({"Text5 d from an input method is typed", Control::Text5, Control::Text5});
    return rows;
}

class Win32InputMethod : public Win32Window, public testing::WithParamInterface<ImeRow> {};

TEST_P(Win32InputMethod, Row)
{
    const ImeRow &row = GetParam();
    driver.window().binding().setFocus(row.field);
    driver.settle();
    const std::string before = text(row.field);
    PostMessageW(GetFocus(), WM_IME_CHAR, L'd', 1);
    driver.settle();
    EXPECT_EQ(driver.focus(), row.focusAfter);
    // The key never reaches a field it advanced from; elsewhere it replaces the text.
    EXPECT_EQ(text(row.field), row.focusAfter != row.field ? before : "d");
}

INSTANTIATE_TEST_SUITE_P(Win32Window, Win32InputMethod, testing::ValuesIn(imeRows()), ByRowName());

bool moveLoopEntered = false;

LRESULT CALLBACK watchMoveLoop(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION
        && reinterpret_cast<const CWPSTRUCT *>(lParam)->message == WM_ENTERSIZEMOVE)
        moveLoopEntered = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK giveUp(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(99);
}

// Alt+Space, M (the system menu's Move), then Alt+F4 while the window is being moved:
// the move loop takes the quit message (Wine's does), and the program's loop still ends
// with the window instead of waiting without one.
TEST_F(Win32Window, closedWhileMovedByKeyboardEnds)
{
    moveLoopEntered = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchMoveLoop, nullptr, GetCurrentThreadId());
    std::vector<INPUT> keys = stroke(VK_SPACE, 0, VK_MENU);
    for (const std::vector<INPUT> &more : {stroke('M'), stroke(VK_F4, 0, VK_MENU)})
        keys.insert(keys.end(), more.begin(), more.end());
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, giveUp);
    const int status = runMessageLoop(main());
    KillTimer(nullptr, watchdog);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(moveLoopEntered);
    EXPECT_FALSE(IsWindow(main()));
    EXPECT_EQ(status, 0) << "the loop went on without the window until the watchdog";
}

// A move to a monitor of another scale: fonts made again, controls placed at the new
// scale, and the client area exactly round(329 s) x round(150 s).
TEST_F(Win32Window, dpiChange)
{
    for (int dpi : {144, 168, 96}) {
        RECT suggested;
        GetWindowRect(main(), &suggested);
        SendMessageW(main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT client;
        GetClientRect(main(), &client);
        EXPECT_EQ(client.right, twipsToPixels(clientWidthTwips, dpi)) << dpi;
        EXPECT_EQ(client.bottom, twipsToPixels(clientHeightTwips, dpi)) << dpi;
        RECT button;
        GetWindowRect(of(Control::Command1), &button);
        EXPECT_EQ(button.right - button.left,
                  twipsToPixels(storedControl(Control::Command1).width, dpi))
            << dpi;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(of(Control::Text1), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(int(storedFont(FontKind::Window).points), dpi, 72)) << dpi;
    }
}

// The list is made in the size the load handler gives it; a size the form sets later
// still reaches the combo box, and its field keeps its stored height.
TEST_F(Win32Window, listSizeSetLater)
{
    const int dpi = expectedDpi();
    for (float points : {12.0f, 9.0f, listFontPoints}) {
        driver.window().binding().setFontSize(Control::Combo1, points);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(of(Control::Combo1), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(static_cast<int>(points * 100), dpi, 7200)) << points;
        RECT field;
        GetWindowRect(of(Control::Combo1), &field);
        EXPECT_NEAR(field.bottom - field.top,
                    twipsToPixels(storedControl(Control::Combo1).height, dpi), 2)
            << points;
    }
}

// What a screen reader calls each field: the caption of its label. Windows names a
// field after the label just before it among its siblings, and a button by its text.
TEST_F(Win32Window, accessibleNames)
{
    CoInitialize(nullptr);
    for (const StoredControl &row : storedControls) {
        if (row.namedBy == Control::Form1)
            continue;
        SCOPED_TRACE(controlName(row.control));
        if (row.kind == ControlKind::OptionButton) {
            EXPECT_EQ(text(row.control), text(row.namedBy));
        } else {
            EXPECT_EQ(GetWindow(of(row.control), GW_HWNDPREV), of(row.namedBy));
        }
        IAccessible *accessible = nullptr;
        const HRESULT made =
            AccessibleObjectFromWindow(of(row.control), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void **>(&accessible));
        if (made != S_OK) {
            // Wine 8 makes no accessible object for these classes; Windows does.
            std::printf("AccessibleObjectFromWindow: 0x%08lx for control %d: names not read\n",
                        static_cast<unsigned long>(made), static_cast<int>(row.control));
            continue;
        }
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        accessible->get_accName(self, &name);
        const std::wstring got = name ? std::wstring(name) : L"";
        SysFreeString(name);
        accessible->Release();
        EXPECT_EQ(utf8(std::u16string(got.begin(), got.end())), utf8(nameOf(row.control)));
    }
    CoUninitialize();
}

// A Windows 7 without the newer functions: the window still opens at its size.
TEST(Win32WindowFallbacks, opensAtItsSizeWithoutNewerApis)
{
    forgetNewerApis();
    EXPECT_FALSE(loadCodeFromSystem32Only());
    {
        Win32Driver driver;
        RECT client;
        GetClientRect(driver.window().handle(), &client);
        EXPECT_EQ(client.right, twipsToPixels(clientWidthTwips, expectedDpi()));
        EXPECT_EQ(client.bottom, twipsToPixels(clientHeightTwips, expectedDpi()));
    }
    forgetNewerApis(false);
}

} // namespace
