#pragma once

#include "fake_form.h"
#include "form1.h"

#include <string>

// The handlers on a fake form, wired as a window wires them: focus moves raise
// GotFocus, which selects the field's text. Loaded as at start unless told not to.
struct FakeWindow {
    FakeForm form;
    Form1 handlers{form};

    explicit FakeWindow(bool loaded = true)
    {
        form.gotFocusHook = [this](Control control) { handlers.gotFocus(control); };
        if (loaded)
            handlers.load();
    }

    /// Types the fields' texts (and, for the direct mode, clicks its option).
    void enter(bool direct, const std::u16string &single, const std::u16string &count,
               const std::u16string &total, const std::u16string &diameter)
    {
        if (direct)
            form.setOptionValue(Control::Option1, true);
        form.setText(Control::Text1, single);
        form.setText(Control::Text2, count);
        form.setText(Control::Text3, total);
        form.setText(Control::Combo1, diameter);
    }
};
