#pragma once

#include "main_window.h"
#include "scenario.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

/// A key pressed and let go, with `modifier` (VK_SHIFT, VK_MENU...) held around it.
std::vector<INPUT> stroke(WORD vk, DWORD flags = 0, WORD modifier = 0);

// The Win32 window as the book of scenarios drives it: made and shown as the program
// makes it, each step sent as the keyboard and mouse send input (SendInput) through
// the program's own message loop, and read back from the controls. Message boxes are
// answered OK by the binding's hook and recorded; the hook then delivers what is
// queued, as a message box's own loop would before it returns.
//
// The driver also traces each handler call back to the input message the loop was
// handling when it ran. A key message a control acts on must have been claimed by it
// through WM_GETDLGCODE: what the dialog manager does with unclaimed input is Windows'
// to decide. Only a click, Tab, the arrow keys and Space on a button need no claim.
class Win32Driver : public ScenarioDriver {
public:
    Win32Driver();
    ~Win32Driver() override;

    void type(const std::u16string &text) override;
    void press(Key key) override;
    void click(Control control) override;
    void paste(const std::u16string &clipboard) override;
    void pickItem(const std::u16string &item) override;
    void closeBox() override;
    void leave() override;
    void comeBack() override;

    std::u16string text(Control control) override;
    Control focus() override;
    Selection selection(Control control) override;
    bool optionSet(Control option) override { return send(option, BM_GETCHECK) == BST_CHECKED; }
    bool visible(Control control) override { return IsWindowVisible(handle(control)) != FALSE; }
    std::vector<std::u16string> takePrompts() override { return std::exchange(m_prompts, {}); }
    bool closed() override;
    bool listOpen() override { return send(Control::Combo1, CB_GETDROPPEDSTATE) != 0; }
    int listItems() override { return static_cast<int>(send(Control::Combo1, CB_GETCOUNT)); }

    MainWindow &window() { return *m_window; }
    HWND handle(Control control) const { return m_window->binding().handle(control); }
    /// Lets the program's loop handle what is waiting and everything it causes, until
    /// nothing but timers (the caret's blink) is left for a while.
    void settle();
    /// Handler calls that input no control had claimed started, one line each.
    std::vector<std::string> unclaimedInput() const { return m_unclaimed; }

private:
    void send(std::vector<INPUT> inputs);
    LRESULT send(Control control, UINT message)
    {
        return SendMessageW(handle(control), message, 0, 0);
    }
    void clickAt(POINT at);
    /// Handles what is queued now, each message through the program's dispatch, or
    /// as a message box's loop does (no dialog manager of the window's).
    void handleQueued(bool asMessageBox);
    void traced(const Win32Binding::TraceEvent &event);

    std::unique_ptr<MainWindow> m_window;
    HWND m_other = nullptr; // another program's window
    // The input messages being handled, innermost last, and the answers to
    // WM_GETDLGCODE given while they were.
    std::vector<MSG> m_handling;
    std::vector<Win32Binding::TraceEvent> m_answers;
    std::vector<std::size_t> m_answersFrom; // where each message's answers start
    std::vector<std::string> m_unclaimed;
    int m_actions = 0;
    std::vector<std::u16string> m_prompts;
    POINT m_lastClick{-1, -1};
};
