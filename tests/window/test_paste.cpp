// Pasting into the fields as a user does: a cell copied from a spreadsheet arrives as
// "250\r\n", and the field must hold "250" by every way of pasting.

#include "application_start.h"
#include "first_line_paste.h"
#include "qt_translation.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

namespace {

enum class PasteBy { ShiftInsert, ContextMenu };

// The context menu's 粘贴, clicked as a user clicks it in the menu the field pops up.
bool clickMenuPaste(QLineEdit *edit)
{
    const QPoint inside = edit->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
    QApplication::sendEvent(edit, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu || !QTest::qWaitForWindowExposed(menu))
        return false;
    const QRegularExpression decoration(QStringLiteral("\\(&.\\)|&|\t.*$"));
    for (QAction *action : menu->actions()) {
        if (action->text().remove(decoration) == QStringLiteral("粘贴")) {
            if (!action->isEnabled())
                return false;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return QTest::qWaitFor([menu] { return !menu->isVisible(); });
        }
    }
    return false;
}

// Pastes into the field that has the focus.
bool paste(PasteBy by, QLineEdit *edit)
{
    switch (by) {
    case PasteBy::ShiftInsert:
        QTest::keyClick(ShownWindow::focus(), Qt::Key_Insert, Qt::ShiftModifier);
        return true;
    case PasteBy::ContextMenu:
        return clickMenuPaste(edit);
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(PasteBy)

class TestPaste : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installQtTranslation());
        registerFontSubstitutes();
    }
    void firstLineOfAPaste_data();
    void firstLineOfAPaste();
    void pastedCellKeepsItsFirstLine_data();
    void pastedCellKeepsItsFirstLine();
    void pasteReplacesOnlyTheSelection();
    void middleClickPastesTheSelectionFirstLine();
};

void TestPaste::firstLineOfAPaste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("pasted");

    QTest::newRow("Excel cell, CR LF") << QStringLiteral("250\r\n") << QStringLiteral("250");
    QTest::newRow("LF only") << QStringLiteral("250\n") << QStringLiteral("250");
    QTest::newRow("CR only") << QStringLiteral("250\r") << QStringLiteral("250");
    QTest::newRow("a column of cells") << QStringLiteral("250\r\n300\r\n") << QStringLiteral("250");
    QTest::newRow("two cells of a row") << QStringLiteral("250\t4\r\n") << QStringLiteral("250\t4");
    QTest::newRow("no line break") << QStringLiteral("1,200") << QStringLiteral("1,200");
    QTest::newRow("starts with a line break") << QStringLiteral("\r\n250") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestPaste::firstLineOfAPaste()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, pasted);
    QCOMPARE(firstLine(clipboard), pasted);
}

void TestPaste::pastedCellKeepsItsFirstLine_data()
{
    QTest::addColumn<PasteBy>("by");
    QTest::addColumn<bool>("intoCombo");

    // Ctrl+V is a row of the book of scenarios; these are Qt's other ways in.
    for (bool intoCombo : {false, true}) {
        const char *field = intoCombo ? "直径(mm)" : "单根长度(cm)";
        QTest::addRow("Shift+Insert into %s", field) << PasteBy::ShiftInsert << intoCombo;
        QTest::addRow("context menu 粘贴 into %s", field) << PasteBy::ContextMenu << intoCombo;
    }
}

// A spreadsheet cell pasted over the field's selected text.
void TestPaste::pastedCellKeepsItsFirstLine()
{
    QFETCH(PasteBy, by);
    QFETCH(bool, intoCombo);
    ShownWindow w;
    QVERIFY(w.show());
    QLineEdit *edit =
        intoCombo ? w.child<QComboBox>("Combo1")->lineEdit() : w.child<QLineEdit>("Text1");
    if (intoCombo) {
        w.press(Qt::Key_Return);
        w.press(Qt::Key_Return);
    }
    QCOMPARE(edit->selectedText(), edit->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("16\r\n"));
    QVERIFY(paste(by, edit));
    QCOMPARE(edit->text(), QStringLiteral("16"));
    QCOMPARE(w.focus(), intoCombo ? w.child("Combo1") : static_cast<QWidget *>(edit));
    QCOMPARE(w.prompts, QStringList());
}

// A paste goes where the cursor is, as typing does; a clipboard that starts with a
// line break changes nothing, not even the selection.
void TestPaste::pasteReplacesOnlyTheSelection()
{
    ShownWindow w;
    QVERIFY(w.show());
    auto *text1 = w.child<QLineEdit>("Text1");
    QGuiApplication::clipboard()->setText(QStringLiteral("\r\n7"));
    w.press(Qt::Key_Insert); // a stray key first: Insert alone pastes nothing
    QTest::keyClick(w.focus(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text1->text(), QStringLiteral("100"));
    QCOMPARE(text1->selectedText(), QStringLiteral("100"));

    text1->setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("5\r\n"));
    QTest::keyClick(w.focus(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text1->text(), QStringLiteral("1500"));
    QCOMPARE(text1->cursorPosition(), 2);
}

// X11's middle click pastes the selection clipboard, by the same first-line rule. A
// system without one (Windows) pastes nothing on a middle click.
void TestPaste::middleClickPastesTheSelectionFirstLine()
{
    ShownWindow w;
    QVERIFY(w.show());
    auto *text2 = w.child<QLineEdit>("Text2");
    QClipboard *clipboard = QGuiApplication::clipboard();
    const bool hasSelection = clipboard->supportsSelection();
    clipboard->setText(QStringLiteral("4\r\n"),
                       hasSelection ? QClipboard::Selection : QClipboard::Clipboard);
    text2->setText(QString());
    QTest::mouseClick(text2, Qt::MiddleButton, {}, text2->rect().center());
    QCOMPARE(text2->text(), hasSelection ? QStringLiteral("4") : QString());
    qInfo("selection clipboard: %s; field after a middle click: \"%s\"",
          hasSelection ? "yes" : "no", qPrintable(text2->text()));
}

QTEST_MAIN(TestPaste)
#include "test_paste.moc"
