#include "weight.h"

#include "rounding.h"

namespace {

constexpr int resultDecimals = 2;

} // namespace

double totalLengthMetres(double singleCm, double count)
{
    return (singleCm * count) / 100;
}

double roundedWeightKg(double metres, double kgPerMetre)
{
    return roundToDecimals(metres * kgPerMetre, resultDecimals);
}
