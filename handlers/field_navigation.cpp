#include "field_navigation.h"

#include "form_model.h"
#include "number_text.h"

namespace {

constexpr KeyAscii enterKey = 13;
constexpr KeyAscii upperD = 68;
constexpr KeyAscii lowerD = 100;

} // namespace

FieldNavigation::FieldNavigation(FormModel &form) : m_form(form) {}

bool FieldNavigation::isAdvanceKey(KeyAscii keyAscii)
{
    return keyAscii == enterKey || keyAscii == upperD || keyAscii == lowerD;
}

void FieldNavigation::keyPress(Control field, KeyAscii &keyAscii)
{
    if (!isAdvanceKey(keyAscii))
        return;
    switch (field) {
    case Control::Text1:
        m_form.setFocus(Control::Text2);
        m_form.setSelStart(Control::Text2, 0);
        m_form.setSelLength(Control::Text2, textLength(m_form.text(Control::Text2)));
        break;
    case Control::Text2:
        m_form.setFocus(Control::Combo1);
        break;
    case Control::Combo1:
    case Control::Text3:
        m_form.setFocus(Control::Command1);
        break;
    default:
        return; // no advance handler: the key stays as typed
    }
    keyAscii = 0;
}

void FieldNavigation::selectAllOnFocus(Control field)
{
    m_form.setSelStart(field, 0);
    m_form.setSelLength(field, textLength(m_form.text(field)));
}

void FieldNavigation::label1Click()
{
    m_form.setOptionValue(Control::Option2, true);
}

void FieldNavigation::label3Click()
{
    m_form.setOptionValue(Control::Option1, true);
}
