#include "number_text.h"
#include "rounding.h"
#include "row_name.h"
#include "unit_weight_table.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

struct RoundRow {
    const char *name;
    double value;
    int places;
    const char *expected;
};

const RoundRow roundRows[] = {
    {"0.745 kg rounds up to 0.75", 0.25 * 2.98, 2, "0.75"},
    {"0.605 kg rounds up to 0.61", 0.5 * 1.21, 2, "0.61"},
    {"0.888 rounds to 0.89", 0.888, 2, "0.89"},
    {"1.005 rounds up", 1.005, 2, "1.01"},
    {"2.675 rounds up", 2.675, 2, "2.68"},
    {"0.125 rounds away from even", 0.125, 2, "0.13"},
    {"below half rounds down", 0.1249999, 2, "0.12"},
    {"negative half away from zero", -0.745, 2, "-0.75"},
    {"carry through nines", 9.995, 2, "10"},
    {"tiny value to zero", 0.004, 2, "0"},
    {"half of the last place", 0.005, 2, "0.01"},
    {"large value unchanged", 123456789012.345, 2, "123456789012.35"},
    {"beyond 15 digits unchanged", 1e20, 2, "1e+20"},
    {"zero places", 2.5, 0, "3"},
};

class RoundsHalfAwayFromZero : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundsHalfAwayFromZero, Row)
{
    const RoundRow &row = GetParam();
    EXPECT_EQ(utf8(numberToText(roundToDecimals(row.value, row.places))), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rounding, RoundsHalfAwayFromZero, testing::ValuesIn(roundRows),
                         ByRowName());

// The decimal text of a whole number of cents, as the program writes it: "12", "12.3",
// "12.34".
std::string centsText(std::int64_t cents)
{
    std::string text = std::to_string(cents / 100);
    const int fraction = static_cast<int>(cents % 100);
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

// Lengths from 1 mm to 100 m in steps of 1 mm against every mass of the table: the
// weight shown must be the exact decimal product rounded half away from zero, as a
// person gets it by hand. Integers hold the exact products (units of 1e-6 kg).
TEST(Rounding, matchesExactDecimalArithmetic)
{
    int checked = 0;
    for (const UnitWeightRow &row : unitWeightTable) {
        const auto massThousandths = static_cast<std::int64_t>(std::llround(row.kgPerMetre * 1000));
        for (std::int64_t millimetres = 1; millimetres <= 100000; ++millimetres) {
            const std::int64_t micrograms = millimetres * massThousandths; // 1e-6 kg
            const std::string expected = centsText((micrograms + 5000) / 10000);

            const double metres = textToNumber(numberToText(millimetres / 1000.0)).value;
            const std::string shown =
                utf8(numberToText(roundToDecimals(metres * row.kgPerMetre, 2)));
            ASSERT_EQ(shown, expected) << utf8(numberToText(metres)) << " m x "
                                       << utf8(numberToText(row.kgPerMetre)) << " kg/m";
            ++checked;
        }
    }
    EXPECT_EQ(checked, 18 * 100000);
}

} // namespace
