#include "fake_form.h"

#include "stored_form.h"

#include <stdexcept>

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
        throw std::logic_error("text operation on a control that holds no text");
    return control;
}

Control FakeForm::option(Control control)
{
    if (storedControl(control).kind != ControlKind::OptionButton)
        throw std::logic_error("option operation on a control that is no option button");
    return control;
}

void FakeForm::addItem(Control combo, const std::u16string &item)
{
    if (combo != Control::Combo1)
        throw std::logic_error("addItem on a control without a list");
    items.push_back(item);
}

void FakeForm::setFontSize(Control control, float points)
{
    if (control != Control::Combo1)
        throw std::logic_error("only the combo box changes its font");
    fontSizesSet.push_back(points);
}

void FakeForm::setFocus(Control control)
{
    if (!visible(control))
        throw std::logic_error("focus moved to a hidden control");
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
