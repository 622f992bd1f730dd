#include "fake_form.h"
#include "form1.h"

#include <QTest>

Q_DECLARE_METATYPE(Control)

namespace {

const QString joke = QStringLiteral("开什么玩笑！");
const QString tooLarge = QStringLiteral("数值太大，无法计算。");
const QString diameters =
    QStringLiteral("6、6.5、8、9、10、12、14、16、18、20、22、25、28、30、32、36、40、50");

QString notANumber(const QString &caption)
{
    return QStringLiteral("请在“%1”中输入数字。").arg(caption);
}

QString noSuchDiameter(const QString &diameter)
{
    return QStringLiteral("表中没有直径 %1 mm 的钢筋。\n可选直径：").arg(diameter) + diameters;
}

// The handlers on a fake form, wired as the window wires them: focus moves raise
// GotFocus, which selects the field's text.
struct Window {
    FakeForm form;
    Form1 handlers{form};

    Window()
    {
        form.gotFocusHook = [this](Control control) { handlers.gotFocus(control); };
        handlers.load();
    }

    void enter(bool direct, const QString &single, const QString &count, const QString &total,
               const QString &diameter)
    {
        if (direct)
            form.setOptionValue(Control::Option1, true);
        form.setText(Control::Text1, single);
        form.setText(Control::Text2, count);
        form.setText(Control::Text3, total);
        form.setText(Control::Combo1, diameter);
    }
};

void addColumns()
{
    QTest::addColumn<bool>("direct");
    QTest::addColumn<QString>("single");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("diameter");
    QTest::addColumn<QString>("totalShown");
}

} // namespace

class TestWeightCalculation : public QObject {
    Q_OBJECT

private slots:
    void startTextsGiveOneMetreOfTwelve();
    void calculates_data();
    void calculates();
    void refuses_data();
    void refuses();
    void bothNonPositiveEndsInCount();
    void boxNotAnsweredOkGoesOn();
    void directModeIgnoresSingleLengthAndCount();
};

void TestWeightCalculation::startTextsGiveOneMetreOfTwelve()
{
    Window w;
    w.form.focus = Control::Command1;
    w.handlers.click(Control::Command1);
    QCOMPARE(w.form.text(Control::Text3), QStringLiteral("1"));
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("0.89"));
    QCOMPARE(w.form.focus, Control::Text1);
    QVERIFY(w.form.wholeTextSelected(Control::Text1));
    QCOMPARE(w.form.selection(Control::Text1).length, 3); // "100"
    QVERIFY(w.form.prompts.isEmpty());
}

void TestWeightCalculation::calculates_data()
{
    addColumns();
    QTest::addColumn<QString>("weight");

    const auto row = [](const char *name, bool direct, const char *single, const char *count,
                        const char *total, const char *diameter, const char *totalShown,
                        const char *weight) {
        QTest::newRow(name) << direct << QString::fromUtf8(single) << QString::fromUtf8(count)
                            << QString::fromUtf8(total) << QString::fromUtf8(diameter)
                            << QString::fromUtf8(totalShown) << QString::fromUtf8(weight);
    };
    row("250 cm x 4 of 16 mm", false, "250", "4", "10", "16", "10", "15.8");
    row("direct 10 m of 12 mm", true, "100", "1", "10", "12", "10", "8.88");
    row("half a bar counts", false, "100", "0.5", "10", "12", "0.5", "0.44");
    row("6.5 is typed, not listed", true, "100", "1", "10", "6.5", "10", "2.6");
    row("12.0 matches 12 by number", false, "100", "1", "10", "12.0", "1", "0.89");
    row("full-width diameter and blanks", false, "１００", "1", "10", "\u3000１２ ", "1", "0.89");
    row("33.3 cm x 3 shows 0.999 m", false, "33.3", "3", "10", "22", "0.999", "2.98");
    row("0.745 kg shows 0.75", false, "25", "1", "10", "22", "0.25", "0.75");
    row("0.605 kg shows 0.61", false, "50", "1", "10", "14", "0.5", "0.61");
    row("50 mm, a kilometre", true, "", "", "1e3", "50", "1e3", "15420");
    row("tiny length rounds to 0", false, "0.01", "1", "10", "6", "0.0001", "0");
    row("long length", false, "1200", "350", "10", "25", "4200", "16170");
    row("the total length field decides", true, "-1", "x", "2.5", "40", "2.5", "24.68");
}

void TestWeightCalculation::calculates()
{
    QFETCH(bool, direct);
    QFETCH(QString, single);
    QFETCH(QString, count);
    QFETCH(QString, total);
    QFETCH(QString, diameter);
    QFETCH(QString, totalShown);
    QFETCH(QString, weight);

    Window w;
    w.enter(direct, single, count, total, diameter);
    w.handlers.click(Control::Command1);

    QCOMPARE(w.form.prompts, QStringList());
    QCOMPARE(w.form.text(Control::Text3), totalShown);
    QCOMPARE(w.form.text(Control::Text5), weight);
    QCOMPARE(w.form.focus, Control::Text1);
    QVERIFY(w.form.wholeTextSelected(Control::Text1));
}

void TestWeightCalculation::refuses_data()
{
    addColumns();
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<Control>("focus");

    const auto row = [](const char *name, bool direct, const char *single, const char *count,
                        const char *total, const char *diameter, const char *totalShown,
                        const QString &prompt, Control focus) {
        QTest::newRow(name) << direct << QString::fromUtf8(single) << QString::fromUtf8(count)
                            << QString::fromUtf8(total) << QString::fromUtf8(diameter)
                            << QString::fromUtf8(totalShown) << prompt << focus;
    };
    // Zero and negative input: the total is shown before the check.
    row("single length 0", false, "0", "1", "10", "12", "0", joke, Control::Text1);
    row("count 0", false, "100", "0", "10", "12", "0", joke, Control::Text2);
    row("negative count", false, "100", "-2", "10", "12", "-2", joke, Control::Text2);
    row("direct total 0", true, "x", "y", "0", "12", "0", joke, Control::Text3);
    row("direct total negative", true, "1", "1", "-3", "12", "-3", joke, Control::Text3);

    // Text that is no number: nothing is written, the first bad field is named.
    row("empty single length", false, "", "1", "10", "12", "10",
        notANumber(QStringLiteral("单根长度(cm)")), Control::Text1);
    row("both bad names single length", false, "abc", "x", "10", "12", "10",
        notANumber(QStringLiteral("单根长度(cm)")), Control::Text1);
    row("count with a comma", false, "100", "1,5", "10", "12", "10",
        notANumber(QStringLiteral("根数")), Control::Text2);
    row("empty direct total", true, "100", "1", "", "12", "",
        notANumber(QStringLiteral("总长度(m)")), Control::Text3);
    row("diameter in words", false, "100", "1", "10", "十二", "1",
        notANumber(QStringLiteral("钢筋直径(mm)")), Control::Combo1);
    row("empty diameter", true, "100", "1", "10", "", "10",
        notANumber(QStringLiteral("钢筋直径(mm)")), Control::Combo1);

    // Beyond the range of a double.
    row("single length overflows", false, "1e999", "1", "10", "12", "10", tooLarge, Control::Text1);
    row("count overflows", false, "1", "-1e400", "10", "12", "10", tooLarge, Control::Text2);
    row("product overflows", false, "1e200", "1e200", "10", "12", "10", tooLarge, Control::Text1);
    row("weight overflows", true, "1", "1", "1e308", "50", "1e308", tooLarge, Control::Text3);
    row("diameter overflows", true, "1", "1", "10", "1e999", "10", tooLarge, Control::Combo1);

    // Diameters the table lacks.
    row("7 mm", false, "100", "1", "10", "7", "1", noSuchDiameter(QStringLiteral("7")),
        Control::Combo1);
    row("60 mm", true, "100", "1", "10", "60", "10", noSuchDiameter(QStringLiteral("60")),
        Control::Combo1);
    row("0 mm", true, "100", "1", "10", "0", "10", noSuchDiameter(QStringLiteral("0")),
        Control::Combo1);
    row("-12 mm", true, "100", "1", "10", "-12", "10", noSuchDiameter(QStringLiteral("-12")),
        Control::Combo1);
    row("almost 6.5", true, "100", "1", "10", "6.50001", "10",
        noSuchDiameter(QStringLiteral("6.50001")), Control::Combo1);
}

void TestWeightCalculation::refuses()
{
    QFETCH(bool, direct);
    QFETCH(QString, single);
    QFETCH(QString, count);
    QFETCH(QString, total);
    QFETCH(QString, diameter);
    QFETCH(QString, totalShown);
    QFETCH(QString, prompt);
    QFETCH(Control, focus);

    Window w;
    w.enter(direct, single, count, total, diameter);
    w.form.focus = Control::Command1;
    w.handlers.click(Control::Command1);

    QCOMPARE(w.form.prompts, QStringList{prompt});
    QCOMPARE(w.form.text(Control::Text3), totalShown);
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("2007"));
    QCOMPARE(w.form.focus, focus);
    QVERIFY(w.form.wholeTextSelected(focus));
}

void TestWeightCalculation::bothNonPositiveEndsInCount()
{
    Window w;
    w.enter(false, QStringLiteral("-100"), QStringLiteral("-1"), QStringLiteral("10"),
            QStringLiteral("12"));
    w.handlers.click(Control::Command1);
    QCOMPARE(w.form.text(Control::Text3), QStringLiteral("1"));
    QCOMPARE(w.form.prompts, QStringList{joke}); // one message for both fields
    QCOMPARE(w.form.focusMoves, (QList<Control>{Control::Text1, Control::Text2}));
    QVERIFY(w.form.wholeTextSelected(Control::Text2));
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("2007"));
}

// Only an OK answer sends the user back; any other answer carries the click on to the
// total-length check. An OK-only box never gives another, but the rule is the rule.
void TestWeightCalculation::boxNotAnsweredOkGoesOn()
{
    Window w;
    w.enter(false, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("10"),
            QStringLiteral("12"));
    w.form.scriptedAnswers = {2};
    w.handlers.click(Control::Command1);
    QCOMPARE(w.form.prompts, (QStringList{joke, joke})); // the total 0 is refused next
    QCOMPARE(w.form.focus, Control::Text3);
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("2007"));
}

void TestWeightCalculation::directModeIgnoresSingleLengthAndCount()
{
    Window w;
    w.enter(true, QStringLiteral("0"), QStringLiteral("不是数"), QStringLiteral("3"),
            QStringLiteral("10"));
    w.handlers.click(Control::Command1);
    QVERIFY(w.form.prompts.isEmpty());
    QCOMPARE(w.form.text(Control::Text3), QStringLiteral("3"));
    QCOMPARE(w.form.text(Control::Text5), QStringLiteral("1.85"));
}

QTEST_APPLESS_MAIN(TestWeightCalculation)
#include "test_weight_calculation.moc"
