// The native window under Wine (or Windows): made as the program makes it, driven by
// the messages keys and clicks send, read back from the controls themselves.

#include "control_table.h"
#include "fake_window.h"
#include "main_window.h"
#include "message_loop.h"
#include "newer_api.h"
#include "row_name.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring textOf(HWND h)
{
    wchar_t buffer[256] = {};
    GetWindowTextW(h, buffer, 256);
    return buffer;
}

std::string narrow(const std::wstring &text)
{
    return utf8(std::u16string(text.begin(), text.end()));
}

// The DPI the run was started at (scripts/windows.sh sets Wine's LogPixels).
int expectedDpi()
{
    const char *dpi = std::getenv("REBAR_EXPECT_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr));
        window->binding().setMessageBoxHook([this](const std::u16string &prompt) {
            prompts.push_back(prompt);
            return 1;
        });
        window->showAtStart();
        pump();
    }
    void TearDown() override
    {
        window.reset();
        handlePendingMessages(nullptr);
    }

    HWND main() const { return window->handle(); }
    HWND of(Control control) const { return window->binding().handle(control); }
    HWND editOf(Control control) const { return window->binding().editOf(control); }
    void pump() const { handlePendingMessages(main()); }
    std::string text(Control control) const { return narrow(textOf(of(control))); }

    /// The control that has the focus; the combo box for its edit field.
    Control focus() const
    {
        Control control = Control::Form1;
        window->binding().controlOf(GetFocus(), control);
        return control;
    }
    bool wholeTextSelected(Control control) const
    {
        DWORD start = 0, end = 0;
        SendMessageW(editOf(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(editOf(control)));
    }

    /// A key as the keyboard sends it to the focused window, through the program's loop.
    void key(UINT vk, bool shift = false)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, 0)) << 16;
        PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1 | scan);
        PostMessageW(GetFocus(), WM_KEYUP, vk, 1 | scan | (3LL << 30));
        pump();
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
    /// Typed characters, one WM_CHAR each (or WM_IME_CHAR, as an input method commits).
    void type(const std::wstring &characters, UINT message = WM_CHAR)
    {
        for (wchar_t c : characters) {
            PostMessageW(GetFocus(), message, c, 1);
            pump();
        }
    }
    void click(Control control)
    {
        HWND h = of(control);
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        pump();
    }
    void walk(const std::vector<std::wstring> &steps)
    {
        for (const std::wstring &step : steps) {
            if (step == L"⏎")
                key(VK_RETURN);
            else
                type(step);
        }
    }

    std::unique_ptr<MainWindow> window;
    std::vector<std::u16string> prompts;
};

TEST_F(Win32Window, startsAsStored)
{
    EXPECT_EQ(narrow(textOf(main())), "钢筋重量计算");
    EXPECT_EQ(text(Control::Text1), "100");
    EXPECT_EQ(text(Control::Text2), "1");
    EXPECT_EQ(text(Control::Combo1), "12");
    EXPECT_EQ(text(Control::Text3), "10");
    EXPECT_EQ(text(Control::Text5), "2007");
    EXPECT_FALSE(IsWindowVisible(of(Control::Label6)));
    EXPECT_EQ(SendMessageW(of(Control::Option2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(of(Control::Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(focus(), Control::Text1);
    EXPECT_TRUE(wholeTextSelected(Control::Text1));
    ASSERT_EQ(SendMessageW(of(Control::Combo1), CB_GETCOUNT, 0, 0), 17);
    wchar_t item[8];
    SendMessageW(of(Control::Combo1), CB_GETLBTEXT, 16, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), L"50");
    // Fixed size: no sizing frame, no minimize or maximize box.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(main(), GWL_STYLE));
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
}

// Every control at its stored place and size in device pixels, at the run's DPI.
TEST_F(Win32Window, layoutInDevicePixels)
{
    const int dpi = expectedDpi();
    ASSERT_EQ(static_cast<int>(window->dpi()), dpi);
    RECT client;
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, twipsToPixels(clientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(clientHeightTwips, dpi));
    std::printf("client area at %d dpi: %ld x %ld\n", dpi, client.right, client.bottom);
    for (const ControlSpec &stored : controlTable) {
        RECT r;
        GetWindowRect(of(stored.control), &r);
        MapWindowPoints(nullptr, main(), reinterpret_cast<POINT *>(&r), 2);
        SCOPED_TRACE(static_cast<int>(stored.control));
        EXPECT_EQ(r.left, twipsToPixels(stored.left, dpi));
        EXPECT_EQ(r.top, twipsToPixels(stored.top, dpi));
        EXPECT_EQ(r.right - r.left, twipsToPixels(stored.width, dpi));
        if (stored.kind == ControlKind::ComboBox) {
            // Wine keeps a combo box's field at its font's height and borders, one or two
            // pixels over; Windows takes the height the program sets.
            EXPECT_NEAR(r.bottom - r.top, twipsToPixels(stored.height, dpi), 2);
        } else {
            EXPECT_EQ(r.bottom - r.top, twipsToPixels(stored.height, dpi));
        }
    }
}

TEST_F(Win32Window, fontsAndColours)
{
    const int dpi = expectedDpi();
    const struct {
        Control control;
        int points100;
        int weight;
        bool kai;
    } rows[] = {
        {Control::Text1, 900, FW_NORMAL, false},     {Control::Combo1, 1000, FW_NORMAL, false},
        {Control::Command1, 1425, FW_NORMAL, true},  {Control::Text5, 1200, FW_BOLD, false},
        {Control::Command2, 1200, FW_NORMAL, false}, {Control::Label6, 900, FW_NORMAL, false}};
    for (const auto &row : rows) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(of(row.control), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        SCOPED_TRACE(static_cast<int>(row.control));
        EXPECT_EQ(font.lfHeight, -MulDiv(row.points100, dpi, 7200));
        EXPECT_EQ(font.lfWeight, row.weight);
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(std::wstring(font.lfFaceName),
                  row.kai ? window->fonts().kaiFace() : window->fonts().songFace());
    }
    HDC dc = GetDC(main());
    for (Control field : {Control::Text3, Control::Text5}) {
        EXPECT_NE(SendMessageW(main(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(of(field))),
                  0);
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
        EXPECT_EQ(GetBkColor(dc), RGB(192, 192, 255));
    }
    SendMessageW(main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(of(Control::Label6)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    ReleaseDC(main(), dc);
}

TEST_F(Win32Window, keyboardWalk)
{
    walk({L"250", L"⏎", L"4", L"⏎", L"16", L"⏎", L"⏎"});
    EXPECT_EQ(text(Control::Text3), "10");
    EXPECT_EQ(text(Control::Text5), "15.8");
    EXPECT_EQ(focus(), Control::Text1);
    EXPECT_TRUE(wholeTextSelected(Control::Text1));
    EXPECT_TRUE(prompts.empty());
}

struct KeyRow {
    std::string name;
    Control field;
    UINT message; // WM_CHAR or WM_IME_CHAR; 0: the Enter key
    wchar_t character;
    Control focusAfter;
};

std::vector<KeyRow> keyRows()
{
    std::vector<KeyRow> rows;
    for (const AdvanceStep &f : advanceSteps) {
        const std::string name = f.name;
        rows.push_back({name + " Enter advances", f.field, 0, 0, f.target});
        rows.push_back({name + " d advances", f.field, WM_CHAR, L'd', f.target});
        rows.push_back({name + " D advances", f.field, WM_CHAR, L'D', f.target});
        rows.push_back(
            {name + " d from an input method advances", f.field, WM_IME_CHAR, L'd', f.target});
        rows.push_back({name + " 7 is typed", f.field, WM_CHAR, L'7', f.field});
    }
    rows.push_back({"Text5 Enter stays", Control::Text5, 0, 0, Control::Text5});
    rows.push_back({"Text5 d is typed", Control::Text5, WM_CHAR, L'd', Control::Text5});
    return rows;
}

class Win32Keys : public Win32Window, public testing::WithParamInterface<KeyRow> {};

TEST_P(Win32Keys, Row)
{
    const KeyRow &row = GetParam();
    window->binding().setFocus(row.field);
    pump();
    SendMessageW(editOf(row.field), EM_SETSEL, 0, -1);
    const std::wstring before = textOf(of(row.field));
    if (row.message == 0)
        key(VK_RETURN);
    else
        type(std::wstring(1, row.character), row.message);
    EXPECT_EQ(focus(), row.focusAfter);
    if (row.focusAfter != row.field) {
        EXPECT_EQ(textOf(of(row.field)), before); // the key never reaches the field
        if (row.focusAfter == Control::Text2) {
            EXPECT_TRUE(wholeTextSelected(Control::Text2));
        }
    } else if (row.message != 0) {
        EXPECT_EQ(textOf(of(row.field)), std::wstring(1, row.character)); // replaced
    }
    EXPECT_EQ(text(Control::Text5), row.field == Control::Text5 && row.message ? "d" : "2007");
    EXPECT_TRUE(prompts.empty());
}

INSTANTIATE_TEST_SUITE_P(Win32Window, Win32Keys, testing::ValuesIn(keyRows()), ByRowName());

TEST_F(Win32Window, escapeAndEnterElsewhereDoNothing)
{
    for (Control control : {Control::Text1, Control::Text5, Control::Option2}) {
        window->binding().setFocus(control);
        pump();
        key(VK_ESCAPE);
        EXPECT_TRUE(IsWindow(main()));
    }
    key(VK_RETURN); // on Option2
    EXPECT_TRUE(IsWindow(main()));
    EXPECT_EQ(text(Control::Text5), "2007");
    EXPECT_EQ(text(Control::Text3), "10");
}

TEST_F(Win32Window, tabOrder)
{
    const Control order[] = {Control::Text1,   Control::Text2, Control::Combo1,   Control::Command1,
                             Control::Text3,   Control::Text5, Control::Command2, Control::Command3,
                             Control::Option2, Control::Text1};
    // Tab reaches the option group at its set button, Option2, as the dialog keys do.
    for (std::size_t i = 1; i < std::size(order); ++i) {
        key(VK_TAB);
        EXPECT_EQ(focus(), order[i]) << "step " << i;
        if (order[i] == Control::Text2 || order[i] == Control::Text3
            || order[i] == Control::Text5) {
            EXPECT_TRUE(wholeTextSelected(order[i]));
        }
    }
    key(VK_TAB, true);
    EXPECT_EQ(focus(), Control::Option2);
    key(VK_UP); // the arrow keys move within the option group and set the button
    EXPECT_EQ(focus(), Control::Option1);
    EXPECT_EQ(SendMessageW(of(Control::Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(of(Control::Option2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32Window, refusalSendsBackWithTextSelected)
{
    type(L"0");
    walk({L"⏎", L"⏎", L"⏎", L"⏎"});
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(utf8(prompts.front()), "开什么玩笑！");
    EXPECT_EQ(text(Control::Text3), "0");
    EXPECT_EQ(text(Control::Text5), "2007");
    EXPECT_EQ(focus(), Control::Text1);
    EXPECT_TRUE(wholeTextSelected(Control::Text1));
}

TEST_F(Win32Window, labelsAndOptionsSwitchTheMode)
{
    click(Control::Label3);
    EXPECT_EQ(SendMessageW(of(Control::Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(of(Control::Option2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(focus(), Control::Text1); // a label takes no focus
    window->binding().setFocus(Control::Text3);
    pump();
    walk({L"2.5", L"⏎", L"⏎"}); // direct mode: 2.5 m of 12 mm
    EXPECT_EQ(text(Control::Text5), "2.22");
    click(Control::Label1);
    EXPECT_EQ(SendMessageW(of(Control::Option2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(of(Control::Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    click(Control::Option1); // the circle itself
    EXPECT_EQ(SendMessageW(of(Control::Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(of(Control::Option2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32Window, listPicksADiameter)
{
    window->binding().setFocus(Control::Combo1);
    pump();
    SendMessageW(of(Control::Combo1), CB_SETCURSEL, 6, 0); // "16"
    EXPECT_EQ(text(Control::Combo1), "16");
    key(VK_RETURN);
    key(VK_RETURN);
    EXPECT_EQ(text(Control::Text5), "1.58");
}

void putOnClipboard(HWND owner, const std::wstring &text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// A cell copied from a spreadsheet ends in a line break: the native fields keep the
// first line, and grouped thousands read as the number.
TEST_F(Win32Window, pastedCells)
{
    putOnClipboard(main(), L"250\r\n");
    SendMessageW(editOf(Control::Text1), WM_PASTE, 0, 0);
    EXPECT_EQ(text(Control::Text1), "250");
    key(VK_RETURN);
    type(L"4");
    key(VK_RETURN);
    putOnClipboard(main(), L"16\r\n");
    SendMessageW(editOf(Control::Combo1), EM_SETSEL, 0, -1);
    SendMessageW(editOf(Control::Combo1), WM_PASTE, 0, 0);
    EXPECT_EQ(text(Control::Combo1), "16");
    walk({L"⏎", L"⏎"});
    EXPECT_EQ(text(Control::Text5), "15.8");

    putOnClipboard(main(), L"1,200\r\n");
    SendMessageW(editOf(Control::Text1), WM_PASTE, 0, 0); // over the selected "250"
    EXPECT_EQ(text(Control::Text1), "1,200");
    walk({L"⏎", L"⏎", L"⏎", L"⏎"});
    EXPECT_EQ(text(Control::Text3), "48");
    EXPECT_EQ(text(Control::Text5), "75.84");
}

TEST_F(Win32Window, contactLineAndExit)
{
    SendMessageW(of(Control::Command3), BM_CLICK, 0, 0);
    pump();
    EXPECT_TRUE(IsWindowVisible(of(Control::Label6)));
    EXPECT_EQ(text(Control::Label6).rfind("作者：", 0), 0u);
    EXPECT_NE(text(Control::Label6).find("  Email："), std::string::npos);
    SetWindowTextW(of(Control::Text1), L"不是数");
    window->binding().setFocus(Control::Command2);
    pump();
    key(VK_RETURN); // Enter on 退出
    EXPECT_FALSE(IsWindow(main()));
    EXPECT_TRUE(prompts.empty());
}

TEST_F(Win32Window, closeBoxEnds)
{
    SendMessageW(main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    EXPECT_FALSE(IsWindow(main()));
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
        EXPECT_EQ(button.right - button.left, twipsToPixels(1215, dpi)) << dpi;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(of(Control::Text1), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72)) << dpi;
    }
}

// What a screen reader calls each field: the caption of its label. Windows names a
// field after the label just before it among its siblings, and a button by its text.
TEST_F(Win32Window, accessibleNames)
{
    const struct {
        Control field;
        Control label;
    } pairs[] = {{Control::Text1, Control::Label1},
                 {Control::Text2, Control::Label2},
                 {Control::Combo1, Control::Label4},
                 {Control::Text3, Control::Label3},
                 {Control::Text5, Control::Label5}};
    for (const auto &pair : pairs)
        EXPECT_EQ(GetWindow(of(pair.field), GW_HWNDPREV), of(pair.label))
            << static_cast<int>(pair.field);
    EXPECT_EQ(text(Control::Option1), text(Control::Label3));
    EXPECT_EQ(text(Control::Option2), text(Control::Label1));

    CoInitialize(nullptr);
    const struct {
        Control control;
        const char *name;
    } rows[] = {{Control::Text1, "单根长度(cm)"},  {Control::Text2, "根数"},
                {Control::Combo1, "钢筋直径(mm)"}, {Control::Text3, "总长度(m)"},
                {Control::Text5, "钢筋重量(Kg)"},  {Control::Option1, "总长度(m)"},
                {Control::Option2, "单根长度(cm)"}};
    for (const auto &row : rows) {
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
        EXPECT_EQ(narrow(got), row.name) << static_cast<int>(row.control);
    }
    CoUninitialize();
}

// A Windows 7 without the newer functions: the window still opens at its size.
TEST(Win32WindowFallbacks, opensAtItsSizeWithoutNewerApis)
{
    forgetNewerApis();
    EXPECT_FALSE(loadCodeFromSystem32Only());
    MainWindow window(GetModuleHandleW(nullptr));
    window.showAtStart();
    handlePendingMessages(window.handle());
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, twipsToPixels(clientWidthTwips, expectedDpi()));
    EXPECT_EQ(client.bottom, twipsToPixels(clientHeightTwips, expectedDpi()));
}

} // namespace
