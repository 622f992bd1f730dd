#pragma once

#include "fake_window.h"
#include "scenario.h"

#include <utility>

// The handlers on the fake form, as the book drives a window. The fake has what a
// window needs to run the handlers' rows and nothing of a toolkit: a typed character
// goes through KeyPress and then replaces the field's selection; Enter or Space on a
// focused button presses it; a click on a button focuses it and presses it, a click on
// a label reports it. Enter's repeats go on to KeyPress but press no button; Ctrl+Enter
// types a line feed, Alt+Enter nothing. Everything else (Tab, clicks into fields, the option
// circles, the list, pasting, Escape, the close box) it refuses.
class FakeDriver : public ScenarioDriver {
public:
    FakeDriver() { m_window.form.setFocus(Control::Text1); } // as the shown window does

    void type(const std::u16string &text) override;
    void press(Key key) override;
    void click(Control control) override;

    std::u16string text(Control control) override { return form().text(control); }
    Control focus() override { return form().unloaded ? Control::Form1 : form().focus; }
    Selection selection(Control control) override { return form().selection(control); }
    bool optionSet(Control option) override { return form().optionValue(option); }
    bool visible(Control control) override { return form().visible(control); }
    std::vector<std::u16string> takePrompts() override
    {
        return {form().prompts.begin() + std::exchange(m_promptsTaken, form().prompts.size()),
                form().prompts.end()};
    }
    bool closed() override { return form().unloaded; }
    bool listOpen() override { return false; } // no list to open
    int listItems() override { return static_cast<int>(form().items.size()); }

private:
    FakeForm &form() { return m_window.form; }
    void typeCharacter(char16_t character);
    /// Enter's character, or Ctrl+Enter's; a repeat presses no button.
    void pressEnter(KeyAscii code, bool repeat);

    FakeWindow m_window;
    std::ptrdiff_t m_promptsTaken = 0;
};
