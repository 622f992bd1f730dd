#include "form1.h"

#include "diameter_list.h"
#include "form_model.h"

Form1::Form1(FormModel &form) : m_form(form), m_calculation(form), m_navigation(form) {}

void Form1::load()
{
    fillDiameterList(m_form);
}

void Form1::click(Control control)
{
    switch (control) {
    case Control::Command1:
        m_calculation.command1Click();
        break;
    case Control::Command2:
        m_form.unload(); // nothing of the form may be touched after this
        break;
    case Control::Command3:
        m_form.setVisible(Control::Label6, true); // the author line never hides again
        break;
    case Control::Label1:
        m_navigation.label1Click();
        break;
    case Control::Label3:
        m_navigation.label3Click();
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
    if (handlesGotFocus(control))
        m_navigation.selectAllOnFocus(control);
}

bool Form1::handlesKeyPress(Control control)
{
    return control == Control::Text1 || control == Control::Text2 || control == Control::Combo1
           || control == Control::Text3;
}

void Form1::keyPress(Control control, KeyAscii &keyAscii)
{
    if (handlesKeyPress(control))
        m_navigation.keyPress(control, keyAscii);
}
