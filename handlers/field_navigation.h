#pragma once

#include "form_model.h"

// Keyboard-first entry: Enter (or D/d) walks Text1 -> Text2 -> Combo1 -> 计算 and
// Text3 -> 计算; every text field selects its whole text when it gets the focus, so
// typing replaces the old value; the captions beside the option buttons switch the
// length mode.
class FieldNavigation {
public:
    explicit FieldNavigation(FormModel &form);

    /// KeyPress of Text1, Text2, Combo1 or Text3. Sets keyAscii to 0 when the key
    /// advanced the focus and must not reach the field.
    void keyPress(Control field, KeyAscii &keyAscii);
    /// GotFocus of Text1, Text2, Text3 or Text5: selects the field's whole text.
    void selectAllOnFocus(Control field);
    /// Click of 单根长度(cm): total length from single length x count.
    void label1Click();
    /// Click of 总长度(m): total length typed directly.
    void label3Click();

    static bool isAdvanceKey(KeyAscii keyAscii);

private:
    FormModel &m_form;
};
