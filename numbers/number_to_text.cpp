#include "number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int significantDigits = 15;

std::string formatGeneral(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    return std::string(buffer, result.ptr);
}

// Lowers the last significant digit of a text by one. Used only at the very top of
// the double range, where rounding to 15 digits went past the largest double.
void lowerLastDigit(std::string &text)
{
    const std::size_t exponentAt = text.find('e');
    std::size_t i = (exponentAt == std::string::npos ? text.size() : exponentAt) - 1;
    while (text[i] == '.')
        --i;
    --text[i]; // never '0': the general format drops trailing zeros
}

std::u16string fromAscii(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace

std::u16string numberToText(double value)
{
    if (value == 0.0)
        return u"0"; // also for negative zero
    std::string text = formatGeneral(value);
    if (std::isfinite(value) && textToNumber(fromAscii(text)).status != NumberStatus::Ok)
        lowerLastDigit(text);
    return fromAscii(text);
}

std::u16string shortToText(std::int16_t value)
{
    return integerToText(value);
}

std::u16string integerToText(std::int32_t value)
{
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return fromAscii(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)));
}

int textLength(std::u16string_view text)
{
    return static_cast<int>(text.size());
}
