// A case no correct caller makes (a control Form1 does not have, a row the table does
// not have) ends the program through impossible(), with its message on standard error:
// the same on every build, exceptions or none.

#include "impossible.h"
#include "row_name.h"
#include "stored_form.h"
#include "unit_weight_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

constexpr auto noSuchControl = static_cast<Control>(99);
constexpr auto negativeControl = static_cast<Control>(-1);

struct ImpossibleRow {
    const char *name;
    std::function<void()> call;
    const char *message; ///< what standard error says
};

const ImpossibleRow impossibleRows[] = {
    {"stored control of an unknown control", [] { (void)storedControl(noSuchControl); },
     "impossible case: Form1 has no such control"},
    {"name of an unknown control", [] { (void)controlName(noSuchControl); },
     "impossible case: Form1 has no such control"},
    {"name of a negative control", [] { (void)controlName(negativeControl); },
     "impossible case: Form1 has no such control"},
    {"caption naming an unknown control", [] { (void)nameOf(noSuchControl); },
     "impossible case: Form1 has no such control"},
    {"unit weight of a row past the table",
     [] { (void)massPerMetreInRow(unitWeightTable.size(), 6.0); },
     "impossible case: the unit-weight table has no such row"},
    {"impossible itself", [] { impossible("told so"); }, "impossible case: told so"},
};

void PrintTo(const ImpossibleRow &row, std::ostream *out)
{
    *out << row.name;
}

class EndsTheProgram : public testing::TestWithParam<ImpossibleRow> {};

TEST_P(EndsTheProgram, Row)
{
#if GTEST_HAS_DEATH_TEST
    EXPECT_DEATH(GetParam().call(), GetParam().message);
#else
    GTEST_SKIP() << "this GoogleTest build has no death tests";
#endif
}

INSTANTIATE_TEST_SUITE_P(ImpossibleCases, EndsTheProgram, testing::ValuesIn(impossibleRows),
                         ByRowName());

// The rows that exist are found, so the way out above is taken only off the table.
TEST(ImpossibleCases, everyControlAndRowIsFound)
{
    for (int i = 0; i <= static_cast<int>(Control::Option2); ++i) {
        const auto control = static_cast<Control>(i);
        EXPECT_NE(controlName(control), nullptr);
        if (control != Control::Form1) {
            EXPECT_EQ(storedControl(control).control, control);
        }
    }
    for (std::size_t row = 0; row < unitWeightTable.size(); ++row)
        EXPECT_TRUE(massPerMetreInRow(row, unitWeightTable[row].diameterMm));
}

} // namespace
