// Keyboard-first entry: Enter (or D/d) walks Text1 -> Text2 -> Combo1 -> 计算 and
// Text3 -> 计算, and the key never reaches the field it was typed in.

#include "form1.h"

#include "number_text.h"

namespace {

constexpr KeyAscii enterKey = 13;
constexpr KeyAscii upperD = 68;
constexpr KeyAscii lowerD = 100;

} // namespace

bool Form1::isAdvanceKey(KeyAscii keyAscii)
{
    return keyAscii == enterKey || keyAscii == upperD || keyAscii == lowerD;
}

void Form1::advance(Control field, KeyAscii &keyAscii)
{
    if (!isAdvanceKey(keyAscii))
        return;
    switch (field) {
    case Control::Text1:
        m_form.setFocus(Control::Text2);
        selectWholeText(Control::Text2);
        break;
    case Control::Text2:
        m_form.setFocus(Control::Combo1);
        break;
    case Control::Combo1:
    case Control::Text3:
        m_form.setFocus(Control::Command1);
        break;
    default:
        return; // no advance here: the key stays as typed
    }
    keyAscii = 0;
}

void Form1::selectWholeText(Control field)
{
    m_form.setSelStart(field, 0);
    m_form.setSelLength(field, textLength(m_form.text(field)));
}
