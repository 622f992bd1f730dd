#include "number_text.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

Q_DECLARE_METATYPE(NumberStatus)

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readsNumbers_data();
    void readsNumbers();
    void refusesText_data();
    void refusesText();
    void writesNumbers_data();
    void writesNumbers();
    void writtenTextReadsBack();
    void groupedReadsAsUngrouped();
    void writesShortIntegers();
};

void TestNumberText::readsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole number") << QStringLiteral("100") << 100.0;
    QTest::newRow("decimal") << QStringLiteral("6.5") << 6.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("negative") << QStringLiteral("-100") << -100.0;
    QTest::newRow("explicit plus") << QStringLiteral("+3") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("1.5e3") << 1500.0;
    QTest::newRow("capital exponent, signed") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("exponent plus sign") << QStringLiteral("1e+2") << 100.0;
    QTest::newRow("blanks around") << QStringLiteral(" \t12 ") << 12.0;
    QTest::newRow("ideographic spaces") << QStringLiteral("\u300012\u3000") << 12.0;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("leading zeros") << QStringLiteral("007.50") << 7.5;
    QTest::newRow("full-width digits") << QStringLiteral("２５０") << 250.0;
    QTest::newRow("full-width point") << QStringLiteral("６．５") << 6.5;
    QTest::newRow("ideographic full stop as point") << QStringLiteral("６。５") << 6.5;
    QTest::newRow("full-width minus") << QStringLiteral("－１") << -1.0;
    QTest::newRow("full-width plus and exponent") << QStringLiteral("＋１Ｅ２") << 100.0;
    QTest::newRow("full-width small e") << QStringLiteral("１ｅ１") << 10.0;
    QTest::newRow("mixed widths") << QStringLiteral("1２.5") << 12.5;
    QTest::newRow("underflow reads as zero") << QStringLiteral("1e-999") << 0.0;
    QTest::newRow("huge exponent on zero") << QStringLiteral("0e99999999999999999999") << 0.0;
    QTest::newRow("underflow with long exponent")
        << QStringLiteral("5e-99999999999999999999") << 0.0;
    QTest::newRow("largest double")
        << QStringLiteral("1.7976931348623157e308") << std::numeric_limits<double>::max();
    QTest::newRow("long fraction of small value")
        << QStringLiteral("0.000000000000000000001") << 1e-21;

    // A cell copied from a spreadsheet, or a line break that reached a field some
    // other way than a paste.
    QTest::newRow("cell copied with CR LF") << QStringLiteral("250\r\n") << 250.0;
    QTest::newRow("LF alone") << QStringLiteral("250\n") << 250.0;
    QTest::newRow("tab after the cell") << QStringLiteral("250\t") << 250.0;
    QTest::newRow("line breaks both sides") << QStringLiteral("\r\n 6.5 \r\n") << 6.5;

    // Whole parts grouped in threes, as "#,##0" copies them.
    QTest::newRow("grouped thousands") << QStringLiteral("1,200") << 1200.0;
    QTest::newRow("grouped with a fraction") << QStringLiteral("12,345.5") << 12345.5;
    QTest::newRow("grouped millions") << QStringLiteral("1,234,567") << 1234567.0;
    QTest::newRow("three-digit first group") << QStringLiteral("100,000") << 100000.0;
    QTest::newRow("grouped negative") << QStringLiteral("-1,000") << -1000.0;
    QTest::newRow("grouped with plus") << QStringLiteral("+1,000") << 1000.0;
    QTest::newRow("grouped, trailing point") << QStringLiteral("1,000.") << 1000.0;
    QTest::newRow("grouped cell with CR LF") << QStringLiteral("1,200\r\n") << 1200.0;
    QTest::newRow("full-width comma") << QStringLiteral("１，２００") << 1200.0;
    QTest::newRow("mixed-width comma") << QStringLiteral("1，200") << 1200.0;
    QTest::newRow("full-width grouped decimal") << QStringLiteral("１２，３４５．５") << 12345.5;
}

void TestNumberText::readsNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const NumberResult result = textToNumber(text);
    QCOMPARE(result.status, NumberStatus::Ok);
    QCOMPARE(result.value, expected);
}

void TestNumberText::refusesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<NumberStatus>("status");

    const auto nan = NumberStatus::NotANumber;
    QTest::newRow("empty") << QString() << nan;
    QTest::newRow("blanks only") << QStringLiteral("  \u3000") << nan;
    QTest::newRow("point only") << QStringLiteral(".") << nan;
    QTest::newRow("sign only") << QStringLiteral("-") << nan;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << nan;
    QTest::newRow("two signs") << QStringLiteral("--1") << nan;
    QTest::newRow("trailing letters") << QStringLiteral("12mm") << nan;
    QTest::newRow("inner blank") << QStringLiteral("1 2") << nan;
    QTest::newRow("decimal comma") << QStringLiteral("6,5") << nan;
    QTest::newRow("CR inside") << QStringLiteral("2\r50") << nan;
    QTest::newRow("two cells of a row") << QStringLiteral("250\t4") << nan;

    // Commas other than whole-part groups of three.
    QTest::newRow("comma, one digit after") << QStringLiteral("1,5") << nan;
    QTest::newRow("comma, two digits after") << QStringLiteral("12,34") << nan;
    QTest::newRow("first group of four") << QStringLiteral("1234,567") << nan;
    QTest::newRow("later group of four") << QStringLiteral("1,2345") << nan;
    QTest::newRow("first group starts with 0") << QStringLiteral("0,001") << nan;
    QTest::newRow("two commas") << QStringLiteral("1,,000") << nan;
    QTest::newRow("leading comma") << QStringLiteral(",100") << nan;
    QTest::newRow("trailing comma") << QStringLiteral("100,") << nan;
    QTest::newRow("comma after the sign") << QStringLiteral("-,100") << nan;
    QTest::newRow("comma after the point") << QStringLiteral("1.000,5") << nan;
    QTest::newRow("grouped fraction") << QStringLiteral("0.123,456") << nan;
    QTest::newRow("grouped mantissa with exponent") << QStringLiteral("1,200e3") << nan;
    QTest::newRow("comma in the exponent") << QStringLiteral("1e1,000") << nan;
    QTest::newRow("comma alone") << QStringLiteral(",") << nan;
    QTest::newRow("full-width comma, bad group") << QStringLiteral("１，２") << nan;
    QTest::newRow("infinity word") << QStringLiteral("inf") << nan;
    QTest::newRow("nan word") << QStringLiteral("nan") << nan;
    QTest::newRow("hex") << QStringLiteral("0x10") << nan;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << nan;
    QTest::newRow("exponent without mantissa") << QStringLiteral("e5") << nan;
    QTest::newRow("advance letter") << QStringLiteral("d") << nan;
    QTest::newRow("Chinese text") << QStringLiteral("十二") << nan;
    QTest::newRow("NUL inside") << QString(QStringLiteral("1") + QChar(0) + QStringLiteral("2"))
                                << nan;

    const auto big = NumberStatus::OutOfRange;
    QTest::newRow("overflowing exponent") << QStringLiteral("1e999") << big;
    QTest::newRow("negative overflow") << QStringLiteral("-1e309") << big;
    QTest::newRow("just past the largest double") << QStringLiteral("1.8e308") << big;
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << big;
    QTest::newRow("huge exponent") << QStringLiteral("1e99999999999999999999") << big;
}

void TestNumberText::refusesText()
{
    QFETCH(QString, text);
    QFETCH(NumberStatus, status);
    QCOMPARE(textToNumber(text).status, status);
}

void TestNumberText::writesNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 10.0 << QStringLiteral("10");
    QTest::newRow("zero before point") << 0.5 << QStringLiteral("0.5");
    QTest::newRow("negative") << -3.0 << QStringLiteral("-3");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("product noise hidden") << 33.3 * 3 / 100 << QStringLiteral("0.999");
    QTest::newRow("sum noise hidden") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("15 digits kept") << 123456789012345.0 << QStringLiteral("123456789012345");
    QTest::newRow("16 digits go to exponent")
        << 1234567890123456.0 << QStringLiteral("1.23456789012346e+15");
    QTest::newRow("small value") << 0.0001 << QStringLiteral("0.0001");
    QTest::newRow("smaller value in exponent form") << 0.00001 << QStringLiteral("1e-05");
    QTest::newRow("largest double stays readable")
        << std::numeric_limits<double>::max() << QStringLiteral("1.79769313486231e+308");
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << QStringLiteral("4.94065645841247e-324");
}

void TestNumberText::writesNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(numberToText(value), expected);
}

// Every text written reads back, and reading it and writing again gives the same
// text: a total length written into a field is the total length the next step reads.
void TestNumberText::writtenTextReadsBack()
{
    QRandomGenerator random(20261207);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 2 == 0) {
            // Any finite bit pattern, across the whole range.
            quint64 bits = random.generate64();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            // Everyday lengths and weights.
            value = random.bounded(100000.0) * (random.bounded(2) ? 1 : -1);
        }
        const QString text = numberToText(value);
        const NumberResult back = textToNumber(text);
        QVERIFY2(back.status == NumberStatus::Ok, qPrintable(text));
        QCOMPARE(numberToText(back.value), text);
        if (value != 0.0 && std::isnormal(value))
            QVERIFY2(std::fabs(back.value - value) <= std::fabs(value) * 1e-14, qPrintable(text));
    }
}

// Grouping changes nothing of the value: the same digits with and without commas read
// to the same double, over whole parts of every length and a spread of fractions.
void TestNumberText::groupedReadsAsUngrouped()
{
    QRandomGenerator random(12345);
    for (int i = 0; i < 20000; ++i) {
        const int wholeDigits = 4 + i % 15;
        QString whole = QString::number(1 + random.bounded(9));
        for (int d = 1; d < wholeDigits; ++d)
            whole += QString::number(random.bounded(10));
        QString grouped;
        for (int d = 0; d < whole.size(); ++d) {
            if (d > 0 && (whole.size() - d) % 3 == 0)
                grouped += i % 3 == 0 ? QChar(0xFF0C) : QLatin1Char(',');
            grouped += whole.at(d);
        }
        QString fraction;
        if (i % 2)
            fraction = QLatin1Char('.') + QString::number(random.bounded(1000000));
        const QString sign = i % 5 == 0 ? QStringLiteral("-") : QString();
        const NumberResult withCommas = textToNumber(sign + grouped + fraction);
        const NumberResult without = textToNumber(sign + whole + fraction);
        QVERIFY2(withCommas.status == NumberStatus::Ok, qPrintable(grouped));
        QVERIFY2(withCommas.value == without.value, qPrintable(grouped)); // exact, not fuzzy
    }
}

void TestNumberText::writesShortIntegers()
{
    QCOMPARE(shortToText(6), QStringLiteral("6"));
    QCOMPARE(shortToText(50), QStringLiteral("50"));
    QCOMPARE(shortToText(-32768), QStringLiteral("-32768"));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
