#include "fake_form.h"
#include "form1.h"

#include <QTest>

Q_DECLARE_METATYPE(Control)

namespace {

struct Window {
    FakeForm form;
    Form1 handlers{form};

    Window()
    {
        form.gotFocusHook = [this](Control control) { handlers.gotFocus(control); };
    }
};

} // namespace

class TestFieldNavigation : public QObject {
    Q_OBJECT

private slots:
    void advanceKeys_data();
    void advanceKeys();
    void focusSelectsWholeText_data();
    void focusSelectsWholeText();
    void labelsSwitchTheMode();
    void windowCommands();
};

void TestFieldNavigation::advanceKeys_data()
{
    QTest::addColumn<Control>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<Control>("focusAfter"); // the field itself when the key passes
    QTest::addColumn<int>("keyAfter");

    const struct {
        Control field;
        const char *name;
        Control target;
    } fields[] = {{Control::Text1, "Text1", Control::Text2},
                  {Control::Text2, "Text2", Control::Combo1},
                  {Control::Combo1, "Combo1", Control::Command1},
                  {Control::Text3, "Text3", Control::Command1}};
    for (const auto &f : fields) {
        for (int key : {13, 68, 100})
            QTest::addRow("%s: code %d advances", f.name, key) << f.field << key << f.target << 0;
        for (int key : {int('1'), int('.'), int('-'), int('e'), int('E'), int('x'), 8, 10, 0x4E2D})
            QTest::addRow("%s: code %d passes", f.name, key) << f.field << key << f.field << key;
    }
    for (int key : {13, 68, 100})
        QTest::addRow("Text5: code %d passes", key)
            << Control::Text5 << key << Control::Text5 << key;
}

void TestFieldNavigation::advanceKeys()
{
    QFETCH(Control, field);
    QFETCH(int, key);
    QFETCH(Control, focusAfter);
    QFETCH(int, keyAfter);

    Window w;
    w.form.focus = field;
    const QString textBefore = w.form.text(field);
    auto code = static_cast<qint16>(key);
    w.handlers.keyPress(field, code);
    QCOMPARE(int(code), keyAfter);
    QCOMPARE(w.form.focus, focusAfter);
    QCOMPARE(w.form.text(field), textBefore); // the handler never edits text
    if (focusAfter == Control::Text2 && field == Control::Text1)
        QVERIFY(w.form.wholeTextSelected(Control::Text2));
    if (focusAfter == Control::Combo1
        && field == Control::Text2) // no selection made there by the handlers
        QCOMPARE(w.form.selection(Control::Combo1).length, 0);
}

void TestFieldNavigation::focusSelectsWholeText_data()
{
    QTest::addColumn<Control>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selects");

    QTest::newRow("Text1") << Control::Text1 << QStringLiteral("250") << true;
    QTest::newRow("Text2 with full-width text") << Control::Text2 << QStringLiteral("４根") << true;
    QTest::newRow("Text3 empty: caret at the start") << Control::Text3 << QString() << true;
    QTest::newRow("Text5 result field") << Control::Text5 << QStringLiteral("15.8") << true;
    QTest::newRow("Combo1 has no focus handler")
        << Control::Combo1 << QStringLiteral("16") << false;
}

void TestFieldNavigation::focusSelectsWholeText()
{
    QFETCH(Control, field);
    QFETCH(QString, text);
    QFETCH(bool, selects);

    Window w;
    w.form.setText(field, text); // leaves the caret at the end, nothing selected
    w.form.setFocus(field);
    QCOMPARE(w.form.text(field), text);
    if (selects)
        QVERIFY(w.form.wholeTextSelected(field));
    else
        QCOMPARE(w.form.selection(field).length, 0);
}

void TestFieldNavigation::labelsSwitchTheMode()
{
    Window w;
    w.form.focus = Control::Text2;
    w.handlers.click(Control::Label1); // already computed: nothing changes
    QVERIFY(w.form.optionValue(Control::Option2));
    QVERIFY(!w.form.optionValue(Control::Option1));

    w.handlers.click(Control::Label3);
    QVERIFY(w.form.optionValue(Control::Option1));
    QVERIFY(!w.form.optionValue(Control::Option2));

    for (Control other : {Control::Label2, Control::Label4, Control::Label5, Control::Label6})
        w.handlers.click(other);
    QVERIFY(w.form.optionValue(Control::Option1)); // the other labels do nothing

    w.handlers.click(Control::Label1);
    QVERIFY(w.form.optionValue(Control::Option2));
    QVERIFY(!w.form.optionValue(Control::Option1));
    QCOMPARE(w.form.focus, Control::Text2); // a label click moves no focus
    QVERIFY(w.form.focusMoves.isEmpty());
}

void TestFieldNavigation::windowCommands()
{
    Window w;
    QVERIFY(!w.form.visible(Control::Label6));
    w.handlers.click(Control::Command3);
    w.handlers.click(Control::Command3);
    QVERIFY(w.form.visible(Control::Label6));
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("2007"));
    QVERIFY(!w.form.unloaded);

    w.form.setText(Control::Text1, QStringLiteral("not a number"));
    w.handlers.click(Control::Command2);
    QVERIFY(w.form.unloaded);
    QVERIFY(w.form.prompts.isEmpty());
}

QTEST_APPLESS_MAIN(TestFieldNavigation)
#include "test_field_navigation.moc"
