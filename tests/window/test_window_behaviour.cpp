#include "application_start.h"
#include "message_box.h"
#include "qt_translation.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
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

// What the Qt window does that is Qt's alone: its focus in an inactive window, the end
// of its event loop, its message box and its own words. The behaviour every window
// shares is the book of scenarios (test_scenarios_qt).
class TestWindowBehaviour : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installQtTranslation());
        registerFontSubstitutes();
    }
    void refusalWhileInactiveSelectsTheField();
    void exitEndsTheEventLoop_data();
    void exitEndsTheEventLoop();
    void messageBoxAnswersOk();
    void qtTextsAreChinese();
};

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

// 退出 and the close box end the event loop, as main() runs it, with status 0, whatever
// the fields hold. (The book sees the window close; this is Qt's end of the program.)
void TestWindowBehaviour::exitEndsTheEventLoop_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("退出") << false;
    QTest::newRow("close box") << true;
}

void TestWindowBehaviour::exitEndsTheEventLoop()
{
    QFETCH(bool, byCloseBox);
    ShownWindow w;
    QVERIFY(w.show());
    w.child<QLineEdit>("Text1")->setText(QStringLiteral("not a number"));
    w.child<QLineEdit>("Text2")->setText(QString());
    QCOMPARE(runEventLoopAfter([&] {
                 if (byCloseBox)
                     w.window->windowHandle()->close();
                 else
                     QTest::mouseClick(w.child("Command2"), Qt::LeftButton);
             }),
             0);
    QVERIFY(!w.window->isVisible());
    QVERIFY(w.prompts.isEmpty());
}

// The real box, closed by Escape, Enter and a click on its button: OK every way, no
// icon, one button, 确定.
void TestWindowBehaviour::messageBoxAnswersOk()
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_unknown}) {
        QString seen;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            const QList<QAbstractButton *> buttons = box->buttons();
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            for (const QAbstractButton *button : buttons)
                seen += QLatin1Char('|') + button->text();
            icon = box->icon();
            if (key == Qt::Key_unknown)
                buttons.first()->click();
            else
                QTest::keyClick(box, key);
        });
        QCOMPARE(
            showMessageBox(nullptr, QStringLiteral("钢筋重量计算"), QStringLiteral("开什么玩笑！")),
            1);
        QCOMPARE(seen, QStringLiteral("钢筋重量计算|开什么玩笑！|确定"));
        QCOMPARE(icon, QMessageBox::NoIcon);
    }
}

void TestWindowBehaviour::qtTextsAreChinese()
{
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
