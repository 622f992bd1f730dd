#include "rounding.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr int significantDigits = 15;

double readDecimal(const std::string &text)
{
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    return result;
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
    const int exponent = std::stoi(scientific.substr(exponentAt + 1));

    // Digits kept: the integer digits plus `places` decimals.
    const int keep = exponent + 1 + places;
    const double sign = value < 0 ? -1.0 : 1.0;
    if (keep >= significantDigits)
        return sign * readDecimal(digits + 'e' + std::to_string(exponent + 1 - significantDigits));
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
    return sign * readDecimal(kept + "e" + std::to_string(-places));
}
