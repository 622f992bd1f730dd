#pragma once

#include "form_model.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class Form1;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

// The real window behind the form model: maps control names to widgets both ways and
// forwards the window's events to Form1. It decides nothing; the handlers do.
class WindowBinding : public QObject, public FormModel {
    Q_OBJECT

public:
    using MessageBoxHook = std::function<int(const QString &prompt)>;

    /// `window` is the top-level widget whose children bear the control names.
    explicit WindowBinding(QWidget *window, QObject *parent = nullptr);

    /// Starts forwarding events to `form`, which must outlive the binding.
    void connectTo(Form1 &form);

    /// Lets tests answer message boxes instead of showing them.
    void setMessageBoxHook(MessageBoxHook hook) { m_messageBoxHook = std::move(hook); }

    QWidget *widget(Control control) const;
    /// The control a widget stands for; the combo box's edit field counts as Combo1.
    bool controlOf(const QObject *object, Control &control) const;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *lineEdit(Control control) const;
    bool handleKeyPress(Control control, QKeyEvent *event);

    QPointer<QWidget> m_window;
    QHash<Control, QWidget *> m_widgets;
    Form1 *m_form = nullptr;
    MessageBoxHook m_messageBoxHook;
    // A field that the mouse just gave the focus: its press is swallowed so the
    // whole-text selection made on focus survives the click.
    QPointer<QWidget> m_swallowPressOf;
    // Enter was pressed in the combo box's open list.
    bool m_enterInList = false;
    // The control that had the focus when the window last lost the activation: the
    // one the activation gives it back to.
    Control m_focusWhenLeft = Control::Form1;
};
