#pragma once

#include "fake_form.h"
#include "form1.h"

#include <string>

/// Where Enter, D and d take the focus from each field that has them.
struct AdvanceStep {
    Control field;
    const char *name;
    Control target;
};
constexpr AdvanceStep advanceSteps[] = {{Control::Text1, "Text1", Control::Text2},
                                        {Control::Text2, "Text2", Control::Combo1},
                                        {Control::Combo1, "Combo1", Control::Command1},
                                        {Control::Text3, "Text3", Control::Command1}};

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
            form.setOptionOn(Control::Option1);
        form.setText(Control::Text1, single);
        form.setText(Control::Text2, count);
        form.setText(Control::Text3, total);
        form.setText(Control::Combo1, diameter);
    }
};
