#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number <-> text for everything the user types and everything the program writes
// back into a field. Kept locale-independent: the decimal point is always '.', so a
// result written into a field always reads back, whatever the system locale says.

enum class NumberStatus {
    Ok,
    NotANumber, ///< empty, letters, two points, "inf", hex, ...
    OutOfRange, ///< a well-formed number beyond the range of a double
};

struct NumberResult {
    NumberStatus status = NumberStatus::NotANumber;
    double value = 0.0; ///< meaningful only when status is Ok
};

/// Reads a decimal number: optional sign, digits with at most one point, optional
/// exponent. The whole part may be grouped in threes by commas ("1,200", "12,345.5")
/// when there is no exponent. Surrounding blanks (space, tab, CR, LF, U+3000) are
/// ignored, and the full-width characters a Chinese input method types (digits,
/// point, "。", comma, signs, "Ｅ") count as their ASCII forms. A value that
/// underflows reads as 0.
NumberResult textToNumber(std::u16string_view text);

/// Writes a finite double with at most 15 significant digits, as printf's "%.15g"
/// does but without locale or the C runtime: "0.5", "-3", "1e+20"; negative zero is "0". Every text
/// it writes reads back through textToNumber.
std::u16string numberToText(double value);

/// Decimal digits of a 16-bit integer ("6", "12").
std::u16string shortToText(std::int16_t value);
/// Decimal digits of a 32-bit integer.
std::u16string integerToText(std::int32_t value);

/// Number of characters of a text, counted as the text fields count them.
int textLength(std::u16string_view text);
