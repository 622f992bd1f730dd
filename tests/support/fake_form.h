#pragma once

#include "form_model.h"

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// The form model in memory, starting as the stored window starts (texts, visibility and
// the option set, from the stored form). A focus move calls
// the GotFocus hook (the tests connect it to Form1::gotFocus), as the real window
// raises the event; message boxes answer from a script and record their prompts.
class FakeForm : public FormModel {
public:
    struct Selection {
        int start = 0;
        int length = 0;
    };

    FakeForm();

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

    std::function<void(Control)> gotFocusHook;
    std::deque<int> scriptedAnswers; ///< answers for the next boxes; 1 (OK) when empty

    bool visible(Control control) const;
    Selection selection(Control control) const;
    /// Whether the control's whole text is selected.
    bool wholeTextSelected(Control control) const;

    std::vector<std::u16string> items;
    std::vector<float> fontSizesSet;
    std::vector<std::u16string> prompts;
    std::vector<Control> focusMoves;
    Control focus = Control::Text1;
    bool unloaded = false;

private:
    std::map<Control, std::u16string> m_texts;
    bool m_option1;
    bool m_option2;
    std::map<Control, bool> m_visible;
    std::map<Control, Selection> m_selection;
};

/// Whether the control holds a text: a text box or the combo box's field.
bool holdsText(Control control);

/// The control's name ("Text1"), so that failures say which control.
std::ostream &operator<<(std::ostream &out, Control control);
