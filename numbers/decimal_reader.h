#pragma once

#include <string_view>

// The program's one reader of decimal texts, the same code on every platform. It uses
// neither std::from_chars for double, which not every C++ library has, nor the C
// library's strtod, which follows the locale and rounds differently from one C runtime
// to another; so every build reads every text as the same double.

enum class DecimalStatus {
    Ok,
    NotANumber, ///< not of the form readDecimal reads
    Underflow,  ///< not zero, but nearer to 0 than to the smallest double: reads as 0
    Overflow,   ///< rounds past the largest double: reads as infinity
};

struct DecimalValue {
    DecimalStatus status = DecimalStatus::NotANumber;
    double value = 0.0;
};

/// Reads an unsigned decimal in ASCII: digits with at most one point and at least one
/// digit ("12", ".5", "3.", "0.25"), then optionally 'e' or 'E', a sign and digits
/// ("1.25e-3"). Nothing else, not even a blank. The value is the double nearest to the
/// decimal, and of two equally near the one with an even last bit, however many digits
/// the text has.
DecimalValue readDecimal(std::string_view text);
