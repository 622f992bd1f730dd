#include "fake_driver.h"

#include "stored_form.h"

#include <stdexcept>

namespace {

bool isCommandButton(Control control)
{
    return storedControl(control).kind == ControlKind::CommandButton;
}

} // namespace

void FakeDriver::typeCharacter(char16_t character)
{
    const Control field = form().focus;
    if (!holdsText(field))
        throw std::logic_error("the fake form types only into fields");
    auto code = static_cast<KeyAscii>(character);
    if (character <= 0x7FFF && Form1::handlesKeyPress(field)) {
        m_window.handlers.keyPress(field, code);
        if (code == 0)
            return;
    }
    const FakeForm::Selection s = form().selection(field);
    std::u16string text = form().text(field);
    text.replace(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.length), 1,
                 static_cast<char16_t>(code));
    form().setText(field, text);
    form().setSelStart(field, s.start + 1);
}

void FakeDriver::type(const std::u16string &text)
{
    for (char16_t character : text)
        typeCharacter(character);
}

void FakeDriver::press(Key key)
{
    switch (key) {
    case Key::Enter:
    case Key::KeypadEnter:
    case Key::ShiftEnter:
        return pressEnter(13, false);
    case Key::CtrlEnter:
        return pressEnter(10, false); // a line feed, which no one-line field keeps
    case Key::AltEnter:
        return; // a system key: it types nothing
    case Key::HeldEnter:
        for (int stroke = 0; stroke < 5; ++stroke)
            pressEnter(13, stroke > 0);
        return;
    case Key::Space:
        if (isCommandButton(form().focus))
            m_window.handlers.click(form().focus);
        else
            typeCharacter(u' ');
        return;
    default:
        throw std::logic_error("the fake form has no keys but Enter and Space");
    }
}

void FakeDriver::pressEnter(KeyAscii code, bool repeat)
{
    const Control focused = form().focus;
    if (isCommandButton(focused)) {
        if (!repeat)
            m_window.handlers.click(focused);
    } else if (Form1::handlesKeyPress(focused)) {
        m_window.handlers.keyPress(focused, code); // a one-line field takes no line break
    }
}

void FakeDriver::click(Control control)
{
    if (isCommandButton(control))
        form().setFocus(control); // a pressed button takes the focus
    else if (storedControl(control).kind != ControlKind::Label)
        throw std::logic_error("the fake form takes clicks on buttons and labels only");
    m_window.handlers.click(control);
}
