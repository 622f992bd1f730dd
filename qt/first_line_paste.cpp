#include "first_line_paste.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r' || text.at(i) == u'\n')
            return text.left(i);
    }
    return text;
}

FirstLinePaste::FirstLinePaste(QObject *parent) : QObject(parent) {}

void FirstLinePaste::watch(QLineEdit *edit, QWidget *keyTarget)
{
    m_edits.insert(edit, edit);
    edit->installEventFilter(this);
    if (keyTarget) {
        m_edits.insert(keyTarget, edit);
        keyTarget->installEventFilter(this);
    }
}

void FirstLinePaste::paste(QLineEdit *edit, QClipboard::Mode mode)
{
    const QString line = firstLine(QGuiApplication::clipboard()->text(mode));
    if (!line.isEmpty())
        edit->insert(line);
}

QClipboard::Mode FirstLinePaste::pasteKeyMode(const QKeyEvent *event)
{
    // Qt's own edit pastes the selection for Ctrl+Shift+Insert where there is one.
    const bool selectionKey = event->key() == Qt::Key_Insert
                              && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    return selectionKey && QGuiApplication::clipboard()->supportsSelection()
               ? QClipboard::Selection
               : QClipboard::Clipboard;
}

void FirstLinePaste::showContextMenu(QLineEdit *edit, const QContextMenuEvent *event)
{
    // The field's own menu, with its 粘贴 sent here instead of to QLineEdit::paste().
    // Qt connects that action by signature, so it is found by taking that connection.
    QMenu *menu = edit->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        if (QObject::disconnect(action, SIGNAL(triggered()), edit, SLOT(paste())))
            connect(action, &QAction::triggered, edit, [edit] { paste(edit); });
    }
    menu->popup(event->globalPos());
}

bool FirstLinePaste::eventFilter(QObject *watched, QEvent *event)
{
    // Only the paste events are looked at: others (a field's own destruction among
    // them) reach widgets that may be half gone.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ContextMenu
        && type != QEvent::MouseButtonRelease)
        return false;
    QLineEdit *edit = m_edits.value(watched);
    if (!edit || edit->isReadOnly())
        return false;
    switch (type) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Paste))
            return false;
        paste(edit, pasteKeyMode(key));
        return true;
    }
    case QEvent::ContextMenu:
        if (watched != edit)
            return false;
        showContextMenu(edit, static_cast<QContextMenuEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease: {
        // The X11 middle click pastes the selection where the press put the cursor.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched != edit || mouse->button() != Qt::MiddleButton
            || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        edit->deselect();
        paste(edit, QClipboard::Selection);
        return true;
    }
    default:
        return false;
    }
}
