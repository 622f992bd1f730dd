#pragma once

#include "form_model.h"

class Form1;

// The page behind the form model: each operation is a call to the page's script on the
// element that bears the control's name, and the page's events come in through the
// module's exports (module_exports.cpp) to be forwarded to Form1. It decides nothing;
// the handlers do. What the page does itself is what a toolkit does: typing, Tab, the
// drop-down list, the message box.
class WebBinding : public FormModel {
public:
    /// How the focus came to a control.
    enum class FocusReason {
        Keyboard = 0,   ///< Tab, Shift+Tab, or a move made by the handlers
        Mouse = 1,      ///< a click or a tap
        ComingBack = 2, ///< the page got the focus back from another window or tab
    };

    /// Starts forwarding events to `form`, which must outlive the binding.
    void connectTo(Form1 &form) { m_form = &form; }

    /// The page's events, forwarded as the two desktop windows forward theirs.
    void click(Control control);
    void focusIn(Control control, FocusReason reason);
    /// A typed character (a UTF-16 code unit); returns what the field then takes: the
    /// character, another one, or 0 when it was swallowed.
    int keyPress(Control control, int code);
    /// Whether the press that brings the focus to this control is swallowed, so that
    /// the whole text its GotFocus selects survives the click.
    static bool swallowsFocusingPress(Control control);

    std::u16string text(Control control) const override;
    void setText(Control control, const std::u16string &text) override;
    bool optionValue(Control option) const override;
    void setOptionOn(Control option) override;
    void setVisible(Control control, bool visible) override;
    void addItem(Control combo, const std::u16string &item) override;
    void setFontSize(Control control, float points) override;
    void setFocus(Control control) override;
    void setSelStart(Control control, int start) override;
    void setSelLength(Control control, int length) override;
    int messageBox(const std::u16string &prompt) override;
    void unload() override;

private:
    Form1 *m_form = nullptr;
};
