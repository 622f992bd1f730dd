#include "unit_weight_table.h"

#include "impossible.h"
#include "number_text.h"

std::u16string tableDiametersText()
{
    std::u16string diameters;
    for (const UnitWeightRow &row : unitWeightTable) {
        if (!diameters.empty())
            diameters += u'、';
        diameters += numberToText(row.diameterMm);
    }
    return diameters;
}

std::optional<double> massPerMetreInRow(std::size_t row, double diameterMm)
{
    if (row >= unitWeightTable.size())
        impossible("the unit-weight table has no such row");
    const UnitWeightRow &stored = unitWeightTable[row];
    if (diameterMm == stored.diameterMm)
        return stored.kgPerMetre;
    return std::nullopt;
}

std::optional<double> massPerMetre(double diameterMm)
{
    std::optional<double> found;
    for (std::size_t row = 0; row < unitWeightTable.size(); ++row) {
        if (const auto mass = massPerMetreInRow(row, diameterMm))
            found = mass;
    }
    return found;
}
