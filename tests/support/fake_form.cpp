#include "fake_form.h"

#include "stored_form.h"

#include <stdexcept>

namespace {

void requireText(Control control)
{
    if (!holdsText(control))
        throw std::logic_error("text operation on a control that holds no text");
}

void requireOption(Control control)
{
    if (control != Control::Option1 && control != Control::Option2)
        throw std::logic_error("option operation on a control that is no option button");
}

} // namespace

FakeForm::FakeForm()
    : m_option1(optionSetAtStart == Control::Option1),
      m_option2(optionSetAtStart == Control::Option2)
{
    for (const StoredControl &stored : storedControls) {
        if (holdsText(stored.control))
            m_texts[stored.control] = stored.caption;
        m_visible[stored.control] = stored.visible;
    }
}

std::u16string FakeForm::text(Control control) const
{
    requireText(control);
    return m_texts.at(control);
}

void FakeForm::setText(Control control, const std::u16string &text)
{
    requireText(control);
    m_texts[control] = text;
    m_selection[control] = {static_cast<int>(text.size()), 0}; // caret at the end
}

bool FakeForm::optionValue(Control option) const
{
    requireOption(option);
    return option == Control::Option1 ? m_option1 : m_option2;
}

void FakeForm::setOptionOn(Control option)
{
    requireOption(option);
    m_option1 = option == Control::Option1;
    m_option2 = option == Control::Option2;
}

void FakeForm::setVisible(Control control, bool visible)
{
    m_visible[control] = visible;
}

bool FakeForm::visible(Control control) const
{
    const auto found = m_visible.find(control);
    return found == m_visible.end() || found->second;
}

FakeForm::Selection FakeForm::selection(Control control) const
{
    const auto found = m_selection.find(control);
    return found == m_selection.end() ? Selection{} : found->second;
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

void FakeForm::setSelStart(Control control, int start)
{
    requireText(control);
    m_selection[control] = {start, 0};
}

void FakeForm::setSelLength(Control control, int length)
{
    requireText(control);
    m_selection[control].length = length;
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

void FakeForm::unload()
{
    unloaded = true;
}

bool FakeForm::wholeTextSelected(Control control) const
{
    const Selection s = selection(control);
    return s.start == 0 && s.length == static_cast<int>(text(control).size());
}

bool holdsText(Control control)
{
    const ControlKind kind = storedControl(control).kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

std::ostream &operator<<(std::ostream &out, Control control)
{
    return out << controlName(control);
}
