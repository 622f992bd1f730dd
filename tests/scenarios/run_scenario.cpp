#include "scenario.h"

#include "fake_form.h"
#include "row_name.h"
#include "utf8.h"

#include <sstream>
#include <stdexcept>

namespace {

using Kind = Step::Kind;

const char *keyName(Key key)
{
    switch (key) {
    case Key::Enter:
        return "Enter";
    case Key::KeypadEnter:
        return "keypad Enter";
    case Key::Tab:
        return "Tab";
    case Key::ShiftTab:
        return "Shift+Tab";
    case Key::Escape:
        return "Escape";
    case Key::Space:
        return "Space";
    case Key::Up:
        return "Up";
    case Key::Down:
        return "Down";
    case Key::OpenList:
        return "F4";
    }
    return "?";
}

std::string quoted(const std::u16string &text)
{
    std::string out = "\"";
    for (char16_t c : text) {
        if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else
            out += utf8(std::u16string(1, c));
    }
    return out + "\"";
}

std::string describe(const Step &step)
{
    std::ostringstream out;
    switch (step.kind) {
    case Kind::Type:
        out << "type " << quoted(step.text);
        break;
    case Kind::Press:
        out << "press " << keyName(step.key);
        break;
    case Kind::Click:
        out << "click " << step.control;
        break;
    case Kind::Paste:
        out << "paste " << quoted(step.text);
        break;
    case Kind::PickItem:
        out << "pick " << quoted(step.text) << " from the list";
        break;
    case Kind::CloseBox:
        out << "close box";
        break;
    case Kind::Text:
        out << step.control << " holds " << quoted(step.text);
        break;
    case Kind::Focus:
        out << "focus in " << step.control;
        break;
    case Kind::Selected:
        out << step.control << " focused with " << quoted(step.text) << " selected";
        break;
    case Kind::Caret:
        out << step.control << " focused, caret at " << step.number;
        break;
    case Kind::Option:
        out << step.control << " set";
        break;
    case Kind::Box:
        out << "box " << quoted(step.text);
        break;
    case Kind::Visible:
        out << step.control << (step.number ? " shown" : " hidden");
        break;
    case Kind::Closed:
        out << "window closed";
        break;
    case Kind::ListOpen:
        out << "list " << (step.number ? "open" : "closed");
        break;
    case Kind::Items:
        out << "list of " << step.number << " items";
        break;
    }
    return out.str();
}

std::string prompts(const std::vector<std::u16string> &shown)
{
    std::string out = "[";
    for (const std::u16string &prompt : shown)
        out += (out.size() > 1 ? ", " : "") + quoted(prompt);
    return out + "]";
}

// What is wrong with the window against one expectation; empty when it holds.
std::string check(const Step &step, ScenarioDriver &driver, std::vector<std::u16string> &pending)
{
    std::ostringstream wrong;
    const auto focusIs = [&](Control control) {
        const Control focus = driver.focus();
        if (focus != control)
            wrong << "the focus is in " << focus;
        return focus == control;
    };
    switch (step.kind) {
    case Kind::Text: {
        const std::u16string text = driver.text(step.control);
        if (text != step.text)
            wrong << "it holds " << quoted(text);
        break;
    }
    case Kind::Focus:
        focusIs(step.control);
        break;
    case Kind::Selected: {
        if (!focusIs(step.control))
            break;
        const std::u16string text = driver.text(step.control);
        const ScenarioDriver::Selection s = driver.selection(step.control);
        if (text != step.text || s.start != 0 || s.length != static_cast<int>(text.size()))
            wrong << "it holds " << quoted(text) << " with " << s.length << " characters from "
                  << s.start << " selected";
        break;
    }
    case Kind::Caret: {
        if (!focusIs(step.control))
            break;
        const ScenarioDriver::Selection s = driver.selection(step.control);
        if (s.start != step.number || s.length != 0)
            wrong << s.length << " characters from " << s.start << " are selected";
        break;
    }
    case Kind::Option: {
        const Control other =
            step.control == Control::Option1 ? Control::Option2 : Control::Option1;
        const bool on = driver.optionSet(step.control);
        const bool otherOn = driver.optionSet(other);
        if (!on || otherOn)
            wrong << step.control << (on ? " is" : " is not") << " set, " << other
                  << (otherOn ? " is" : " is not");
        break;
    }
    case Kind::Box:
        if (pending != std::vector<std::u16string>{step.text})
            wrong << "the boxes shown were " << prompts(pending);
        pending.clear();
        break;
    case Kind::Visible:
        if (driver.visible(step.control) != (step.number != 0))
            wrong << "it is " << (step.number ? "hidden" : "shown");
        break;
    case Kind::Closed:
        if (!driver.closed())
            wrong << "the window is still there";
        break;
    case Kind::ListOpen:
        if (driver.listOpen() != (step.number != 0))
            wrong << "the list is " << (step.number ? "closed" : "open");
        break;
    case Kind::Items: {
        const int items = driver.listItems();
        if (items != step.number)
            wrong << "it holds " << items;
        break;
    }
    default:
        break;
    }
    return wrong.str();
}

void act(const Step &step, ScenarioDriver &driver)
{
    switch (step.kind) {
    case Kind::Type:
        driver.type(step.text);
        break;
    case Kind::Press:
        driver.press(step.key);
        break;
    case Kind::Click:
        driver.click(step.control);
        break;
    case Kind::Paste:
        driver.paste(step.text);
        break;
    case Kind::PickItem:
        driver.pickItem(step.text);
        break;
    case Kind::CloseBox:
        driver.closeBox();
        break;
    default:
        break;
    }
}

} // namespace

std::vector<std::string> runScenario(const Scenario &scenario, ScenarioDriver &driver)
{
    std::vector<std::u16string> pending; // boxes shown and not yet expected
    const auto where = [&](std::size_t index) {
        return "step " + std::to_string(index + 1) + " (" + describe(scenario.steps[index]) + "): ";
    };
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step &step = scenario.steps[i];
        try {
            if (step.isAction()) {
                if (!pending.empty())
                    return {where(i) + "unexpected boxes before it: " + prompts(pending)};
                act(step, driver);
                for (std::u16string &prompt : driver.takePrompts())
                    pending.push_back(std::move(prompt));
                continue;
            }
            const std::string wrong = check(step, driver, pending);
            if (!wrong.empty())
                return {where(i) + wrong};
        } catch (const std::logic_error &error) {
            return {where(i) + "the window cannot take this step: " + error.what()};
        }
    }
    if (!pending.empty())
        return {"after the last step: unexpected boxes " + prompts(pending)};
    return {};
}

void PrintTo(const Scenario &scenario, std::ostream *out)
{
    *out << '"' << scenario.name << '"';
}

std::string scenarioId(const Scenario &scenario)
{
    return rowName(scenario.name);
}

namespace {

Step makeStep(Kind kind, Control control = Control::Form1, std::u16string text = {}, int number = 0)
{
    Step step{kind, control, std::move(text), Key::Enter, number};
    return step;
}

} // namespace

Step type(std::u16string text)
{
    return makeStep(Kind::Type, Control::Form1, std::move(text));
}

Step press(Key key)
{
    Step step = makeStep(Kind::Press);
    step.key = key;
    return step;
}

Step click(Control control)
{
    return makeStep(Kind::Click, control);
}

Step paste(std::u16string clipboard)
{
    return makeStep(Kind::Paste, Control::Form1, std::move(clipboard));
}

Step pickItem(std::u16string item)
{
    return makeStep(Kind::PickItem, Control::Combo1, std::move(item));
}

Step closeBox()
{
    return makeStep(Kind::CloseBox);
}

Step textIs(Control control, std::u16string text)
{
    return makeStep(Kind::Text, control, std::move(text));
}

Step focusIn(Control control)
{
    return makeStep(Kind::Focus, control);
}

Step selectedIn(Control control, std::u16string text)
{
    return makeStep(Kind::Selected, control, std::move(text));
}

Step caretIn(Control control, int position)
{
    return makeStep(Kind::Caret, control, {}, position);
}

Step optionSet(Control option)
{
    return makeStep(Kind::Option, option);
}

Step box(std::u16string prompt)
{
    return makeStep(Kind::Box, Control::Form1, std::move(prompt));
}

Step shown(Control control)
{
    return makeStep(Kind::Visible, control, {}, 1);
}

Step hidden(Control control)
{
    return makeStep(Kind::Visible, control, {}, 0);
}

Step closed()
{
    return makeStep(Kind::Closed);
}

Step listOpen(bool open)
{
    return makeStep(Kind::ListOpen, Control::Combo1, {}, open ? 1 : 0);
}

Step listItems(int count)
{
    return makeStep(Kind::Items, Control::Combo1, {}, count);
}
