#include "number_text.h"
#include "rounding.h"
#include "unit_weight_table.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <limits>

class TestRounding : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfAwayFromZero_data();
    void roundsHalfAwayFromZero();
    void matchesExactDecimalArithmetic();
};

void TestRounding::roundsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0.745 kg rounds up to 0.75") << 0.25 * 2.98 << 2 << QStringLiteral("0.75");
    QTest::newRow("0.605 kg rounds up to 0.61") << 0.5 * 1.21 << 2 << QStringLiteral("0.61");
    QTest::newRow("0.888 rounds to 0.89") << 0.888 << 2 << QStringLiteral("0.89");
    QTest::newRow("1.005 rounds up") << 1.005 << 2 << QStringLiteral("1.01");
    QTest::newRow("2.675 rounds up") << 2.675 << 2 << QStringLiteral("2.68");
    QTest::newRow("0.125 rounds away from even") << 0.125 << 2 << QStringLiteral("0.13");
    QTest::newRow("below half rounds down") << 0.1249999 << 2 << QStringLiteral("0.12");
    QTest::newRow("negative half away from zero") << -0.745 << 2 << QStringLiteral("-0.75");
    QTest::newRow("carry through nines") << 9.995 << 2 << QStringLiteral("10");
    QTest::newRow("tiny value to zero") << 0.004 << 2 << QStringLiteral("0");
    QTest::newRow("half of the last place") << 0.005 << 2 << QStringLiteral("0.01");
    QTest::newRow("large value unchanged")
        << 123456789012.345 << 2 << QStringLiteral("123456789012.35");
    QTest::newRow("beyond 15 digits unchanged") << 1e20 << 2 << QStringLiteral("1e+20");
    QTest::newRow("zero places") << 2.5 << 0 << QStringLiteral("3");
}

void TestRounding::roundsHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(numberToText(roundToDecimals(value, places)), expected);
}

// Lengths from 1 mm to 100 m in steps of 1 mm against every mass of the table: the
// weight shown must be the exact decimal product rounded half away from zero, as a
// person gets it by hand. Integers hold the exact products (units of 1e-6 kg).
void TestRounding::matchesExactDecimalArithmetic()
{
    int checked = 0;
    for (const UnitWeightRow &row : unitWeightTable) {
        const auto massThousandths = static_cast<std::int64_t>(std::llround(row.kgPerMetre * 1000));
        for (std::int64_t millimetres = 1; millimetres <= 100000; ++millimetres) {
            const std::int64_t micrograms = millimetres * massThousandths; // 1e-6 kg
            const std::int64_t cents = (micrograms + 5000) / 10000;
            const QString expected = cents % 100 == 0
                                         ? QString::number(cents / 100)
                                         : QString::number(cents / 100.0, 'f', cents % 10 ? 2 : 1);

            const double metres = textToNumber(numberToText(millimetres / 1000.0)).value;
            const QString shown = numberToText(roundToDecimals(metres * row.kgPerMetre, 2));
            if (shown != expected) {
                QFAIL(qPrintable(
                    QStringLiteral("%1 m x %2 kg/m shows %3, by hand %4")
                        .arg(numberToText(metres), numberToText(row.kgPerMetre), shown, expected)));
            }
            ++checked;
        }
    }
    QCOMPARE(checked, 18 * 100000);
}

QTEST_APPLESS_MAIN(TestRounding)
#include "test_rounding.moc"
