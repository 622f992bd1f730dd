#include "unit_weight_table.h"

#include "number_text.h"

#include <QStringList>

QString tableDiametersText()
{
    QStringList diameters;
    for (const UnitWeightRow &row : unitWeightTable)
        diameters << numberToText(row.diameterMm);
    return diameters.join(QStringLiteral("、"));
}
