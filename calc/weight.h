#pragma once

// The arithmetic of one calculation, on numbers alone: no form, no focus, no message.
// The handlers read the fields, call these, and write the results back.

/// Total length in metres of `count` bars of `singleCm` centimetres each: the product
/// first, then divided by 100. Infinity or NaN when it leaves the range of a double.
double totalLengthMetres(double singleCm, double count);

/// The mass in kilograms of `metres` of bar of `kgPerMetre`, rounded to two decimals
/// half away from zero; infinity when it leaves the range of a double.
double roundedWeightKg(double metres, double kgPerMetre);
