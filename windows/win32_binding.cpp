#include "win32_binding.h"

#include "form1.h"
#include "stored_form.h"

#include <imm.h>

#include <exception>
#include <iterator>
#include <limits>

namespace {

std::wstring wide(const std::u16string &text)
{
    return std::wstring(text.begin(), text.end());
}

std::u16string windowText(HWND handle)
{
    const int length = GetWindowTextLengthW(handle);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle, buffer.data(), length + 1);
    return std::u16string(buffer.begin(), buffer.begin() + copied);
}

const std::wstring windowTitle(std::begin(formCaption), std::end(formCaption) - 1);

// A key message's bit 30: the key was down already, so this is one of its repeats.
constexpr LPARAM repeatBit = LPARAM(1) << 30;

// A field that handles Enter asks the dialog manager for its key-down, so Enter reaches
// KeyPress as 13 instead of pressing a default button. The character itself the field
// claims as every edit field claims characters (DLGC_WANTCHARS).
bool fieldClaims(Control control, const MSG &message)
{
    return Form1::handlesKeyPress(control) && message.message == WM_KEYDOWN
           && message.wParam == VK_RETURN;
}

// A button claims Enter's key-down, on which it acts, and the character that key-down
// makes (13, or 10 with Ctrl), which it swallows: unclaimed, that character would be
// the dialog manager's to handle as it likes.
bool buttonClaims(Control, const MSG &message)
{
    return (message.message == WM_KEYDOWN && message.wParam == VK_RETURN)
           || (message.message == WM_CHAR && (message.wParam == '\r' || message.wParam == '\n'));
}

} // namespace

LRESULT guarded(HWND window, const std::function<LRESULT()> &work)
{
    // The core never throws (an impossible case aborts through impossible()); what can
    // still arrive here is the standard library's own, std::bad_alloc above all.
    try {
        return work();
    } catch (const std::exception &error) {
        const std::string what = error.what();
        const std::wstring text = L"程序内部错误：" + std::wstring(what.begin(), what.end());
        MessageBoxW(window, text.c_str(), windowTitle.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(window, L"程序内部错误。", windowTitle.c_str(), MB_OK | MB_ICONERROR);
    }
    return 0;
}

Win32Binding::Win32Binding(HWND window) : m_window(window)
{
    m_handles[static_cast<std::size_t>(Control::Form1)] = window;
}

void Win32Binding::attach(Control control, HWND handle)
{
    m_handles[static_cast<std::size_t>(control)] = handle;
}

HWND Win32Binding::handle(Control control) const
{
    return m_handles[static_cast<std::size_t>(control)];
}

HWND Win32Binding::editOf(Control control) const
{
    HWND h = handle(control);
    if (control == Control::Combo1) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(h, &info))
            return info.hwndItem;
    }
    return h;
}

bool Win32Binding::controlOf(HWND h, Control &control) const
{
    for (std::size_t i = 0; i < m_handles.size(); ++i) {
        if (m_handles[i] == h && h) {
            control = static_cast<Control>(i);
            return true;
        }
    }
    if (h && h == editOf(Control::Combo1)) {
        control = Control::Combo1;
        return true;
    }
    return false;
}

void Win32Binding::subclass(HWND h, Control control, WNDPROC procedure)
{
    Subclass &entry = m_subclasses.at(m_subclassCount++);
    entry = {this, control, nullptr};
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&entry));
    entry.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void Win32Binding::connectTo(Form1 &form)
{
    m_form = &form;
    for (Control field :
         {Control::Text1, Control::Text2, Control::Text3, Control::Text5, Control::Combo1})
        subclass(editOf(field), field, fieldProc);
    for (Control button : {Control::Command1, Control::Command2, Control::Command3})
        subclass(handle(button), button, buttonProc);
    subclass(handle(Control::Combo1), Control::Combo1, comboProc);
}

bool Win32Binding::keyPress(Control control, WPARAM &character)
{
    // Characters beyond a 16-bit signed code reach the field untouched: none of them
    // is a key that Form1 handles.
    if (character > static_cast<WPARAM>(std::numeric_limits<KeyAscii>::max()))
        return true;
    auto code = static_cast<KeyAscii>(character);
    trace(TraceEvent::Kind::KeyPress, control);
    m_form->keyPress(control, code);
    if (code == 0)
        return false;
    character = static_cast<WPARAM>(code);
    return true;
}

LRESULT Win32Binding::dialogCode(const Subclass &entry, HWND h, WPARAM wParam, LPARAM lParam,
                                 bool (*claims)(Control control, const MSG &message))
{
    LRESULT code = CallWindowProcW(entry.original, h, WM_GETDLGCODE, wParam, lParam);
    const auto *asked = reinterpret_cast<const MSG *>(lParam);
    if (!asked)
        return code;
    if (claims(entry.control, *asked))
        code |= DLGC_WANTALLKEYS;
    if (m_traceHook)
        m_traceHook({TraceEvent::Kind::DialogCode, entry.control, h, *asked, code});
    return code;
}

void Win32Binding::trace(TraceEvent::Kind kind, Control control) const
{
    if (m_traceHook)
        m_traceHook({kind, control});
}

LRESULT CALLBACK Win32Binding::fieldProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *entry = reinterpret_cast<Subclass *>(GetWindowLongPtrW(h, GWLP_USERDATA));
    const bool handlesKeys = Form1::handlesKeyPress(entry->control);
    return guarded(GetParent(h), [&]() -> LRESULT {
        switch (message) {
        case WM_GETDLGCODE:
            return entry->binding->dialogCode(*entry, h, wParam, lParam, fieldClaims);
        case WM_CHAR:
        case WM_IME_CHAR: // what an input method commits, inserted without a WM_CHAR
            if (handlesKeys && !entry->binding->keyPress(entry->control, wParam))
                return 0;
            break;
        case WM_IME_COMPOSITION:
            // The committed string comes back as WM_IME_CHAR, one character at a time,
            // so that KeyPress sees each of them.
            if (handlesKeys && (lParam & GCS_RESULTSTR))
                return DefWindowProcW(h, message, wParam, lParam);
            break;
        case WM_LBUTTONDOWN:
            // A click that brings the focus keeps the whole text selected on focus,
            // so that typing replaces it; the next click places the caret.
            if (Form1::handlesGotFocus(entry->control) && GetFocus() != h) {
                SetFocus(h);
                return 0;
            }
            break;
        default:
            break;
        }
        return CallWindowProcW(entry->original, h, message, wParam, lParam);
    });
}

LRESULT CALLBACK Win32Binding::buttonProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *entry = reinterpret_cast<Subclass *>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return guarded(GetParent(h), [&]() -> LRESULT {
        switch (message) {
        case WM_GETDLGCODE:
            return entry->binding->dialogCode(*entry, h, wParam, lParam, buttonClaims);
        case WM_KEYDOWN:
            // Enter on a focused button presses it, however the focus came there: once,
            // on the key-down; a repeat of the key held down presses nothing.
            if (wParam != VK_RETURN)
                break;
            if (!(lParam & repeatBit))
                SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED),
                             reinterpret_cast<LPARAM>(h));
            return 0;
        case WM_CHAR:
            // The key-down's character was queued before the click ran, and a message
            // box that the click opened delivers it here from its own loop: it presses
            // nothing.
            if (wParam == '\r' || wParam == '\n')
                return 0;
            break;
        default:
            break;
        }
        return CallWindowProcW(entry->original, h, message, wParam, lParam);
    });
}

LRESULT CALLBACK Win32Binding::comboProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *entry = reinterpret_cast<Subclass *>(GetWindowLongPtrW(h, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(entry->original, h, message, wParam, lParam);
    // The combo box itself gets the focus when the keyboard or the dialog manager brings
    // it (a click goes to its edit field). Windows' own combo box then selects the whole
    // text every time; not every one does after the first time (Wine's), so it is done
    // here, and a click still leaves the caret where it lands.
    if (message == WM_SETFOCUS)
        SendMessageW(entry->binding->editOf(Control::Combo1), EM_SETSEL, 0, -1);
    return result;
}

void Win32Binding::onCommand(WPARAM wParam, LPARAM lParam)
{
    Control control;
    if (!m_form || !controlOf(reinterpret_cast<HWND>(lParam), control))
        return; // IDOK and IDCANCEL from Enter and Escape elsewhere: nothing
    switch (HIWORD(wParam)) {
    case BN_CLICKED: // also STN_CLICKED of the labels: both are 0
        if (Form1::handlesClick(control))
            trace(TraceEvent::Kind::Click, control);
        m_form->click(control);
        break;
    case EN_SETFOCUS:
        if (Form1::handlesGotFocus(control) && !m_comingBack) {
            trace(TraceEvent::Kind::GotFocus, control);
            m_form->gotFocus(control);
        }
        break;
    default:
        break;
    }
}

std::u16string Win32Binding::text(Control control) const
{
    return windowText(handle(control));
}

void Win32Binding::setText(Control control, const std::u16string &text)
{
    SetWindowTextW(handle(control), wide(text).c_str());
}

bool Win32Binding::optionValue(Control option) const
{
    return SendMessageW(handle(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Binding::setOptionOn(Control option)
{
    // BM_SETCHECK leaves the other button as it is: the pair is kept exclusive here.
    const Control other = option == Control::Option1 ? Control::Option2 : Control::Option1;
    SendMessageW(handle(option), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(handle(other), BM_SETCHECK, BST_UNCHECKED, 0);
}

void Win32Binding::setVisible(Control control, bool visible)
{
    ShowWindow(handle(control), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Binding::addItem(Control combo, const std::u16string &item)
{
    SendMessageW(handle(combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
}

void Win32Binding::setFontSize(Control control, float points)
{
    if (m_fontSizeHook)
        m_fontSizeHook(control, points);
}

void Win32Binding::setFocus(Control control)
{
    // As the Tab key moves it: the dialog manager's move, which also makes a focused
    // button the one that Enter presses.
    SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(handle(control)), TRUE);
}

void Win32Binding::setSelStart(Control control, int start)
{
    SendMessageW(editOf(control), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void Win32Binding::setSelLength(Control control, int length)
{
    DWORD start = 0;
    SendMessageW(editOf(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(editOf(control), EM_SETSEL, start, static_cast<LPARAM>(start) + length);
}

int Win32Binding::messageBox(const std::u16string &prompt)
{
    if (m_messageBoxHook)
        return m_messageBoxHook(prompt);
    // OK only, no icon, modal to the window; Enter, Escape and the close box all
    // answer OK.
    return MessageBoxW(m_window, wide(prompt).c_str(), windowTitle.c_str(), MB_OK);
}

void Win32Binding::unload()
{
    DestroyWindow(m_window);
}
