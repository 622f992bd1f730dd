#include "form1.h"

#include "diameter_list.h"
#include "stored_form.h"

Form1::Form1(FormModel &form) : m_form(form) {}

void Form1::load()
{
    for (const std::u16string &item : diameterListItems()) {
        m_form.addItem(Control::Combo1, item);
        // Set after every item, as the list has always done; the value never changes.
        m_form.setFontSize(Control::Combo1, listFontPoints);
    }
}

bool Form1::handlesClick(Control control)
{
    switch (control) {
    case Control::Command1:
    case Control::Command2:
    case Control::Command3:
    case Control::Label1:
    case Control::Label3:
        return true;
    default:
        return false;
    }
}

void Form1::click(Control control)
{
    switch (control) {
    case Control::Command1:
        calculate();
        break;
    case Control::Command2:
        m_form.unload(); // nothing of the form may be touched after this
        break;
    case Control::Command3:
        m_form.setVisible(Control::Label6, true); // the author line never hides again
        break;
    case Control::Label1: // 单根长度(cm): the total length from single length × count
        m_form.setOptionOn(Control::Option2);
        break;
    case Control::Label3: // 总长度(m): the total length typed
        m_form.setOptionOn(Control::Option1);
        break;
    default:
        break;
    }
}

bool Form1::handlesGotFocus(Control control)
{
    return control == Control::Text1 || control == Control::Text2 || control == Control::Text3
           || control == Control::Text5;
}

void Form1::gotFocus(Control control)
{
    // Every text field selects its whole text when it gets the focus, however it came,
    // so that typing replaces the old value.
    if (handlesGotFocus(control))
        selectWholeText(control);
}

bool Form1::handlesKeyPress(Control control)
{
    return control == Control::Text1 || control == Control::Text2 || control == Control::Combo1
           || control == Control::Text3;
}

void Form1::keyPress(Control control, KeyAscii &keyAscii)
{
    if (handlesKeyPress(control))
        advance(control, keyAscii);
}
