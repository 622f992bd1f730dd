// The decimal reader gives the double nearest to the decimal, ties to even, on every
// platform. Checked two ways: rows whose answer the compiler itself works out (a
// floating literal is converted correctly rounded, a hexadecimal one exactly), and, on
// Linux, a large generated set against glibc's strtod in the "C" locale, which is
// correctly rounded too.

#include "decimal_reader.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr auto ok = DecimalStatus::Ok;
constexpr auto nan = DecimalStatus::NotANumber;
constexpr auto under = DecimalStatus::Underflow;
constexpr auto over = DecimalStatus::Overflow;
constexpr double infinity = std::numeric_limits<double>::infinity();

struct ReadRow {
    const char *name;
    std::string text;
    double expected;
    DecimalStatus status = ok;
};

// The text is the literal as written; the compiler's conversion of it is the answer.
#define AS_WRITTEN(name, literal)                                                                  \
    ReadRow                                                                                        \
    {                                                                                              \
        name, #literal, literal                                                                    \
    }

std::string repeated(char c, std::size_t count)
{
    return std::string(count, c);
}

const ReadRow readRows[] = {
    AS_WRITTEN("integer", 250.0),
    AS_WRITTEN("one tenth", 0.1),
    AS_WRITTEN("everyday length", 1234.567),
    AS_WRITTEN("ten to the 23rd, past the exact powers", 1e23),
    AS_WRITTEN("17 digits", 0.30000000000000004),
    AS_WRITTEN("the value that hung other readers", 2.2250738585072011e-308),
    AS_WRITTEN("a long mantissa with a small exponent", 123456789012345678901234567890e-40),
    {"halfway above 2^53 goes down to even", "9007199254740993", 0x1p53},
    {"halfway above 2^53 + 2 goes up to even", "9007199254740995", 0x1p53 + 4},
    {"just above halfway goes up", "9007199254740993.0000000000000000000001", 0x1p53 + 2},
    {"halfway with 900 zeros after it stays a tie",
     "9007199254740993" + repeated('0', 900) + "e-900", 0x1p53},
    {"a 1 after 900 zeros breaks the tie", "9007199254740993" + repeated('0', 900) + "1e-901",
     0x1p53 + 2},
    {"smallest subnormal", "4.9406564584124654e-324", 0x1p-1074},
    {"just below half the smallest subnormal", "2.4703282292062327e-324", 0.0, under},
    {"just above half the smallest subnormal", "2.4703282292062328e-324", 0x1p-1074},
    {"largest subnormal", "2.2250738585072009e-308", 0x0.fffffffffffffp-1022},
    {"smallest normal", "2.2250738585072014e-308", 0x1p-1022},
    {"largest double", "1.7976931348623157e308", DBL_MAX},
    {"past the largest, nearer to it", "1.7976931348623158e308", DBL_MAX},
    {"past halfway to 2^1024", "1.7976931348623159e308", infinity, over},
    {"ten to the 309th", "1e309", infinity, over},
    {"huge exponent", "1e99999999999999999999999", infinity, over},
    {"tiny exponent", "1e-99999999999999999999999", 0.0, under},
    {"below every subnormal", "1e-400", 0.0, under},
    {"zero with a huge exponent", "0e999999999", 0.0},
    {"zeros only", "000.000", 0.0},
    {"one third in 900 digits", "0." + repeated('3', 900), 1.0 / 3.0},
    {"leading and trailing zeros", "000123.4500", 123.45},
    {"trailing point", "5.", 5.0},
    {"leading point", ".5", 0.5},
    {"capital E", "25E-1", 2.5},
    {"exponent with plus", "1e+2", 100.0},
    {"exponent with leading zeros", "1e-0005", 1e-5},

    {"empty", "", 0.0, nan},
    {"point alone", ".", 0.0, nan},
    {"exponent without mantissa", "e5", 0.0, nan},
    {"exponent without digits", "1e", 0.0, nan},
    {"exponent sign without digits", "1e+", 0.0, nan},
    {"fraction in the exponent", "1e5.5", 0.0, nan},
    {"sign", "-1", 0.0, nan},
    {"plus sign", "+1", 0.0, nan},
    {"blank before", " 1", 0.0, nan},
    {"blank after", "1 ", 0.0, nan},
    {"two points", "1.2.3", 0.0, nan},
    {"hex", "0x10", 0.0, nan},
    {"infinity word", "inf", 0.0, nan},
    {"comma", "1,000", 0.0, nan},
};

void PrintTo(const ReadRow &row, std::ostream *out)
{
    *out << '"' << row.text << '"';
}

class ReadsDecimals : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadsDecimals, Row)
{
    const ReadRow &row = GetParam();
    const DecimalValue read = readDecimal(row.text);
    ASSERT_EQ(read.status, row.status);
    if (row.status != nan) {
        // Bit for bit: the nearest double, no tolerance.
        EXPECT_EQ(bitsOf(read.value), bitsOf(row.expected)) << read.value << " " << row.expected;
    }
}

INSTANTIATE_TEST_SUITE_P(DecimalReader, ReadsDecimals, testing::ValuesIn(readRows), ByRowName());

// A family of generated texts, each to be read as strtod reads it.
struct Family {
    const char *name;
    std::uint64_t seed;
    int count;
    std::function<std::string(std::mt19937_64 &)> make;
};

std::string digitsText(std::mt19937_64 &random, int count)
{
    std::string digits;
    for (int i = 0; i < count; ++i)
        digits += static_cast<char>('0' + random() % 10);
    return digits;
}

int between(std::mt19937_64 &random, int low, int high)
{
    return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
}

// Digits with the point somewhere among them (or not at all) and an exponent.
std::string randomDecimal(std::mt19937_64 &random, int minDigits, int maxDigits, int minExponent,
                          int maxExponent)
{
    std::string text = digitsText(random, between(random, minDigits, maxDigits));
    const int point = between(random, -1, static_cast<int>(text.size()));
    if (point >= 0)
        text.insert(static_cast<std::size_t>(point), ".");
    return text + "e" + std::to_string(between(random, minExponent, maxExponent));
}

double randomPositiveDouble(std::mt19937_64 &random)
{
    for (;;) {
        double value;
        const std::uint64_t bits = random() >> 1; // sign bit clear
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            return value;
    }
}

// The exact decimal of the point halfway from a double to the next one up, in 800
// digits after the first: glibc's printf writes a long double exactly, and a long
// double of 64 bits or more holds the halfway point of two doubles.
std::string halfwayAbove(double value)
{
    // The place of the double's last bit, less one; subnormals share the smallest's.
    const int exponent = value == 0.0 ? -1022 : std::max(std::ilogb(value), -1022);
    const long double halfway = static_cast<long double>(value) + std::ldexp(1.0L, exponent - 53);
    char buffer[1000];
    std::snprintf(buffer, sizeof buffer, "%.800Le", halfway);
    return buffer;
}

double subnormalOrSmallest(std::mt19937_64 &random)
{
    const std::uint64_t bits = random() % 2 ? random() % 64 : random() % (std::uint64_t(1) << 52);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The halfway point nudged a little: a digit 1 written after its last digit puts it
// just above; its last nonzero digit lowered by one puts it just below.
std::string nudged(std::string text, bool up)
{
    const std::size_t exponentAt = text.find('e');
    if (up) {
        text.insert(exponentAt, "1");
    } else {
        --text[text.find_last_not_of('0', exponentAt - 1)]; // a digit from 1 to 9
    }
    return text;
}

const Family families[] = {
    {"1 to 40 digits, exponents -350 to 330", 1001, 100000,
     [](std::mt19937_64 &r) { return randomDecimal(r, 1, 40, -350, 330); }},
    {"up to 15 digits, exponents -22 to 22", 1002, 30000,
     [](std::mt19937_64 &r) { return randomDecimal(r, 1, 15, -22, 22); }},
    {"100 to 1000 digits", 1003, 2000,
     [](std::mt19937_64 &r) { return randomDecimal(r, 100, 1000, -1330, 300); }},
    {"near the smallest subnormal", 1004, 5000,
     [](std::mt19937_64 &r) { return randomDecimal(r, 1, 25, -345, -320); }},
    {"near the largest double", 1005, 5000,
     [](std::mt19937_64 &r) {
         return "1.7976931348623" + digitsText(r, between(r, 0, 30)) + "e308";
     }},
    {"exactly halfway between two doubles", 1006, 5000,
     [](std::mt19937_64 &r) { return halfwayAbove(randomPositiveDouble(r)); }},
    {"just above halfway", 1007, 5000,
     [](std::mt19937_64 &r) { return nudged(halfwayAbove(randomPositiveDouble(r)), true); }},
    {"just below halfway", 1008, 5000,
     [](std::mt19937_64 &r) { return nudged(halfwayAbove(randomPositiveDouble(r)), false); }},
    {"halfway between subnormals", 1009, 5000,
     [](std::mt19937_64 &r) { return halfwayAbove(subnormalOrSmallest(r)); }},
    {"halfway points at the edges of the range", 1011, 300,
     [](std::mt19937_64 &r) {
         const double edges[] = {0.0, 0x1p-1074, 0x0.fffffffffffffp-1022, 0x1p-1022, 1.0, DBL_MAX};
         const std::string halfway = halfwayAbove(edges[r() % 6]);
         const auto way = r() % 3;
         return way == 0 ? halfway : nudged(halfway, way == 1);
     }},
    {"integers around 2^53", 1010, 2000,
     [](std::mt19937_64 &r) {
         return std::to_string((std::uint64_t(1) << 53) - 1000 + r() % 2000)
                + (r() % 2 ? "" : ".000");
     }},
};

void PrintTo(const Family &family, std::ostream *out)
{
    *out << family.name;
}

class MatchesStrtod : public testing::TestWithParam<Family> {};

TEST_P(MatchesStrtod, Family)
{
#if defined(__GLIBC__)
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ".");
    ASSERT_GE(std::numeric_limits<long double>::digits, 54);
    const Family &family = GetParam();
    std::mt19937_64 random(family.seed);
    for (int i = 0; i < family.count; ++i) {
        const std::string text = family.make(random);
        const double expected = std::strtod(text.c_str(), nullptr);
        const DecimalValue read = readDecimal(text);
        ASSERT_EQ(bitsOf(read.value), bitsOf(expected)) << text;
        const bool nonZero = text.find_first_of("123456789") < text.find_first_of("eE");
        const DecimalStatus status = std::isinf(expected)         ? over
                                     : expected == 0.0 && nonZero ? under
                                                                  : ok;
        ASSERT_EQ(read.status, status) << text;
    }
#else
    GTEST_SKIP() << "strtod is the oracle only where it is correctly rounded (glibc); "
                    "msvcrt's is not on older Windows";
#endif
}

INSTANTIATE_TEST_SUITE_P(DecimalReader, MatchesStrtod, testing::ValuesIn(families), ByRowName());

} // namespace
