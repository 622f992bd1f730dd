#include "fake_form.h"

#include "impossible.h"
#include "stored_form.h"

#include <stdexcept>

namespace {

// A suite's misuse of the fake: an exception a test can catch, or, in the WebAssembly
// build, which has no exceptions (only the sweep runs there), the core's way out.
[[noreturn]] void misuse(const char *what)
{
#if defined(__cpp_exceptions)
    throw std::logic_error(what);
#else
    impossible(what);
#endif
}

} // namespace

bool holdsText(Control control)
{
    const ControlKind kind = storedControl(control).kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

FakeForm::FakeForm() : m_option(optionSetAtStart)
{
    for (const StoredControl &stored : storedControls) {
        if (holdsText(stored.control))
            m_texts[stored.control] = stored.caption;
        m_visible[stored.control] = stored.visible;
    }
}

Control FakeForm::field(Control control)
{
    if (!holdsText(control))
        misuse("text operation on a control that holds no text");
    return control;
}

Control FakeForm::option(Control control)
{
    if (storedControl(control).kind != ControlKind::OptionButton)
        misuse("option operation on a control that is no option button");
    return control;
}

void FakeForm::addItem(Control combo, const std::u16string &item)
{
    if (combo != Control::Combo1)
        misuse("addItem on a control without a list");
    items.push_back(item);
}

void FakeForm::setFontSize(Control control, float points)
{
    if (control != Control::Combo1)
        misuse("only the combo box changes its font");
    fontSizesSet.push_back(points);
}

void FakeForm::setFocus(Control control)
{
    if (!visible(control))
        misuse("focus moved to a hidden control");
    focus = control;
    focusMoves.push_back(control);
    if (gotFocusHook)
        gotFocusHook(control);
}

int FakeForm::messageBox(const std::u16string &prompt)
{
    prompts.push_back(prompt);
    if (scriptedAnswers.empty())
        return 1;
    const int answer = scriptedAnswers.front();
    scriptedAnswers.pop_front();
    return answer;
}

std::ostream &operator<<(std::ostream &out, Control control)
{
    return out << controlName(control);
}
