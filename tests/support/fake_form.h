#pragma once

#include "form_model.h"

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

/// Whether the control holds a text: a text box or the combo box's field.
bool holdsText(Control control);

// The form model in memory, starting as the stored window starts (texts, visibility and
// the option set, from the stored form). A focus move calls the GotFocus hook (the
// tests connect it to Form1::gotFocus), as the real window raises the event; message
// boxes answer from a script and record their prompts. Text operations on a control
// that holds no text, and option operations on one that is no option button, throw.
class FakeForm : public FormModel {
public:
    struct Selection {
        int start = 0;
        int length = 0;
    };

    FakeForm();

    std::u16string text(Control control) const override { return m_texts.at(field(control)); }
    void setText(Control control, const std::u16string &text) override
    {
        m_texts[field(control)] = text;
        m_selection[control] = {static_cast<int>(text.size()), 0}; // caret at the end
    }
    bool optionValue(Control option) const override { return m_option == this->option(option); }
    void setOptionOn(Control option) override { m_option = this->option(option); }
    void setVisible(Control control, bool visible) override { m_visible[control] = visible; }
    void addItem(Control combo, const std::u16string &item) override;
    void setFontSize(Control control, float points) override;
    void setFocus(Control control) override;
    void setSelStart(Control control, int start) override { m_selection[field(control)] = {start}; }
    void setSelLength(Control control, int length) override
    {
        m_selection[field(control)].length = length;
    }
    int messageBox(const std::u16string &prompt) override;
    void unload() override { unloaded = true; }

    std::function<void(Control)> gotFocusHook;
    std::deque<int> scriptedAnswers; ///< answers for the next boxes; 1 (OK) when empty

    bool visible(Control control) const
    {
        return m_visible.count(control) == 0 || m_visible.at(control);
    }
    Selection selection(Control control) const
    {
        const auto found = m_selection.find(control);
        return found == m_selection.end() ? Selection{} : found->second;
    }
    /// Whether the control's whole text is selected.
    bool wholeTextSelected(Control control) const
    {
        const Selection s = selection(control);
        return s.start == 0 && s.length == static_cast<int>(text(control).size());
    }

    std::vector<std::u16string> items;
    std::vector<float> fontSizesSet;
    std::vector<std::u16string> prompts;
    std::vector<Control> focusMoves;
    Control focus = Control::Text1;
    bool unloaded = false;

private:
    static Control field(Control control);
    static Control option(Control control);

    std::map<Control, std::u16string> m_texts;
    Control m_option;
    std::map<Control, bool> m_visible;
    std::map<Control, Selection> m_selection;
};

/// The control's name ("Text1"), so that failures say which control.
std::ostream &operator<<(std::ostream &out, Control control);
