#include "application_start.h"
#include "message_box.h"
#include "qt_translation.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>

namespace {

// Runs the application's event loop as main() does, does `action` inside it, and
// returns the loop's exit status; 99 when the loop did not end by itself.
template <typename Action>
int runEventLoopAfter(Action action)
{
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, qApp, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QApplication::exit(99); });
    watchdog.start(5000);
    return QApplication::exec();
}

} // namespace

class TestWindowBehaviour : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installQtTranslation());
        registerFontSubstitutes();
    }
    void startsReadyForTheFirstBar();
    void keyboardWalkCalculates();
    void advanceLettersAreSwallowed();
    void resultFieldTakesEveryKey();
    void tabWalksTheTabOrder();
    void refusalsSendTheFocusBack_data();
    void refusalsSendTheFocusBack();
    void refusalWhileInactiveSelectsTheField();
    void mouseFocusKeepsWholeSelection();
    void labelClicksSwitchTheMode();
    void comboKeepsItsListAndTypedText();
    void buttonsPressOnlyWhenFocused();
    void contactAndExit();
    void closeBoxEndsTheProgram();
    void hugePasteIsRefusedPromptly();
    void messageBoxAnswersOk();
    void qtTextsAreChinese();
};

void TestWindowBehaviour::startsReadyForTheFirstBar()
{
    ShownWindow w;
    QVERIFY(w.show());
    QCOMPARE(w.focus(), w.child("Text1"));
    QCOMPARE(w.child<QLineEdit>("Text1")->selectedText(), QStringLiteral("100"));
    QCOMPARE(w.child<QComboBox>("Combo1")->count(), 17);
    QCOMPARE(w.child<QComboBox>("Combo1")->currentText(), QStringLiteral("12"));
    QVERIFY(!w.child("Label6")->isVisible());
}

void TestWindowBehaviour::keyboardWalkCalculates()
{
    ShownWindow w;
    QVERIFY(w.show());
    w.type(QStringLiteral("250"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.focus(), w.child("Text2"));
    QCOMPARE(w.child<QLineEdit>("Text2")->selectedText(), QStringLiteral("1"));
    w.type(QStringLiteral("4"));
    w.press(Qt::Key_Enter); // the keypad Enter works the same
    QCOMPARE(w.focus(), w.child("Combo1"));
    // The combo's text is selected, so the diameter typed replaces "12".
    QCOMPARE(w.child<QComboBox>("Combo1")->lineEdit()->selectedText(), QStringLiteral("12"));
    w.type(QStringLiteral("16"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.focus(), w.child("Command1"));
    w.press(Qt::Key_Return);

    QVERIFY(w.prompts.isEmpty());
    QCOMPARE(w.child<QLineEdit>("Text1")->text(), QStringLiteral("250"));
    QCOMPARE(w.child<QLineEdit>("Text2")->text(), QStringLiteral("4"));
    QCOMPARE(w.child<QLineEdit>("Text3")->text(), QStringLiteral("10"));
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("15.8"));
    QCOMPARE(w.focus(), w.child("Text1"));
    QCOMPARE(w.child<QLineEdit>("Text1")->selectedText(), QStringLiteral("250"));
    QCOMPARE(w.child<QComboBox>("Combo1")->count(), 17);

    // Direct mode from the keyboard: Text3 Enter goes to the button, not to Text5.
    QTest::mouseClick(w.child("Label3"), Qt::LeftButton);
    w.child("Text3")->setFocus(Qt::MouseFocusReason);
    w.type(QStringLiteral("100"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.focus(), w.child("Command1"));
    w.press(Qt::Key_Space);
    QCOMPARE(w.child<QLineEdit>("Text3")->text(), QStringLiteral("100"));
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("158"));
}

void TestWindowBehaviour::advanceLettersAreSwallowed()
{
    ShownWindow w;
    QVERIFY(w.show());
    w.type(QStringLiteral("3d"));
    QCOMPARE(w.focus(), w.child("Text2"));
    w.type(QStringLiteral("2D"));
    QCOMPARE(w.focus(), w.child("Combo1"));
    w.type(QStringLiteral("8d"));
    QCOMPARE(w.focus(), w.child("Command1"));
    QCOMPARE(w.child<QLineEdit>("Text1")->text(), QStringLiteral("3"));
    QCOMPARE(w.child<QLineEdit>("Text2")->text(), QStringLiteral("2"));
    QCOMPARE(w.child<QComboBox>("Combo1")->currentText(), QStringLiteral("8"));
    // Other letters reach the field: whether they make a number is the calculation's say.
    w.child("Text1")->setFocus(Qt::TabFocusReason);
    w.type(QStringLiteral("1e2x"));
    QCOMPARE(w.child<QLineEdit>("Text1")->text(), QStringLiteral("1e2x"));
}

void TestWindowBehaviour::resultFieldTakesEveryKey()
{
    ShownWindow w;
    QVERIFY(w.show());
    w.child("Text5")->setFocus(Qt::TabFocusReason);
    QCOMPARE(w.child<QLineEdit>("Text5")->selectedText(), QStringLiteral("2007"));
    w.type(QStringLiteral("dD"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.focus(), w.child("Text5"));
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("dD"));
    QVERIFY(w.prompts.isEmpty()); // Enter there pressed no button
}

void TestWindowBehaviour::tabWalksTheTabOrder()
{
    ShownWindow w;
    QVERIFY(w.show());
    // Qt's own walk enters the option group once (arrow keys move inside it), then
    // wraps to the first field.
    const char *order[] = {"Text2",    "Combo1",   "Command1", "Text3", "Text5",
                           "Command2", "Command3", "Option1",  "Text1"};
    for (const char *name : order) {
        w.press(Qt::Key_Tab);
        QWidget *expected = w.child(name);
        QCOMPARE(w.focus()->objectName(), expected->objectName());
        if (auto *edit = qobject_cast<QLineEdit *>(expected))
            QCOMPARE(edit->selectedText(), edit->text());
        if (auto *combo = qobject_cast<QComboBox *>(expected))
            QCOMPARE(combo->lineEdit()->selectedText(), combo->currentText());
    }
}

void TestWindowBehaviour::refusalsSendTheFocusBack_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("focus");

    QTest::newRow("zero length") << "Text1"
                                 << "0"
                                 << "开什么玩笑！"
                                 << "Text1";
    QTest::newRow("negative count") << "Text2"
                                    << "-4"
                                    << "开什么玩笑！"
                                    << "Text2";
    QTest::newRow("no number") << "Text2"
                               << "四"
                               << "请在“根数”中输入数字。"
                               << "Text2";
    QTest::newRow("too large") << "Text1"
                               << "1e400"
                               << "数值太大，无法计算。"
                               << "Text1";
}

void TestWindowBehaviour::refusalsSendTheFocusBack()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);

    ShownWindow w;
    QVERIFY(w.show());
    w.window->findChild<QLineEdit *>(field)->setText(text);
    QTest::mouseClick(w.child("Command1"), Qt::LeftButton);
    QCOMPARE(w.prompts, QStringList{prompt});
    auto *target = w.window->findChild<QLineEdit *>(focus);
    QCOMPARE(w.focus(), target);
    QCOMPARE(target->selectedText(), target->text());
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("2007"));
}

// While a message box is up the window is inactive; the focus it sends the user back
// with must still select the field's text, window manager or not.
void TestWindowBehaviour::refusalWhileInactiveSelectsTheField()
{
    ShownWindow w;
    QVERIFY(w.show());
    QWidget other;
    w.window->binding().setMessageBoxHook([&](const QString &prompt) {
        w.prompts << prompt;
        other.show();
        other.activateWindow();
        return QTest::qWaitForWindowActive(&other) ? 1 : 0;
    });
    auto *text2 = w.child<QLineEdit>("Text2");
    text2->setText(QStringLiteral("0"));
    text2->setCursorPosition(1);
    QTest::mouseClick(w.child("Command1"), Qt::LeftButton);
    QCOMPARE(w.prompts, QStringList{QStringLiteral("开什么玩笑！")});
    QVERIFY(!w.window->isActiveWindow());
    QCOMPARE(text2->selectedText(), QStringLiteral("0"));
    QCOMPARE(w.window->focusWidget(), static_cast<QWidget *>(text2));
}

void TestWindowBehaviour::mouseFocusKeepsWholeSelection()
{
    ShownWindow w;
    QVERIFY(w.show());
    for (const char *name : {"Text2", "Text3", "Text5", "Text1"}) {
        auto *edit = w.child<QLineEdit>(name);
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        QCOMPARE(w.focus(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
    }
    // A second click in a focused field places the caret as usual.
    auto *text1 = w.child<QLineEdit>("Text1");
    QTest::mouseClick(text1, Qt::LeftButton, {}, QPoint(text1->width() - 4, text1->height() / 2));
    QVERIFY(!text1->hasSelectedText());
}

void TestWindowBehaviour::labelClicksSwitchTheMode()
{
    ShownWindow w;
    QVERIFY(w.show());
    auto *option1 = w.child<QRadioButton>("Option1");
    auto *option2 = w.child<QRadioButton>("Option2");
    QTest::mouseClick(w.child("Label3"), Qt::LeftButton);
    QVERIFY(option1->isChecked() && !option2->isChecked());
    QCOMPARE(w.focus(), w.child("Text1")); // a label click moves no focus
    QTest::mouseClick(w.child("Label2"), Qt::LeftButton);
    QVERIFY(option1->isChecked());
    QTest::mouseClick(w.child("Label1"), Qt::LeftButton);
    QVERIFY(option2->isChecked() && !option1->isChecked());
    QTest::mouseClick(option1, Qt::LeftButton, {}, QPoint(8, 8)); // the circle itself
    QVERIFY(option1->isChecked() && !option2->isChecked());
}

void TestWindowBehaviour::comboKeepsItsListAndTypedText()
{
    ShownWindow w;
    QVERIFY(w.show());
    auto *combo = w.child<QComboBox>("Combo1");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);

    combo->setFocus(Qt::TabFocusReason);
    w.type(QStringLiteral("2"));
    QCOMPARE(combo->currentText(), QStringLiteral("2")); // not completed to "20"
    w.type(QStringLiteral("7"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.focus(), w.child("Command1"));
    QCOMPARE(combo->currentText(), QStringLiteral("27"));
    QStringList after;
    for (int i = 0; i < combo->count(); ++i)
        after << combo->itemText(i);
    QCOMPARE(after, items);

    // A diameter the table lacks is refused with the list of those it has.
    w.press(Qt::Key_Return);
    QCOMPARE(w.prompts.size(), 1);
    QVERIFY(w.prompts.first().startsWith(QStringLiteral("表中没有直径 27 mm 的钢筋。")));
    QCOMPARE(w.focus(), static_cast<QWidget *>(combo));
    QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("27"));
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("2007"));

    // Picking from the list puts the item's text where the calculation reads it.
    combo->setCurrentIndex(combo->findText(QStringLiteral("50")));
    QTest::mouseClick(w.child("Command1"), Qt::LeftButton);
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("15.42"));
}

void TestWindowBehaviour::buttonsPressOnlyWhenFocused()
{
    ShownWindow w;
    QVERIFY(w.show());
    w.press(Qt::Key_Escape);
    QVERIFY(w.window->isVisible()); // Escape closes nothing
    w.child("Text5")->setFocus(Qt::TabFocusReason);
    w.press(Qt::Key_Return);
    QCOMPARE(w.child<QLineEdit>("Text3")->text(), QStringLiteral("10")); // nothing calculated
    w.child("Command1")->setFocus(Qt::TabFocusReason);
    w.press(Qt::Key_Space);
    QCOMPARE(w.child<QLineEdit>("Text3")->text(), QStringLiteral("1"));
    QCOMPARE(w.child<QLineEdit>("Text5")->text(), QStringLiteral("0.89"));
}

void TestWindowBehaviour::contactAndExit()
{
    ShownWindow w;
    QVERIFY(w.show());
    QList<QRect> before;
    for (auto *child : w.window->findChildren<QWidget *>())
        before << child->geometry();

    QTest::mouseClick(w.child("Command3"), Qt::LeftButton);
    QTest::mouseClick(w.child("Command3"), Qt::LeftButton);
    auto *author = w.child<QLabel>("Label6");
    QVERIFY(author->isVisible());
    QCOMPARE(author->text(), MainWindow::authorLine());
    QList<QRect> after;
    for (auto *child : w.window->findChildren<QWidget *>())
        after << child->geometry();
    QCOMPARE(after, before); // nothing moved
    QVERIFY(w.child<QRadioButton>("Option2")->isChecked());

    // 退出 ends the event loop with status 0, whatever the fields hold.
    w.child<QLineEdit>("Text1")->setText(QStringLiteral("not a number"));
    QCOMPARE(runEventLoopAfter([&] { QTest::mouseClick(w.child("Command2"), Qt::LeftButton); }), 0);
    QVERIFY(!w.window->isVisible());
    QVERIFY(w.prompts.isEmpty());
}

void TestWindowBehaviour::closeBoxEndsTheProgram()
{
    ShownWindow w;
    QVERIFY(w.show());
    w.child<QLineEdit>("Text2")->setText(QString());
    QCOMPARE(runEventLoopAfter([&] { w.window->windowHandle()->close(); }), 0);
    QVERIFY(!w.window->isVisible());
    QVERIFY(w.prompts.isEmpty());
}

void TestWindowBehaviour::hugePasteIsRefusedPromptly()
{
    ShownWindow w;
    QVERIFY(w.show());
    const QString huge(1000000, QLatin1Char('9'));
    auto *text1 = w.child<QLineEdit>("Text1");
    text1->setText(huge + QLatin1Char('x'));
    QCOMPARE(text1->text().size(), huge.size() + 1); // no length cap
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(w.child("Command1"), Qt::LeftButton);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(w.prompts, QStringList{QStringLiteral("请在“单根长度(cm)”中输入数字。")});
    QCOMPARE(w.child<QLineEdit>("Text3")->text(), QStringLiteral("10"));
}

// The real box, closed by Escape and by its button: OK either way, no icon, one button.
void TestWindowBehaviour::messageBoxAnswersOk()
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QString seenText;
        QString seenTitle;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            seenTitle = box->windowTitle();
            buttons = box->buttons().size();
            icon = box->icon();
            QTest::keyClick(box, key);
        });
        QCOMPARE(
            showMessageBox(nullptr, QStringLiteral("钢筋重量计算"), QStringLiteral("开什么玩笑！")),
            1);
        QCOMPARE(seenText, QStringLiteral("开什么玩笑！"));
        QCOMPARE(seenTitle, QStringLiteral("钢筋重量计算"));
        QCOMPARE(buttons, 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
    }
}

void TestWindowBehaviour::qtTextsAreChinese()
{
    // The message box's only button.
    QString buttonText;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        const QList<QAbstractButton *> buttons = box->buttons();
        QCOMPARE(buttons.size(), 1);
        buttonText = buttons.first()->text();
        buttons.first()->click();
    });
    showMessageBox(nullptr, QStringLiteral("钢筋重量计算"), QStringLiteral("开什么玩笑！"));
    QCOMPARE(buttonText, QStringLiteral("确定"));

    // The right-click menu of a text field, without access keys and shortcuts.
    ShownWindow w;
    QVERIFY(w.show());
    std::unique_ptr<QMenu> menu(w.child<QLineEdit>("Text1")->createStandardContextMenu());
    const QRegularExpression decoration(QStringLiteral("\\(&.\\)|&|\t.*$"));
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            entries << action->text().remove(decoration);
    }
    const QStringList expected = {QStringLiteral("撤销"), QStringLiteral("重做"),
                                  QStringLiteral("剪切"), QStringLiteral("复制"),
                                  QStringLiteral("粘贴"), QStringLiteral("删除"),
                                  QStringLiteral("全选")};
    QCOMPARE(entries, expected);
}

QTEST_MAIN(TestWindowBehaviour)
#include "test_window_behaviour.moc"
