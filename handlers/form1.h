#pragma once

#include "field_navigation.h"
#include "weight_calculation.h"

#include "form_model.h"

// The window's behaviour, behind the events the window reports: the window says that
// something happened to a control, and Form1 decides what that means. This is the
// whole wiring; an event of a control not named in a switch here does nothing.
class Form1 {
public:
    explicit Form1(FormModel &form);

    /// Before the window is first shown.
    void load();
    void click(Control control);
    void gotFocus(Control control);
    /// A typed character; left as it is, or set to 0 when the key is swallowed.
    void keyPress(Control control, KeyAscii &keyAscii);
    /// Whether keyPress() takes keys of this control at all.
    static bool handlesKeyPress(Control control);
    /// Whether gotFocus() does anything for this control.
    static bool handlesGotFocus(Control control);

    void abc() { m_calculation.abc(); }
    void abc2() { m_calculation.abc2(); }

private:
    FormModel &m_form;
    WeightCalculation m_calculation;
    FieldNavigation m_navigation;
};
