#pragma once

#include "fake_form.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// The book of scenarios: what a user does to the window, step by step, and what the
// window must show after each step. Every window runs the same rows through a driver
// that turns each step into that window's own input (keys and clicks, never a call to
// a handler) and reads the window back: the handlers on the fake form, the Qt window,
// the Win32 window, the page in a browser. A row names the windows it applies to and
// says, for each of the others, why it skips it.

/// Keys a step presses. OpenList is the key that drops a combo box's list down (F4),
/// AltDown the other one (Alt+↓). HeldEnter is Enter held down: the key goes down and
/// repeats four times before it comes up.
enum class Key {
    Enter,
    KeypadEnter,
    Tab,
    ShiftTab,
    Escape,
    Space,
    Up,
    Down,
    OpenList,
    AltDown,
    ShiftEnter,
    CtrlEnter,
    AltEnter,
    HeldEnter,
};

/// The windows a row runs on.
enum WindowKind : unsigned {
    OnFake = 1,  ///< the handlers on the fake form, with a fake's typing and buttons
    OnQt = 2,    ///< the Qt window
    OnWin32 = 4, ///< the Win32 window
    OnWeb = 8,   ///< the page, in a browser
    OnWindows = OnQt | OnWin32 | OnWeb, ///< every real window, each with its toolkit
    OnAll = OnFake | OnWindows,
};

/// Why the windows in `windows` (WindowKind bits) skip a row.
struct Skip {
    unsigned windows;
    const char *reason;
};

struct Step {
    enum class Kind {
        // What the user does.
        Type,     ///< types `text` into whatever has the focus
        Press,    ///< presses the Key `number`
        Click,    ///< clicks `control`; a field at the end of its text
        Paste,    ///< puts `text` on the clipboard and pastes it with Ctrl+V
        PickItem, ///< with the list open, clicks its item `text`
        CloseBox, ///< closes the window by its frame's close box
        Leave,    ///< activates another program's window, as Alt+Tab or a click there does
        ComeBack, ///< activates the window again, as Alt+Tab or its taskbar button does
        // What the window shows.
        Text,     ///< `control` holds `text`
        Focus,    ///< `control` has the focus
        Selected, ///< `control` has the focus and holds `text`, all of it selected
        Caret,    ///< `control` has the focus, nothing selected, the caret at `number`
        Option,   ///< `control` (Option1 or Option2) is the one set
        Box,      ///< one message box was shown since the last, with `text`
        Visible,  ///< `control` shows (`number` 1) or not (0)
        Closed,   ///< the window is gone
        ListOpen, ///< the combo box's list is down (`number` 1) or up (0)
        Items,    ///< the combo box's list holds `number` items
    };
    Step(Kind kind, Control control = Control::Form1, std::u16string text = {}, int number = 0)
        : kind(kind), control(control), text(std::move(text)), number(number)
    {}
    bool isAction() const { return kind <= Kind::ComeBack; }

    Kind kind;
    Control control;
    std::u16string text;
    int number;
};

// Steps, as the rows spell them.
using Text = std::u16string;
inline const auto type = [](Text text) { return Step(Step::Kind::Type, Control::Form1, text); };
inline const auto press = [](Key key) { return Step(Step::Kind::Press, {}, {}, int(key)); };
inline const auto click = [](Control control) { return Step(Step::Kind::Click, control); };
inline const auto paste = [](Text text) { return Step(Step::Kind::Paste, {}, text); };
inline const auto pickItem = [](Text item) {
    return Step(Step::Kind::PickItem, Control::Combo1, item);
};
inline const auto closeBox = [] { return Step(Step::Kind::CloseBox); };
inline const auto leave = [] { return Step(Step::Kind::Leave); };
inline const auto comeBack = [] { return Step(Step::Kind::ComeBack); };
inline const auto textIs = [](Control c, Text text) { return Step(Step::Kind::Text, c, text); };
inline const auto focusIn = [](Control control) { return Step(Step::Kind::Focus, control); };
inline const auto selectedIn = [](Control c, Text t) { return Step(Step::Kind::Selected, c, t); };
inline const auto caretIn = [](Control c, int at) { return Step(Step::Kind::Caret, c, {}, at); };
inline const auto optionSet = [](Control option) { return Step(Step::Kind::Option, option); };
inline const auto box = [](Text prompt) { return Step(Step::Kind::Box, {}, prompt); };
inline const auto shown = [](Control c) { return Step(Step::Kind::Visible, c, {}, 1); };
inline const auto hidden = [](Control c) { return Step(Step::Kind::Visible, c, {}, 0); };
inline const auto closed = [] { return Step(Step::Kind::Closed); };
inline const auto listOpen = [](bool open) {
    return Step(Step::Kind::ListOpen, Control::Combo1, {}, open);
};
inline const auto listItems = [](int n) { return Step(Step::Kind::Items, Control::Combo1, {}, n); };

struct Scenario {
    const char *name;
    unsigned windows;        ///< WindowKind bits: the windows that run it
    std::vector<Skip> skips; ///< why each of the others skips it
    std::vector<Step> steps;

    /// Why `window` skips the row; nullptr when it runs it.
    const char *skipReason(WindowKind window) const
    {
        if (windows & window)
            return nullptr;
        for (const Skip &skip : skips) {
            if (skip.windows & window)
                return skip.reason;
        }
        return "the row gives no reason";
    }
};

/// Every row of the book.
const std::vector<Scenario> &scenarioBook();

/// A window as a row sees it: input in, what it shows out. A driver throws
/// std::logic_error for a step its window cannot take.
class ScenarioDriver {
public:
    using Selection = FakeForm::Selection; // where a field's selection starts, and its length

    virtual ~ScenarioDriver() = default;

    virtual void type(const std::u16string &text) = 0;
    virtual void press(Key key) = 0;
    virtual void click(Control control) = 0;
    virtual void paste(const std::u16string &) { throw std::logic_error("no clipboard"); }
    virtual void pickItem(const std::u16string &) { throw std::logic_error("no list"); }
    virtual void closeBox() { throw std::logic_error("no frame"); }
    virtual void leave() { throw std::logic_error("no other window"); }
    virtual void comeBack() { throw std::logic_error("no other window"); }

    virtual std::u16string text(Control control) = 0;
    /// The control with the keyboard focus; Form1 when it is none of the controls.
    virtual Control focus() = 0;
    virtual Selection selection(Control control) = 0;
    virtual bool optionSet(Control option) = 0;
    virtual bool visible(Control control) = 0;
    /// The prompts of the message boxes shown since the last call, each answered OK.
    virtual std::vector<std::u16string> takePrompts() = 0;
    virtual bool closed() = 0;
    virtual bool listOpen() = 0;
    virtual int listItems() = 0;
};

/// Runs the row's steps in order and returns what went wrong, empty when nothing did.
/// It stops at the first failed step; a message box that no step expected fails too.
std::vector<std::string> runScenario(const Scenario &scenario, ScenarioDriver &driver);

/// Prints a row by its name, in test frameworks' reports.
void PrintTo(const Scenario &scenario, std::ostream *out);
