#include "scenario.h"

#include "fake_form.h"
#include "utf8.h"

#include <sstream>
#include <stdexcept>

namespace {

using Kind = Step::Kind;

std::string quoted(const std::u16string &text)
{
    std::string out = "\"";
    for (char16_t c : text)
        out += c == u'\r' ? "\\r" : c == u'\n' ? "\\n" : utf8(std::u16string(1, c));
    return out + "\"";
}

std::string quoted(const std::vector<std::u16string> &prompts)
{
    std::string out = "[";
    for (const std::u16string &prompt : prompts)
        out += (out.size() > 1 ? ", " : "") + quoted(prompt);
    return out + "]";
}

// The step as a failure names it: "click Text3", "Text1 selected \"250\"".
std::string describe(const Step &step)
{
    static const char *const kinds[] = {"type",
                                        "press",
                                        "click",
                                        "paste",
                                        "pick from the list",
                                        "close box",
                                        "leave the window",
                                        "come back to the window",
                                        "text",
                                        "focus",
                                        "selected",
                                        "caret at",
                                        "set",
                                        "box",
                                        "visible",
                                        "closed",
                                        "list open",
                                        "list items"};
    static const char *const keys[] = {"Enter",     "keypad Enter",   "Tab",         "Shift+Tab",
                                       "Escape",    "Space",          "Up",          "Down",
                                       "F4",        "Alt+Down",       "Shift+Enter", "Ctrl+Enter",
                                       "Alt+Enter", "Enter held down"};
    std::ostringstream out;
    if (step.control != Control::Form1)
        out << step.control << ' ';
    out << kinds[static_cast<int>(step.kind)];
    if (step.kind == Kind::Press)
        out << ' ' << keys[step.number];
    else if (!step.text.empty())
        out << ' ' << quoted(step.text);
    else if (!step.isAction() && step.kind != Kind::Closed)
        out << ' ' << step.number;
    return out.str();
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
    case Kind::Text:
        if (driver.text(step.control) != step.text)
            wrong << "it holds " << quoted(driver.text(step.control));
        break;
    case Kind::Focus:
        focusIs(step.control);
        break;
    case Kind::Selected:
    case Kind::Caret: {
        if (!focusIs(step.control))
            break;
        const std::u16string text = driver.text(step.control);
        const ScenarioDriver::Selection s = driver.selection(step.control);
        const bool holds = step.kind == Kind::Caret
                               ? s.start == step.number && s.length == 0
                               : text == step.text && s.start == 0 && s.length == int(text.size());
        if (!holds)
            wrong << "it holds " << quoted(text) << " with " << s.length << " characters from "
                  << s.start << " selected";
        break;
    }
    case Kind::Option: {
        const Control other =
            step.control == Control::Option1 ? Control::Option2 : Control::Option1;
        if (!driver.optionSet(step.control) || driver.optionSet(other))
            wrong << "the set one is " << (driver.optionSet(other) ? other : Control::Form1);
        break;
    }
    case Kind::Box:
        if (pending != std::vector<std::u16string>{step.text})
            wrong << "the boxes shown were " << quoted(pending);
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
    case Kind::Items:
        if (driver.listItems() != step.number)
            wrong << "it holds " << driver.listItems();
        break;
    default:
        break;
    }
    return wrong.str();
}

void act(const Step &step, ScenarioDriver &driver)
{
    switch (step.kind) {
    case Kind::Type:
        return driver.type(step.text);
    case Kind::Press:
        return driver.press(static_cast<Key>(step.number));
    case Kind::Click:
        return driver.click(step.control);
    case Kind::Paste:
        return driver.paste(step.text);
    case Kind::PickItem:
        return driver.pickItem(step.text);
    case Kind::Leave:
        return driver.leave();
    case Kind::ComeBack:
        return driver.comeBack();
    default:
        return driver.closeBox();
    }
}

} // namespace

std::vector<std::string> runScenario(const Scenario &scenario, ScenarioDriver &driver)
{
    std::vector<std::u16string> pending; // boxes shown and not yet expected
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step &step = scenario.steps[i];
        const std::string where = "step " + std::to_string(i + 1) + " (" + describe(step) + "): ";
        try {
            if (!step.isAction()) {
                const std::string wrong = check(step, driver, pending);
                if (!wrong.empty())
                    return {where + wrong};
                continue;
            }
            if (!pending.empty())
                return {where + "unexpected boxes before it: " + quoted(pending)};
            act(step, driver);
            for (std::u16string &prompt : driver.takePrompts())
                pending.push_back(std::move(prompt));
        } catch (const std::logic_error &error) {
            return {where + "the window cannot take this step: " + error.what()};
        }
    }
    if (!pending.empty())
        return {"after the last step: unexpected boxes " + quoted(pending)};
    return {};
}

void PrintTo(const Scenario &scenario, std::ostream *out)
{
    *out << '"' << scenario.name << '"';
}
