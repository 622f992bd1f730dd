#pragma once

#include "form_model.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

// The form model in memory, starting as the stored window starts. A focus move calls
// the GotFocus hook (the tests connect it to Form1::gotFocus), as the real window
// raises the event; message boxes answer from a script and record their prompts.
class FakeForm : public FormModel {
public:
    struct Selection {
        int start = 0;
        int length = 0;
    };

    FakeForm();

    QString text(Control control) const override;
    void setText(Control control, const QString &text) override;
    bool optionValue(Control option) const override;
    void setOptionValue(Control option, bool on) override;
    void setVisible(Control control, bool visible) override;
    void addItem(Control combo, const QString &item) override;
    void setFontSize(Control control, float points) override;
    void setFocus(Control control) override;
    void setSelStart(Control control, int start) override;
    void setSelLength(Control control, int length) override;
    int messageBox(const QString &prompt) override;
    void unload() override;

    std::function<void(Control)> gotFocusHook;
    QList<int> scriptedAnswers; ///< answers for the next boxes; 1 (OK) when empty

    bool visible(Control control) const { return m_visible.value(control, true); }
    Selection selection(Control control) const { return m_selection.value(control); }
    /// Whether the control's whole text is selected.
    bool wholeTextSelected(Control control) const;

    QStringList items;
    QList<float> fontSizesSet;
    QStringList prompts;
    QList<Control> focusMoves;
    Control focus = Control::Text1;
    bool unloaded = false;

private:
    QHash<Control, QString> m_texts;
    bool m_option1 = false;
    bool m_option2 = true;
    QHash<Control, bool> m_visible;
    QHash<Control, Selection> m_selection;
};
