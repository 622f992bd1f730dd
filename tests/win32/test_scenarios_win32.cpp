// The book of scenarios on the Win32 window: each step as input the way the keyboard
// and mouse make it (SendInput), through the program's own message loop, and the
// window read back from its controls. Message boxes are answered by the binding's hook.

#include "main_window.h"
#include "message_loop.h"
#include "row_name.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

class Win32Driver : public ScenarioDriver {
public:
    Win32Driver()
    {
        m_window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr));
        m_window->binding().setMessageBoxHook([this](const std::u16string &prompt) {
            m_prompts.push_back(prompt);
            return 1;
        });
        m_window->showAtStart();
        // The pointer away from the window, as a hand on the keyboard leaves it: an open
        // list follows the pointer over it.
        send({pointerTo({0, 0})});
    }
    ~Win32Driver() override
    {
        m_window.reset();
        handlePendingMessages(nullptr);
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    void type(const std::u16string &text) override
    {
        for (const char16_t c : text) {
            const SHORT vk = c < 0x80 ? VkKeyScanW(static_cast<wchar_t>(c)) : -1;
            if (vk == -1 || (HIBYTE(vk) & ~1) != 0) {
                // What an input method or a character map sends: the character itself.
                send({unicodeKey(c, 0), unicodeKey(c, KEYEVENTF_KEYUP)});
                continue;
            }
            const bool shift = HIBYTE(vk) & 1;
            std::vector<INPUT> inputs;
            if (shift)
                inputs.push_back(virtualKey(VK_SHIFT, 0));
            inputs.push_back(virtualKey(LOBYTE(vk), 0));
            inputs.push_back(virtualKey(LOBYTE(vk), KEYEVENTF_KEYUP));
            if (shift)
                inputs.push_back(virtualKey(VK_SHIFT, KEYEVENTF_KEYUP));
            send(inputs);
        }
    }

    void press(Key key) override
    {
        switch (key) {
        case Key::Enter:
            return tap(VK_RETURN);
        case Key::KeypadEnter:
            return tap(VK_RETURN, KEYEVENTF_EXTENDEDKEY);
        case Key::Tab:
            return tap(VK_TAB);
        case Key::ShiftTab:
            return send({virtualKey(VK_SHIFT, 0), virtualKey(VK_TAB, 0),
                         virtualKey(VK_TAB, KEYEVENTF_KEYUP),
                         virtualKey(VK_SHIFT, KEYEVENTF_KEYUP)});
        case Key::Escape:
            return tap(VK_ESCAPE);
        case Key::Space:
            return tap(VK_SPACE);
        case Key::Up:
            return tap(VK_UP, KEYEVENTF_EXTENDEDKEY);
        case Key::Down:
            return tap(VK_DOWN, KEYEVENTF_EXTENDEDKEY);
        case Key::OpenList:
            return tap(VK_F4);
        }
    }

    void click(Control control) override
    {
        HWND target = binding().editOf(control);
        RECT r;
        GetClientRect(target, &r);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        if (control == Control::Combo1 || isField(control))
            at.x = r.right - 3; // at the end of the field, past its text
        ClientToScreen(target, &at);
        clickAt(at);
    }

    void paste(const std::u16string &clipboard) override
    {
        if (!OpenClipboard(m_window->handle()))
            throw std::runtime_error("the clipboard cannot be opened");
        EmptyClipboard();
        const std::size_t bytes = (clipboard.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), clipboard.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        send({virtualKey(VK_CONTROL, 0), virtualKey('V', 0), virtualKey('V', KEYEVENTF_KEYUP),
              virtualKey(VK_CONTROL, KEYEVENTF_KEYUP)});
    }

    void pickItem(const std::u16string &item) override
    {
        HWND combo = binding().handle(Control::Combo1);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        const std::wstring wanted(item.begin(), item.end());
        const auto index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(wanted.c_str()));
        RECT place{};
        if (!IsWindowVisible(info.hwndList) || index < 0
            || SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&place))
                   == LB_ERR)
            throw std::logic_error("no open list with that item");
        POINT at{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        ClientToScreen(info.hwndList, &at);
        clickAt(at);
    }

    void closeBox() override
    {
        // The close box sends the window this command.
        PostMessageW(m_window->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        settle();
    }

    std::u16string text(Control control) override
    {
        HWND h = binding().editOf(control);
        std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
        const int copied = GetWindowTextW(h, buffer.data(), static_cast<int>(buffer.size()));
        return std::u16string(buffer.begin(), buffer.begin() + copied);
    }

    Control focus() override
    {
        Control control = Control::Form1;
        if (IsWindow(m_window->handle()))
            binding().controlOf(GetFocus(), control);
        return control;
    }

    Selection selection(Control control) override
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(binding().editOf(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end - start)};
    }

    bool optionSet(Control option) override
    {
        return SendMessageW(binding().handle(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    bool visible(Control control) override
    {
        return IsWindowVisible(binding().handle(control)) != FALSE;
    }

    std::vector<std::u16string> takePrompts() override
    {
        std::vector<std::u16string> taken;
        taken.swap(m_prompts);
        return taken;
    }

    bool closed() override
    {
        // Gone, and the message loop told to end.
        MSG quit;
        return !IsWindow(m_window->handle())
               && PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
    }

    bool listOpen() override
    {
        return SendMessageW(binding().handle(Control::Combo1), CB_GETDROPPEDSTATE, 0, 0) != 0;
    }

    int listItems() override
    {
        return static_cast<int>(SendMessageW(binding().handle(Control::Combo1), CB_GETCOUNT, 0, 0));
    }

private:
    static bool isField(Control control)
    {
        return control == Control::Text1 || control == Control::Text2 || control == Control::Text3
               || control == Control::Text5;
    }
    Win32Binding &binding() const { return m_window->binding(); }

    static INPUT virtualKey(WORD vk, DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        return input;
    }
    static INPUT unicodeKey(char16_t c, DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE | flags;
        return input;
    }
    void tap(WORD vk, DWORD flags = 0)
    {
        send({virtualKey(vk, flags), virtualKey(vk, flags | KEYEVENTF_KEYUP)});
    }
    static INPUT pointerTo(POINT at)
    {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = static_cast<LONG>((at.x * 65535 + width / 2) / (width - 1));
        move.mi.dy = static_cast<LONG>((at.y * 65535 + height / 2) / (height - 1));
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return move;
    }
    void clickAt(POINT at)
    {
        // A user's second click on the same spot, not a double click.
        if (at.x == m_lastClick.x && at.y == m_lastClick.y)
            Sleep(GetDoubleClickTime() + 50);
        m_lastClick = at;
        const INPUT move = pointerTo(at);
        INPUT down = move;
        down.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
        INPUT up = move;
        up.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
        send({move, down, up});
    }
    void send(std::vector<INPUT> inputs)
    {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        settle();
    }
    // Lets the program's loop handle the input and everything it causes, until nothing
    // but timers (the caret's blink) is left for a while.
    void settle()
    {
        constexpr DWORD activity = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT;
        // Once the window is gone, only the loop's WM_QUIT is left, and it stays.
        for (int quiet = 0; quiet < 2 && IsWindow(m_window->handle());) {
            if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, activity) == WAIT_TIMEOUT)
                ++quiet;
            else
                quiet = 0;
            handlePendingMessages(m_window->handle());
        }
    }

    std::unique_ptr<MainWindow> m_window;
    std::vector<std::u16string> m_prompts;
    POINT m_lastClick{-1, -1};
};

class Book : public testing::TestWithParam<Scenario> {};

TEST_P(Book, OnTheWin32Window)
{
    const Scenario &row = GetParam();
    if (!(row.windows & OnWin32))
        GTEST_SKIP() << "not on this window: " << row.skipReason;
    Win32Driver driver;
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

} // namespace
