#include "fake_form.h"
#include "form1.h"
#include "unit_weight_table.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Nominal mass = 7850 kg/m³ × π d² / 4. The table prints 3 significant figures, so a
// row may differ from the density figure by rounding, but not by a slip of a digit.
TEST(UnitWeightTable, massesMatchSteelDensity)
{
    constexpr double density = 7850.0;
    const double pi = std::acos(-1.0);
    for (const UnitWeightRow &row : unitWeightTable) {
        const double metres = row.diameterMm / 1000.0;
        const double nominal = density * pi * metres * metres / 4.0;
        EXPECT_LT(std::fabs(row.kgPerMetre - nominal) / nominal, 0.005)
            << row.diameterMm << " mm: table " << row.kgPerMetre << ", density gives " << nominal;
    }
}

TEST(UnitWeightTable, diametersAscendAndAreDistinct)
{
    for (std::size_t i = 1; i < unitWeightTable.size(); ++i)
        EXPECT_LT(unitWeightTable[i - 1].diameterMm, unitWeightTable[i].diameterMm);
}

// The load handler fills the list: every whole diameter of the table, each once, in
// order (6.5 is typed, never listed).
TEST(UnitWeightTable, listHoldsTheWholeNumberDiameters)
{
    FakeForm form;
    Form1(form).load();
    const std::vector<std::u16string> expected{u"6",  u"8",  u"9",  u"10", u"12", u"14",
                                               u"16", u"18", u"20", u"22", u"25", u"28",
                                               u"30", u"32", u"36", u"40", u"50"};
    EXPECT_EQ(form.items, expected);
    // The font size is set after each item, always to 10 points.
    EXPECT_EQ(form.fontSizesSet, std::vector<float>(17, 10.0f));
    // Loading changes no text and no option.
    EXPECT_EQ(form.text(Control::Combo1), u"12");
    EXPECT_TRUE(form.optionValue(Control::Option2));
    EXPECT_TRUE(form.prompts.empty());
}

TEST(UnitWeightTable, diametersText)
{
    EXPECT_EQ(utf8(tableDiametersText()),
              "6、6.5、8、9、10、12、14、16、18、20、22、25、28、30、32、36、40、50");
}

} // namespace
