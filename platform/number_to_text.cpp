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

} // namespace

QString numberToText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also for negative zero
    std::string text = formatGeneral(value);
    if (std::isfinite(value) && textToNumber(QString::fromLatin1(text)).status != NumberStatus::Ok)
        lowerLastDigit(text);
    return QString::fromLatin1(text);
}

QString shortToText(qint16 value)
{
    return QString::number(value);
}

int textLength(const QString &text)
{
    return static_cast<int>(text.size());
}
