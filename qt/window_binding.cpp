#include "window_binding.h"

#include "form1.h"
#include "message_box.h"
#include "stored_form.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWidget>

#include <limits>
#include <utility>

namespace {

constexpr KeyAscii enterCode = 13;

constexpr KeyAscii lineFeedCode = 10;

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The character code a key press types, as Windows' keyboard gives it: 13 for either
// Enter key, alone or with Shift, 10 with Ctrl, nothing with Alt (a system key); the
// character itself for a single BMP character; 0 for keys that type nothing.
KeyAscii characterCode(const QKeyEvent *event)
{
    if (isEnter(event)) {
        if (event->modifiers() & Qt::AltModifier)
            return 0;
        return event->modifiers() & Qt::ControlModifier ? lineFeedCode : enterCode;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || typed.at(0).unicode() > std::numeric_limits<KeyAscii>::max())
        return 0;
    return static_cast<KeyAscii>(typed.at(0).unicode());
}

} // namespace

WindowBinding::WindowBinding(QWidget *window, QObject *parent) : QObject(parent), m_window(window)
{
    m_widgets.insert(Control::Form1, window);
    for (const StoredControl &stored : storedControls) {
        const char *name = controlName(stored.control);
        auto *widget = window->findChild<QWidget *>(QLatin1String(name));
        Q_ASSERT_X(widget, "WindowBinding", name);
        m_widgets.insert(stored.control, widget);
    }
}

void WindowBinding::connectTo(Form1 &form)
{
    m_form = &form;
    m_window->installEventFilter(this); // its deactivation
    for (const StoredControl &stored : storedControls) {
        const Control control = stored.control;
        if (stored.kind == ControlKind::CommandButton && Form1::handlesClick(control)) {
            connect(static_cast<QAbstractButton *>(widget(control)), &QAbstractButton::clicked,
                    this, [this, control] { m_form->click(control); });
            widget(control)->installEventFilter(this); // Enter's repeats
        } else if (Form1::handlesClick(control) || Form1::handlesGotFocus(control)
                   || Form1::handlesKeyPress(control)) {
            widget(control)->installEventFilter(this); // labels' clicks, fields' focus and keys
        }
    }
    lineEdit(Control::Combo1)->installEventFilter(this);

    // Enter in the open list picks the item and closes the list, and then reaches the
    // field's KeyPress as in Windows' combo box, so the walk goes on to 计算.
    auto *combo = static_cast<QComboBox *>(widget(Control::Combo1));
    combo->view()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, [this] {
        if (!std::exchange(m_enterInList, false))
            return;
        KeyAscii code = enterCode;
        m_form->keyPress(Control::Combo1, code);
    });
}

QWidget *WindowBinding::widget(Control control) const
{
    return m_widgets.value(control);
}

bool WindowBinding::controlOf(const QObject *object, Control &control) const
{
    for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it) {
        if (it.value() == object) {
            control = it.key();
            return true;
        }
    }
    if (object == lineEdit(Control::Combo1)) {
        control = Control::Combo1;
        return true;
    }
    return false;
}

QLineEdit *WindowBinding::lineEdit(Control control) const
{
    QWidget *w = widget(control);
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(w);
}

std::u16string WindowBinding::text(Control control) const
{
    const QLineEdit *edit = lineEdit(control);
    Q_ASSERT(edit);
    return edit->text().toStdU16String();
}

void WindowBinding::setText(Control control, const std::u16string &text)
{
    lineEdit(control)->setText(QString::fromStdU16String(text));
}

bool WindowBinding::optionValue(Control option) const
{
    return static_cast<QRadioButton *>(widget(option))->isChecked();
}

void WindowBinding::setOptionOn(Control option)
{
    // The two buttons are auto-exclusive: checking one unchecks the other.
    static_cast<QRadioButton *>(widget(option))->setChecked(true);
}

void WindowBinding::setVisible(Control control, bool visible)
{
    widget(control)->setVisible(visible);
}

void WindowBinding::addItem(Control combo, const std::u16string &text)
{
    const QString item = QString::fromStdU16String(text);
    // A combo box picks its first item as soon as it has one; the edit text must
    // stay what the user or the stored form put there.
    auto *box = static_cast<QComboBox *>(widget(combo));
    const QString editText = box->currentText();
    box->addItem(item);
    if (box->currentText() != editText) {
        box->setCurrentIndex(-1);
        box->setEditText(editText);
    }
}

void WindowBinding::setFontSize(Control control, float points)
{
    QWidget *w = widget(control);
    QFont font = w->font();
    font.setPointSizeF(static_cast<qreal>(points));
    w->setFont(font);
}

void WindowBinding::setFocus(Control control)
{
    // Moves made by the handlers are keyboard moves for the user, and the combo box
    // selects its edit text on those as a Windows combo box does.
    QWidget *target = widget(control);
    target->setFocus(Qt::TabFocusReason);
    // In an inactive window (just after a message box closes, say) Qt only records
    // the focus and sends no FocusIn until the window is activated again, which a
    // desktop without a window manager never does. The field's GotFocus runs now
    // all the same, so its text is selected either way.
    if (!target->window()->isActiveWindow() && m_form && Form1::handlesGotFocus(control))
        m_form->gotFocus(control);
}

void WindowBinding::setSelStart(Control control, int start)
{
    lineEdit(control)->setCursorPosition(start);
}

void WindowBinding::setSelLength(Control control, int length)
{
    QLineEdit *edit = lineEdit(control);
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    if (length <= 0)
        edit->setCursorPosition(start);
    else
        edit->setSelection(start, length);
}

int WindowBinding::messageBox(const std::u16string &text)
{
    const QString prompt = QString::fromStdU16String(text);
    if (m_messageBoxHook)
        return m_messageBoxHook(prompt);
    return showMessageBox(m_window, m_window->windowTitle(), prompt);
}

void WindowBinding::unload()
{
    m_window->close();
}

bool WindowBinding::eventFilter(QObject *watched, QEvent *event)
{
    auto *combo = static_cast<QComboBox *>(widget(Control::Combo1));
    if (watched == combo->view()) {
        if (event->type() == QEvent::Show) {
            // The list opens at the diameter in the field, as Windows' does.
            const int row = combo->findText(combo->currentText());
            if (row >= 0)
                combo->view()->setCurrentIndex(combo->model()->index(row, 0));
        } else if (event->type() == QEvent::KeyPress
                   || event->type() == QEvent::ShortcutOverride) { // the list takes Enter here
            const int key = static_cast<QKeyEvent *>(event)->key();
            m_enterInList = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return false;
    }
    if (watched == m_window) {
        if (event->type() == QEvent::WindowDeactivate) {
            m_focusWhenLeft = Control::Form1;
            if (QWidget *focus = m_window->focusWidget())
                controlOf(focus, m_focusWhenLeft);
        }
        return false;
    }
    Control control;
    if (!m_form || !controlOf(watched, control))
        return false;

    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Coming back from another window gives the focus back to the field that had
        // it. That is no new focus: the field keeps its selection and caret. Any other
        // focus the activation brings (the first, at start; a field a click chose
        // while the window was inactive) is a new one.
        if (reason == Qt::ActiveWindowFocusReason && control == m_focusWhenLeft)
            return false;
        if (control == Control::Combo1) {
            // A Windows combo box selects its edit text when the keyboard brings the
            // focus; a click leaves the caret where it lands.
            if (reason != Qt::MouseFocusReason)
                lineEdit(Control::Combo1)->selectAll();
            return false;
        }
        if (!Form1::handlesGotFocus(control))
            return false;
        m_form->gotFocus(control);
        m_swallowPressOf =
            reason == Qt::MouseFocusReason ? static_cast<QWidget *>(watched) : nullptr;
        return false;
    }
    case QEvent::FocusOut:
        if (watched == m_swallowPressOf)
            m_swallowPressOf = nullptr;
        return false;
    case QEvent::MouseButtonPress:
        if (watched == m_swallowPressOf) {
            m_swallowPressOf = nullptr;
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (storedControl(control).kind == ControlKind::Label && Form1::handlesClick(control)
            && mouse->button() == Qt::LeftButton
            && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint()))
            m_form->click(control);
        return false;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        // Enter presses a focused button once: a repeat of the key held down presses
        // nothing, and neither does Alt+Enter, a system key.
        if (storedControl(control).kind == ControlKind::CommandButton)
            return isEnter(key) && (key->isAutoRepeat() || (key->modifiers() & Qt::AltModifier));
        return Form1::handlesKeyPress(control) && handleKeyPress(control, key);
    }
    default:
        return false;
    }
}

bool WindowBinding::handleKeyPress(Control control, QKeyEvent *event)
{
    KeyAscii code = characterCode(event);
    if (code == 0)
        return false;
    m_form->keyPress(control, code);
    return code == 0; // a cancelled character never reaches the field
}
