#include "enter_key_hints.h"

#include "form1.h"
#include "stored_form.h"

namespace {

// A form that holds the stored texts and records where the focus is sent; nothing else
// of it is read.
class FocusRecorder : public FormModel {
public:
    std::u16string text(Control control) const override
    {
        const char16_t *caption = storedControl(control).caption;
        return caption ? caption : u"";
    }
    void setText(Control, const std::u16string &) override {}
    bool optionValue(Control option) const override { return option == optionSetAtStart; }
    void setOptionOn(Control) override {}
    void setVisible(Control, bool) override {}
    void addItem(Control, const std::u16string &) override {}
    void setFontSize(Control, float) override {}
    void setFocus(Control control) override { focus = control; }
    void setSelStart(Control, int) override {}
    void setSelLength(Control, int) override {}
    int messageBox(const std::u16string &) override { return 1; }
    void unload() override {}

    Control focus = Control::Form1;
};

} // namespace

const char *enterKeyHint(Control field)
{
    FocusRecorder form;
    Form1 handlers(form);
    KeyAscii enter = 13;
    handlers.keyPress(field, enter);
    if (form.focus == Control::Form1)
        return "done";
    const ControlKind kind = storedControl(form.focus).kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ? "next" : "go";
}
