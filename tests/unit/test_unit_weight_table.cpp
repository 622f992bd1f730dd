#include "diameter_list.h"
#include "fake_form.h"
#include "unit_weight_table.h"

#include <QTest>

#include <cmath>

class TestUnitWeightTable : public QObject {
    Q_OBJECT

private slots:
    void massesMatchSteelDensity();
    void diametersAscendAndAreDistinct();
    void listHoldsTheWholeNumberDiameters();
    void listLeavesOut_data();
    void listLeavesOut();
    void everyListItemHasATableRow();
    void diametersText();
};

// Nominal mass = 7850 kg/m³ × π d² / 4. The table prints 3 significant figures, so a
// row may differ from the density figure by rounding, but not by a slip of a digit.
void TestUnitWeightTable::massesMatchSteelDensity()
{
    constexpr double density = 7850.0;
    for (const UnitWeightRow &row : unitWeightTable) {
        const double metres = row.diameterMm / 1000.0;
        const double nominal = density * M_PI * metres * metres / 4.0;
        QVERIFY2(std::fabs(row.kgPerMetre - nominal) / nominal < 0.005,
                 qPrintable(QStringLiteral("%1 mm: table %2, density gives %3")
                                .arg(row.diameterMm)
                                .arg(row.kgPerMetre)
                                .arg(nominal)));
    }
}

void TestUnitWeightTable::diametersAscendAndAreDistinct()
{
    for (std::size_t i = 1; i < unitWeightTable.size(); ++i)
        QVERIFY(unitWeightTable[i - 1].diameterMm < unitWeightTable[i].diameterMm);
}

void TestUnitWeightTable::listHoldsTheWholeNumberDiameters()
{
    FakeForm form;
    fillDiameterList(form);
    const QStringList expected{QStringLiteral("6"),  QStringLiteral("8"),  QStringLiteral("9"),
                               QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14"),
                               QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
                               QStringLiteral("22"), QStringLiteral("25"), QStringLiteral("28"),
                               QStringLiteral("30"), QStringLiteral("32"), QStringLiteral("36"),
                               QStringLiteral("40"), QStringLiteral("50")};
    QCOMPARE(form.items, expected);
    // The font size is set after each item, always to 10 points.
    QCOMPARE(form.fontSizesSet, QList<float>(17, 10.0f));
    // Loading changes no text and no option.
    QCOMPARE(form.text(Control::Combo1), QStringLiteral("12"));
    QVERIFY(form.optionValue(Control::Option2));
    QVERIFY(form.prompts.isEmpty());
}

void TestUnitWeightTable::listLeavesOut_data()
{
    QTest::addColumn<int>("diameter");
    QTest::addColumn<bool>("leftOut");
    for (int d : {7, 11, 24, 33, 34, 35, 37, 39, 41, 49})
        QTest::addRow("%d mm is left out", d) << d << true;
    for (int d : {6, 32, 36, 40, 50})
        QTest::addRow("%d mm is offered", d) << d << false;
}

void TestUnitWeightTable::listLeavesOut()
{
    QFETCH(int, diameter);
    QFETCH(bool, leftOut);
    QCOMPARE(isLeftOutOfList(diameter), leftOut);
}

// Every item finds its row, and 6.5 is the only row without an item.
void TestUnitWeightTable::everyListItemHasATableRow()
{
    FakeForm form;
    fillDiameterList(form);
    QStringList rowsWithoutItem;
    for (const UnitWeightRow &row : unitWeightTable) {
        if (!form.items.contains(QString::number(row.diameterMm)))
            rowsWithoutItem << QString::number(row.diameterMm);
    }
    QCOMPARE(rowsWithoutItem, QStringList{QStringLiteral("6.5")});
    QCOMPARE(form.items.size() + 1, static_cast<qsizetype>(unitWeightTable.size()));
}

void TestUnitWeightTable::diametersText()
{
    QCOMPARE(
        tableDiametersText(),
        QStringLiteral("6、6.5、8、9、10、12、14、16、18、20、22、25、28、30、32、36、40、50"));
}

QTEST_APPLESS_MAIN(TestUnitWeightTable)
#include "test_unit_weight_table.moc"
