#include "fake_driver.h"

#include "stored_form.h"

#include <stdexcept>

namespace {

bool holdsText(Control control)
{
    const ControlKind kind = storedControl(control).kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

bool isCommandButton(Control control)
{
    return storedControl(control).kind == ControlKind::CommandButton;
}

} // namespace

FakeDriver::FakeDriver()
{
    m_window.form.setFocus(Control::Text1); // as the window does when it is first shown
}

void FakeDriver::typeCharacter(char16_t character)
{
    FakeForm &form = m_window.form;
    const Control field = form.focus;
    if (!holdsText(field))
        throw std::logic_error("the fake form types only into fields");
    auto code = static_cast<KeyAscii>(character);
    if (character <= 0x7FFF && Form1::handlesKeyPress(field)) {
        m_window.handlers.keyPress(field, code);
        if (code == 0)
            return;
    }
    const FakeForm::Selection s = form.selection(field);
    std::u16string text = form.text(field);
    text.replace(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.length), 1,
                 static_cast<char16_t>(code));
    form.setText(field, text);
    form.setSelStart(field, s.start + 1);
}

void FakeDriver::type(const std::u16string &text)
{
    for (char16_t character : text)
        typeCharacter(character);
}

void FakeDriver::press(Key key)
{
    const Control focused = m_window.form.focus;
    switch (key) {
    case Key::Enter:
    case Key::KeypadEnter:
        if (isCommandButton(focused)) {
            m_window.handlers.click(focused);
        } else if (Form1::handlesKeyPress(focused)) {
            KeyAscii code = 13;
            m_window.handlers.keyPress(focused, code); // a single-line field takes no Enter
        }
        return;
    case Key::Space:
        if (isCommandButton(focused))
            m_window.handlers.click(focused);
        else
            typeCharacter(u' ');
        return;
    default:
        throw std::logic_error("the fake form has no keys but Enter and Space");
    }
}

void FakeDriver::click(Control control)
{
    if (isCommandButton(control))
        m_window.form.setFocus(control); // a pressed button takes the focus
    else if (storedControl(control).kind != ControlKind::Label)
        throw std::logic_error("the fake form takes clicks on buttons and labels only");
    m_window.handlers.click(control);
}

std::u16string FakeDriver::text(Control control)
{
    return m_window.form.text(control);
}

Control FakeDriver::focus()
{
    return m_window.form.unloaded ? Control::Form1 : m_window.form.focus;
}

ScenarioDriver::Selection FakeDriver::selection(Control control)
{
    const FakeForm::Selection s = m_window.form.selection(control);
    return {s.start, s.length};
}

bool FakeDriver::optionSet(Control option)
{
    return m_window.form.optionValue(option);
}

bool FakeDriver::visible(Control control)
{
    return m_window.form.visible(control);
}

std::vector<std::u16string> FakeDriver::takePrompts()
{
    const std::vector<std::u16string> &prompts = m_window.form.prompts;
    std::vector<std::u16string> taken(prompts.begin() + static_cast<long>(m_promptsTaken),
                                      prompts.end());
    m_promptsTaken = prompts.size();
    return taken;
}

bool FakeDriver::closed()
{
    return m_window.form.unloaded;
}

bool FakeDriver::listOpen()
{
    return false; // no list to open
}

int FakeDriver::listItems()
{
    return static_cast<int>(m_window.form.items.size());
}
