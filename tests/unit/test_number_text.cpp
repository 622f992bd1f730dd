#include "number_text.h"
#include "row_name.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// Text read as a number, exactly the nearest double, or refused with its status.
struct ReadRow {
    const char *name;
    std::u16string text;
    double expected;
    NumberStatus status = NumberStatus::Ok;
};

constexpr auto nan = NumberStatus::NotANumber;
constexpr auto big = NumberStatus::OutOfRange;

const ReadRow readRows[] = {
    {"whole number", u"100", 100.0},
    {"decimal", u"6.5", 6.5},
    {"leading point", u".5", 0.5},
    {"trailing point", u"5.", 5.0},
    {"negative", u"-100", -100.0},
    {"explicit plus", u"+3", 3.0},
    {"exponent", u"1.5e3", 1500.0},
    {"capital exponent, signed", u"25E-1", 2.5},
    {"exponent plus sign", u"1e+2", 100.0},
    {"blanks around", u" \t12 ", 12.0},
    {"ideographic spaces", u"\u300012\u3000", 12.0},
    {"zero", u"0", 0.0},
    {"leading zeros", u"007.50", 7.5},
    {"full-width digits", u"２５０", 250.0},
    {"full-width point", u"６．５", 6.5},
    {"ideographic full stop as point", u"６。５", 6.5},
    {"full-width minus", u"－１", -1.0},
    {"full-width plus and exponent", u"＋１Ｅ２", 100.0},
    {"full-width small e", u"１ｅ１", 10.0},
    {"mixed widths", u"1２.5", 12.5},
    {"underflow reads as zero", u"1e-999", 0.0},
    {"huge exponent on zero", u"0e99999999999999999999", 0.0},
    {"underflow with long exponent", u"5e-99999999999999999999", 0.0},
    {"largest double", u"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"long fraction of small value", u"0.000000000000000000001", 1e-21},

    // A cell copied from a spreadsheet, or a line break that reached a field some
    // other way than a paste.
    {"cell copied with CR LF", u"250\r\n", 250.0},
    {"LF alone", u"250\n", 250.0},
    {"tab after the cell", u"250\t", 250.0},
    {"line breaks both sides", u"\r\n 6.5 \r\n", 6.5},

    // Whole parts grouped in threes, as "#,##0" copies them.
    {"grouped thousands", u"1,200", 1200.0},
    {"grouped with a fraction", u"12,345.5", 12345.5},
    {"grouped millions", u"1,234,567", 1234567.0},
    {"three-digit first group", u"100,000", 100000.0},
    {"grouped negative", u"-1,000", -1000.0},
    {"grouped with plus", u"+1,000", 1000.0},
    {"grouped, trailing point", u"1,000.", 1000.0},
    {"grouped cell with CR LF", u"1,200\r\n", 1200.0},
    {"full-width comma", u"１，２００", 1200.0},
    {"mixed-width comma", u"1，200", 1200.0},
    {"full-width grouped decimal", u"１２，３４５．５", 12345.5},

    // Refused.
    {"empty", u"", 0, nan},
    {"blanks only", u"  \u3000", 0, nan},
    {"point only", u".", 0, nan},
    {"sign only", u"-", 0, nan},
    {"two points", u"1.2.3", 0, nan},
    {"two signs", u"--1", 0, nan},
    {"trailing letters", u"12mm", 0, nan},
    {"inner blank", u"1 2", 0, nan},
    {"decimal comma", u"6,5", 0, nan},
    {"CR inside", u"2\r50", 0, nan},
    {"two cells of a row", u"250\t4", 0, nan},

    // Commas other than whole-part groups of three.
    {"comma, one digit after", u"1,5", 0, nan},
    {"comma, two digits after", u"12,34", 0, nan},
    {"first group of four", u"1234,567", 0, nan},
    {"later group of four", u"1,2345", 0, nan},
    {"first group starts with 0", u"0,001", 0, nan},
    {"two commas", u"1,,000", 0, nan},
    {"leading comma", u",100", 0, nan},
    {"trailing comma", u"100,", 0, nan},
    {"comma after the sign", u"-,100", 0, nan},
    {"comma after the point", u"1.000,5", 0, nan},
    {"grouped fraction", u"0.123,456", 0, nan},
    {"grouped mantissa with exponent", u"1,200e3", 0, nan},
    {"comma in the exponent", u"1e1,000", 0, nan},
    {"comma alone", u",", 0, nan},
    {"full-width comma, bad group", u"１，２", 0, nan},
    {"infinity word", u"inf", 0, nan},
    {"nan word", u"nan", 0, nan},
    {"hex", u"0x10", 0, nan},
    {"exponent without digits", u"1e", 0, nan},
    {"exponent without mantissa", u"e5", 0, nan},
    {"advance letter", u"d", 0, nan},
    {"Chinese text", u"十二", 0, nan},
    {"NUL inside", std::u16string{u'1', u'\0', u'2'}, 0, nan},

    {"overflowing exponent", u"1e999", 0, big},
    {"negative overflow", u"-1e309", 0, big},
    {"just past the largest double", u"1.8e308", 0, big},
    {"400 digits", std::u16string(400, u'9'), 0, big},
    {"huge exponent", u"1e99999999999999999999", 0, big},
};

class ReadsNumbers : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadsNumbers, Row)
{
    const ReadRow &row = GetParam();
    const NumberResult result = textToNumber(row.text);
    ASSERT_EQ(result.status, row.status);
    if (row.status == NumberStatus::Ok) {
        EXPECT_EQ(result.value, row.expected); // exact: the nearest double, no tolerance
    }
}

INSTANTIATE_TEST_SUITE_P(NumberText, ReadsNumbers, testing::ValuesIn(readRows), ByRowName());

struct WriteRow {
    const char *name;
    double value;
    std::u16string expected;
};

const WriteRow writeRows[] = {
    {"whole", 10.0, u"10"},
    {"zero before point", 0.5, u"0.5"},
    {"negative", -3.0, u"-3"},
    {"negative zero", -0.0, u"0"},
    {"product noise hidden", 33.3 * 3 / 100, u"0.999"},
    {"sum noise hidden", 0.1 + 0.2, u"0.3"},
    {"15 digits kept", 123456789012345.0, u"123456789012345"},
    {"16 digits go to exponent", 1234567890123456.0, u"1.23456789012346e+15"},
    {"small value", 0.0001, u"0.0001"},
    {"smaller value in exponent form", 0.00001, u"1e-05"},
    {"largest double stays readable", std::numeric_limits<double>::max(), u"1.79769313486231e+308"},
    {"smallest subnormal", std::numeric_limits<double>::denorm_min(), u"4.94065645841247e-324"},
};

class WritesNumbers : public testing::TestWithParam<WriteRow> {};

TEST_P(WritesNumbers, Row)
{
    EXPECT_EQ(utf8(numberToText(GetParam().value)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(NumberText, WritesNumbers, testing::ValuesIn(writeRows), ByRowName());

std::u16string digitsOf(std::uint64_t value)
{
    const std::string ascii = std::to_string(value);
    return std::u16string(ascii.begin(), ascii.end());
}

// Every text written reads back, and reading it and writing again gives the same
// text: a total length written into a field is the total length the next step reads.
TEST(NumberText, writtenTextReadsBack)
{
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 2 == 0) {
            // Any finite bit pattern, across the whole range.
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            // Everyday lengths and weights: up to 100000 with up to 6 decimals.
            value = static_cast<double>(random() % 100000000000ULL) / 1e6 * (random() % 2 ? 1 : -1);
        }
        const std::u16string text = numberToText(value);
        const NumberResult back = textToNumber(text);
        ASSERT_EQ(back.status, NumberStatus::Ok) << utf8(text);
        ASSERT_EQ(utf8(numberToText(back.value)), utf8(text));
        if (value != 0.0 && std::isnormal(value)) {
            ASSERT_LE(std::fabs(back.value - value), std::fabs(value) * 1e-14) << utf8(text);
        }
    }
}

// Grouping changes nothing of the value: the same digits with and without commas read
// to the same double, over whole parts of every length and a spread of fractions.
TEST(NumberText, groupedReadsAsUngrouped)
{
    std::mt19937_64 random(12345);
    for (int i = 0; i < 20000; ++i) {
        const int wholeDigits = 4 + i % 15;
        std::u16string whole = digitsOf(1 + random() % 9);
        for (int d = 1; d < wholeDigits; ++d)
            whole += digitsOf(random() % 10);
        std::u16string grouped;
        for (std::size_t d = 0; d < whole.size(); ++d) {
            if (d > 0 && (whole.size() - d) % 3 == 0)
                grouped += i % 3 == 0 ? u'\uFF0C' : u',';
            grouped += whole[d];
        }
        std::u16string fraction;
        if (i % 2)
            fraction = u"." + digitsOf(random() % 1000000);
        const std::u16string sign = i % 5 == 0 ? u"-" : u"";
        const NumberResult withCommas = textToNumber(sign + grouped + fraction);
        const NumberResult without = textToNumber(sign + whole + fraction);
        ASSERT_EQ(withCommas.status, NumberStatus::Ok) << utf8(grouped);
        ASSERT_EQ(withCommas.value, without.value) << utf8(grouped); // exact, not fuzzy
    }
}

TEST(NumberText, writesIntegers)
{
    EXPECT_EQ(utf8(shortToText(6)), "6");
    EXPECT_EQ(utf8(shortToText(50)), "50");
    EXPECT_EQ(utf8(shortToText(-32768)), "-32768");
    EXPECT_EQ(utf8(integerToText(1)), "1");
    EXPECT_EQ(utf8(integerToText(-2147483647 - 1)), "-2147483648");
}

} // namespace
