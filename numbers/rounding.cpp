#include "rounding.h"

#include "decimal_reader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

constexpr int significantDigits = 15;

// The double a decimal text of ours stands for; infinity past the largest double.
double decimalValue(const std::string &text)
{
    return readDecimal(text).value;
}

// The exponent to_chars writes after 'e': a sign and at least two digits.
int exponentValue(std::string_view text)
{
    int exponent = 0;
    for (const char c : text.substr(1))
        exponent = exponent * 10 + (c - '0');
    return text[0] == '-' ? -exponent : exponent;
}

} // namespace

double roundToDecimals(double value, int places)
{
    if (!std::isfinite(value) || value == 0.0)
        return value;

    // The decimal figure at 15 significant digits: d.dddddddddddddd e X
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, significantDigits - 1);
    const std::string scientific(buffer, written.ptr);
    const std::size_t exponentAt = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, exponentAt - 2);
    const int exponent = exponentValue(std::string_view(scientific).substr(exponentAt + 1));

    // Digits kept: the integer digits plus `places` decimals.
    const int keep = exponent + 1 + places;
    const double sign = value < 0 ? -1.0 : 1.0;
    if (keep >= significantDigits)
        return sign * decimalValue(digits + 'e' + std::to_string(exponent + 1 - significantDigits));
    if (keep < 0)
        return 0.0;

    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    std::string kept =
        keep == 0 ? std::string("0") : digits.substr(0, static_cast<std::size_t>(keep));
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
            kept[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    return sign * decimalValue(kept + "e" + std::to_string(-places));
}
