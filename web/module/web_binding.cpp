#include "web_binding.h"

#include "form1.h"
#include "js_imports.h"

#include <limits>

namespace {

int number(Control control)
{
    return static_cast<int>(control);
}

int length(const std::u16string &text)
{
    return static_cast<int>(text.size());
}

} // namespace

void WebBinding::click(Control control)
{
    if (m_form && Form1::handlesClick(control))
        m_form->click(control);
}

void WebBinding::focusIn(Control control, FocusReason reason)
{
    // Coming back from another window gives the focus back to the control that had it.
    // That is no new focus: the field keeps its text, selection and caret.
    if (!m_form || reason == FocusReason::ComingBack)
        return;
    if (control == Control::Combo1) {
        // A Windows combo box selects its edit text when the keyboard brings the focus;
        // a click leaves the caret where it lands.
        if (reason != FocusReason::Mouse)
            jsSetSelection(number(control), 0, jsTextLength(number(control)));
        return;
    }
    if (Form1::handlesGotFocus(control))
        m_form->gotFocus(control);
}

int WebBinding::keyPress(Control control, int code)
{
    // Characters beyond a 16-bit signed code reach the field untouched: none of them
    // is a key that Form1 handles.
    if (code <= 0 || code > std::numeric_limits<KeyAscii>::max())
        return code;
    auto keyAscii = static_cast<KeyAscii>(code);
    if (m_form && Form1::handlesKeyPress(control))
        m_form->keyPress(control, keyAscii);
    return keyAscii;
}

bool WebBinding::swallowsFocusingPress(Control control)
{
    return Form1::handlesGotFocus(control);
}

std::u16string WebBinding::text(Control control) const
{
    std::u16string text(static_cast<std::size_t>(jsTextLength(number(control))), u'\0');
    jsReadText(number(control), text.data());
    return text;
}

void WebBinding::setText(Control control, const std::u16string &text)
{
    jsSetText(number(control), text.data(), length(text));
}

bool WebBinding::optionValue(Control option) const
{
    return jsOptionValue(number(option)) != 0;
}

void WebBinding::setOptionOn(Control option)
{
    // The two option buttons are one radio group: checking one clears the other.
    jsSetOptionOn(number(option));
}

void WebBinding::setVisible(Control control, bool visible)
{
    jsSetVisible(number(control), visible ? 1 : 0);
}

void WebBinding::addItem(Control combo, const std::u16string &item)
{
    jsAddItem(number(combo), item.data(), length(item));
}

void WebBinding::setFontSize(Control control, float points)
{
    jsSetFontSize(number(control), points);
}

void WebBinding::setFocus(Control control)
{
    // Moves made by the handlers are keyboard moves for the user: the page reports the
    // focus they bring with FocusReason::Keyboard, and GotFocus runs from there.
    jsSetFocus(number(control));
}

void WebBinding::setSelStart(Control control, int start)
{
    jsSetSelection(number(control), start, start);
}

void WebBinding::setSelLength(Control control, int length)
{
    const int start = jsSelectionStart(number(control));
    jsSetSelection(number(control), start, length > 0 ? start + length : start);
}

int WebBinding::messageBox(const std::u16string &prompt)
{
    return jsMessageBox(prompt.data(), length(prompt));
}

void WebBinding::unload()
{
    jsUnload();
}
