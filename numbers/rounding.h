#pragma once

/// Rounds to `places` decimals, half away from zero, working on the decimal value of
/// `value` at 15 significant digits. That is the figure a person would round by hand:
/// 0.745 (stored as 0.74499999...) becomes 0.75. Returns infinity when the rounded
/// figure no longer fits a double, and non-finite input unchanged.
double roundToDecimals(double value, int places);
