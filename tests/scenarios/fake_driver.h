#pragma once

#include "fake_window.h"
#include "scenario.h"

// The handlers on the fake form, as the book drives a window. The fake has what a
// window needs to run the handlers' rows and nothing of a toolkit: a typed character
// goes through KeyPress and then replaces the field's selection; Enter or Space on a
// focused button presses it; a click on a button focuses it and presses it, a click on
// a label reports it. Everything else (Tab, clicks into fields, the option circles,
// the list, pasting, Escape, the close box) it refuses.
class FakeDriver : public ScenarioDriver {
public:
    FakeDriver();

    void type(const std::u16string &text) override;
    void press(Key key) override;
    void click(Control control) override;

    std::u16string text(Control control) override;
    Control focus() override;
    Selection selection(Control control) override;
    bool optionSet(Control option) override;
    bool visible(Control control) override;
    std::vector<std::u16string> takePrompts() override;
    bool closed() override;
    bool listOpen() override;
    int listItems() override;

private:
    void typeCharacter(char16_t character);

    FakeWindow m_window;
    std::size_t m_promptsTaken = 0;
};
