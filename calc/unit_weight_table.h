#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

/// One row: a bar diameter and the nominal mass of one metre of that bar.
struct UnitWeightRow {
    double diameterMm;
    double kgPerMetre;
};

/// The rows in the order the calculation tests them.
constexpr std::array<UnitWeightRow, 18> unitWeightTable{{
    {6, 0.222},
    {6.5, 0.26},
    {8, 0.395},
    {9, 0.499},
    {10, 0.617},
    {12, 0.888},
    {14, 1.21},
    {16, 1.58},
    {18, 2},
    {20, 2.47},
    {22, 2.98},
    {25, 3.85},
    {28, 4.83},
    {30, 5.55},
    {32, 6.31},
    {36, 7.99},
    {40, 9.87},
    {50, 15.42},
}};

/// The mass per metre of the table's row `row` when `diameterMm` is that row's diameter
/// exactly (so "12.0" finds 12); nothing otherwise.
std::optional<double> massPerMetreInRow(std::size_t row, double diameterMm);

/// The mass per metre of the row whose diameter is `diameterMm`; the diameters are
/// distinct, so at most one row matches. Nothing when none does.
std::optional<double> massPerMetre(double diameterMm);

/// The table's diameters as a person reads them: "6、6.5、8、…、50".
std::u16string tableDiametersText();
