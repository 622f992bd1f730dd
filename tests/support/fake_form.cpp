#include "fake_form.h"

#include <stdexcept>

namespace {

void requireText(Control control)
{
    switch (control) {
    case Control::Text1:
    case Control::Text2:
    case Control::Text3:
    case Control::Text5:
    case Control::Combo1:
        return;
    default:
        throw std::logic_error("text operation on a control that holds no text");
    }
}

void requireOption(Control control)
{
    if (control != Control::Option1 && control != Control::Option2)
        throw std::logic_error("option operation on a control that is no option button");
}

} // namespace

FakeForm::FakeForm()
{
    m_texts = {{Control::Text1, QStringLiteral("100")},
               {Control::Text2, QStringLiteral("1")},
               {Control::Text3, QStringLiteral("10")},
               {Control::Text5, QStringLiteral("2007")},
               {Control::Combo1, QStringLiteral("12")}};
    m_visible.insert(Control::Label6, false);
}

QString FakeForm::text(Control control) const
{
    requireText(control);
    return m_texts.value(control);
}

void FakeForm::setText(Control control, const QString &text)
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

void FakeForm::setOptionValue(Control option, bool on)
{
    requireOption(option);
    if (!on)
        return; // one of the group is always set
    m_option1 = option == Control::Option1;
    m_option2 = option == Control::Option2;
}

void FakeForm::setVisible(Control control, bool visible)
{
    m_visible[control] = visible;
}

void FakeForm::addItem(Control combo, const QString &item)
{
    if (combo != Control::Combo1)
        throw std::logic_error("addItem on a control without a list");
    items << item;
}

void FakeForm::setFontSize(Control control, float points)
{
    if (control != Control::Combo1)
        throw std::logic_error("only the combo box changes its font");
    fontSizesSet << points;
}

void FakeForm::setFocus(Control control)
{
    if (!visible(control))
        throw std::logic_error("focus moved to a hidden control");
    focus = control;
    focusMoves << control;
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

int FakeForm::messageBox(const QString &prompt)
{
    prompts << prompt;
    return scriptedAnswers.isEmpty() ? 1 : scriptedAnswers.takeFirst();
}

void FakeForm::unload()
{
    unloaded = true;
}

bool FakeForm::wholeTextSelected(Control control) const
{
    const Selection s = selection(control);
    return s.start == 0 && s.length == text(control).size();
}
