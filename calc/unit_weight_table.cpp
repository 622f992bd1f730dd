#include "unit_weight_table.h"

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
