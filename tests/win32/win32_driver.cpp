#include "win32_driver.h"

#include "message_loop.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

INPUT virtualKey(WORD vk, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

// What an input method or a character map sends: the character itself.
std::vector<INPUT> unicodeStroke(char16_t c)
{
    std::vector<INPUT> inputs(2);
    for (INPUT &input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return inputs;
}

INPUT pointerTo(POINT at)
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

bool isKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Input the dialog manager acts on by itself, or passes to the control as its keyboard
// interface documents: a click, Tab and Shift+Tab, the arrow keys, Space on a button,
// and the coming up of any key but Space.
bool needsNoClaim(const MSG &input, bool toButton)
{
    if (!isKeyMessage(input.message))
        return true;
    if (input.message != WM_KEYDOWN && input.message != WM_KEYUP)
        return false;
    switch (input.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_SPACE:
        return toButton;
    default:
        return input.message == WM_KEYUP;
    }
}

// What a control's answer to WM_GETDLGCODE must hold to claim this message.
LRESULT claimFor(const MSG &input)
{
    if (input.message == WM_CHAR || input.message == WM_SYSCHAR)
        return DLGC_WANTCHARS | DLGC_WANTMESSAGE;
    return DLGC_WANTMESSAGE;
}

std::string describe(const MSG &input)
{
    static const struct {
        UINT message;
        const char *name;
    } names[] = {{WM_KEYDOWN, "WM_KEYDOWN"},
                 {WM_KEYUP, "WM_KEYUP"},
                 {WM_CHAR, "WM_CHAR"},
                 {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
                 {WM_SYSCHAR, "WM_SYSCHAR"}};
    const char *name = "a key message";
    for (const auto &n : names)
        if (n.message == input.message)
            name = n.name;
    char text[64];
    std::snprintf(text, sizeof text, "%s 0x%02x", name, static_cast<unsigned>(input.wParam));
    return text;
}

} // namespace

std::vector<INPUT> stroke(WORD vk, DWORD flags, WORD modifier)
{
    std::vector<INPUT> inputs{virtualKey(vk, flags), virtualKey(vk, flags | KEYEVENTF_KEYUP)};
    if (modifier) {
        inputs.insert(inputs.begin(), virtualKey(modifier, 0));
        inputs.push_back(virtualKey(modifier, KEYEVENTF_KEYUP));
    }
    return inputs;
}

Win32Driver::Win32Driver() : m_window(std::make_unique<MainWindow>(GetModuleHandleW(nullptr)))
{
    m_window->binding().setMessageBoxHook([this](const std::u16string &prompt) {
        m_prompts.push_back(prompt);
        handleQueued(true);
        return 1;
    });
    m_window->binding().setTraceHook(
        [this](const Win32Binding::TraceEvent &event) { traced(event); });
    m_window->showAtStart();
    // The pointer away from the window, as a hand on the keyboard leaves it: an open
    // list follows the pointer over it.
    send({pointerTo({0, 0})});
}

Win32Driver::~Win32Driver()
{
    if (m_other)
        DestroyWindow(m_other);
    m_window.reset();
    handlePendingMessages(nullptr);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void Win32Driver::type(const std::u16string &text)
{
    ++m_actions;
    for (const char16_t c : text) {
        const SHORT vk = c < 0x80 ? VkKeyScanW(static_cast<wchar_t>(c)) : -1;
        if (vk == -1 || (HIBYTE(vk) & ~1) != 0)
            send(unicodeStroke(c));
        else
            send(stroke(LOBYTE(vk), 0, HIBYTE(vk) & 1 ? VK_SHIFT : 0));
    }
}

void Win32Driver::press(Key key)
{
    ++m_actions;
    constexpr DWORD extended = KEYEVENTF_EXTENDEDKEY;
    // In the order of Key: the virtual key, its flags, the key held around it.
    static const struct {
        WORD vk;
        DWORD flags;
        WORD modifier;
    } keys[] = {{VK_RETURN, 0, 0},
                {VK_RETURN, extended, 0},
                {VK_TAB, 0, 0},
                {VK_TAB, 0, VK_SHIFT},
                {VK_ESCAPE, 0, 0},
                {VK_SPACE, 0, 0},
                {VK_UP, extended, 0},
                {VK_DOWN, extended, 0},
                {VK_F4, 0, 0},
                {VK_DOWN, extended, VK_MENU},
                {VK_RETURN, 0, VK_SHIFT},
                {VK_RETURN, 0, VK_CONTROL},
                {VK_RETURN, 0, VK_MENU},
                {VK_RETURN, 0, 0}};
    const auto &k = keys[static_cast<int>(key)];
    std::vector<INPUT> inputs = stroke(k.vk, k.flags, k.modifier);
    if (key == Key::HeldEnter) // four more key-downs before the key comes up: repeats
        inputs.insert(inputs.begin() + 1, 4, inputs.front());
    send(inputs);
}

void Win32Driver::click(Control control)
{
    ++m_actions;
    HWND target = m_window->binding().editOf(control);
    RECT r;
    GetClientRect(target, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (target != handle(control) || storedControl(control).kind == ControlKind::TextBox)
        at.x = r.right - 3; // a field: at its end, past its text
    ClientToScreen(target, &at);
    clickAt(at);
}

void Win32Driver::paste(const std::u16string &clipboard)
{
    ++m_actions;
    if (!OpenClipboard(m_window->handle()))
        throw std::runtime_error("the clipboard cannot be opened");
    EmptyClipboard();
    const std::size_t bytes = (clipboard.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), clipboard.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    send(stroke('V', 0, VK_CONTROL));
}

void Win32Driver::pickItem(const std::u16string &item)
{
    ++m_actions;
    HWND combo = handle(Control::Combo1);
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

void Win32Driver::closeBox()
{
    ++m_actions;
    // The command the frame's close box sends.
    PostMessageW(m_window->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
}

void Win32Driver::leave()
{
    ++m_actions;
    if (!m_other) {
        // A plain window of another class, away from the calculator: another program's.
        WNDCLASSW other{};
        other.lpfnWndProc = DefWindowProcW;
        other.hInstance = GetModuleHandleW(nullptr);
        other.lpszClassName = L"RebarTestOtherProgram";
        other.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        RegisterClassW(&other);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        m_other =
            CreateWindowExW(0, other.lpszClassName, L"图纸", WS_OVERLAPPEDWINDOW, width - 320,
                            height - 240, 300, 200, nullptr, nullptr, other.hInstance, nullptr);
    }
    ShowWindow(m_other, SW_SHOW);
    SetForegroundWindow(m_other);
    settle();
    if (GetForegroundWindow() != m_other)
        throw std::logic_error("the other window did not become the active one");
}

void Win32Driver::comeBack()
{
    ++m_actions;
    // As Alt+Tab or the taskbar button brings it back: the system activates it.
    SetForegroundWindow(m_window->handle());
    settle();
    if (GetForegroundWindow() != m_window->handle())
        throw std::logic_error("the window did not become the active one again");
}

std::u16string Win32Driver::text(Control control)
{
    HWND h = m_window->binding().editOf(control);
    std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    const int copied = GetWindowTextW(h, buffer.data(), static_cast<int>(buffer.size()));
    return std::u16string(buffer.begin(), buffer.begin() + copied);
}

Control Win32Driver::focus()
{
    Control control = Control::Form1;
    if (IsWindow(m_window->handle()))
        m_window->binding().controlOf(GetFocus(), control);
    return control;
}

ScenarioDriver::Selection Win32Driver::selection(Control control)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(m_window->binding().editOf(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

bool Win32Driver::closed()
{
    // Gone, and the message loop told to end.
    MSG quit;
    return !IsWindow(m_window->handle())
           && PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

void Win32Driver::clickAt(POINT at)
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

void Win32Driver::send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    settle();
}

void Win32Driver::settle()
{
    constexpr DWORD activity = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT;
    // Once the window is gone, only the loop's WM_QUIT is left, and it stays.
    for (int quiet = 0; quiet < 2 && IsWindow(m_window->handle());) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, activity) == WAIT_TIMEOUT)
            ++quiet;
        else
            quiet = 0;
        handleQueued(false);
    }
}

void Win32Driver::handleQueued(bool asMessageBox)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for whoever asks next
            return;
        }
        m_handling.push_back(message);
        m_answersFrom.push_back(m_answers.size());
        if (asMessageBox) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            dispatchMessage(m_window->handle(), message);
        }
        // The answers given while it was handled count for it alone.
        m_handling.pop_back();
        m_answers.resize(m_answersFrom.back());
        m_answersFrom.pop_back();
    }
}

void Win32Driver::traced(const Win32Binding::TraceEvent &event)
{
    using Kind = Win32Binding::TraceEvent::Kind;
    if (event.kind == Kind::DialogCode) {
        m_answers.push_back(event);
        return;
    }
    if (m_handling.empty())
        return; // not input: the start-up focus
    const MSG &input = m_handling.back();
    Control addressee = Control::Form1;
    m_window->binding().controlOf(input.hwnd, addressee);
    const bool toButton =
        addressee != Control::Form1 && storedControl(addressee).kind == ControlKind::CommandButton;
    if (needsNoClaim(input, toButton))
        return;
    LRESULT answer = 0;
    bool asked = false;
    for (std::size_t i = m_answersFrom.back(); i < m_answers.size(); ++i) {
        const Win32Binding::TraceEvent &a = m_answers[i];
        if (a.window == input.hwnd && a.asked.message == input.message
            && a.asked.wParam == input.wParam) {
            answer = a.code;
            asked = true;
        }
    }
    if (asked && (answer & claimFor(input)))
        return;
    static const char *const kinds[] = {"", "Click", "KeyPress", "GotFocus"};
    char line[256];
    std::snprintf(line, sizeof line, "action %d: %s of %s started by %s to %s, which %s", m_actions,
                  kinds[static_cast<int>(event.kind)], controlName(event.control),
                  describe(input).c_str(), controlName(addressee),
                  asked ? "did not claim it" : "was never asked to claim it");
    m_unclaimed.emplace_back(line);
}
