#pragma once

#include <QClipboard>
#include <QHash>
#include <QObject>
#include <QString>

class QContextMenuEvent;
class QKeyEvent;
class QLineEdit;
class QWidget;

/// The text up to the first line break (CR, LF or CR LF): what a Windows edit box
/// keeps of a paste. "250\r\n", a cell copied from a spreadsheet, gives "250".
QString firstLine(const QString &text);

// Makes every way of pasting into the text fields paste only the first line of the
// clipboard, as a Windows edit box does: the paste keys, the context menu's 粘贴 and,
// where the system has a selection clipboard (X11), a middle click. Typed keys pass
// untouched. Install it before any filter that must see the keys first: Qt runs the
// filter installed last first.
class FirstLinePaste : public QObject {
    Q_OBJECT

public:
    explicit FirstLinePaste(QObject *parent = nullptr);

    /// Pastes into `edit` by the first-line rule. `keyTarget`, when given, is the
    /// widget that receives the key presses meant for `edit` (a combo box, which
    /// hands them to its edit field without filters seeing them there).
    void watch(QLineEdit *edit, QWidget *keyTarget = nullptr);

    /// Inserts the first line of the clipboard at the cursor, replacing the
    /// selection; a clipboard that starts with a line break pastes nothing.
    static void paste(QLineEdit *edit, QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QClipboard::Mode pasteKeyMode(const QKeyEvent *event);
    static void showContextMenu(QLineEdit *edit, const QContextMenuEvent *event);

    QHash<QObject *, QLineEdit *> m_edits; // watched widget -> field that takes the paste
};
