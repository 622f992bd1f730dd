#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

// Blanks around a number. CR and LF count too: a spreadsheet cell copied to the
// clipboard ends in a line break, and a drop or an accessibility tool can still put
// one into a field.
bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000';
}

// Maps one character to the ASCII character it stands for in a number, or 0.
char numberChar(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return static_cast<char>(c);
    if (c >= u'\uFF10' && c <= u'\uFF19') // full-width digits
        return static_cast<char>('0' + (c - u'\uFF10'));
    switch (c) {
    case u'.':
    case u'\uFF0E': // full-width full stop
    case u'\u3002': // ideographic full stop, typed for '.' in full-width mode
        return '.';
    case u'-':
    case u'\uFF0D':
        return '-';
    case u'+':
    case u'\uFF0B':
        return '+';
    case u',':
    case u'\uFF0C': // full-width comma
        return ',';
    case u'e':
    case u'E':
    case u'\uFF45':
    case u'\uFF25':
        return 'e';
    default:
        return 0;
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Takes out the commas of a whole part grouped in threes ("12,345.5"), as a
// spreadsheet copies a cell formatted "#,##0". The first group has 1 to 3 digits and
// does not start with 0, every other group has exactly 3, and the grouped number has
// no exponent. Any other comma leaves the text no number.
bool removeGrouping(std::string &s)
{
    if (s.find(',') == std::string::npos)
        return true;
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const std::size_t wholeBegin = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    const std::size_t firstGroup = i - wholeBegin;
    if (firstGroup < 1 || firstGroup > 3 || s[wholeBegin] == '0')
        return false;
    while (i < s.size() && s[i] == ',') {
        for (int digit = 1; digit <= 3; ++digit) {
            if (i + digit >= s.size() || !isDigit(s[i + digit]))
                return false;
        }
        i += 4;
    }
    if (i < s.size() && isDigit(s[i]))
        return false; // a group of more than 3 digits
    if (s.find_first_of(",e", i) != std::string::npos)
        return false;
    s.erase(std::remove(s.begin() + static_cast<std::ptrdiff_t>(wholeBegin),
                        s.begin() + static_cast<std::ptrdiff_t>(i), ','),
            s.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

// The shape of a well-formed number, found by one pass over its ASCII form.
struct Shape {
    bool negative = false;
    std::size_t mantissaBegin = 0; // first digit or point after the sign
    std::size_t intBegin = 0, intEnd = 0;
    std::size_t fracBegin = 0, fracEnd = 0;
    long long exponent = 0; // saturated, only its size matters past +-1e6
};

bool parseShape(const std::string &s, Shape &shape)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        shape.negative = s[i] == '-';
        ++i;
    }
    shape.mantissaBegin = i;
    shape.intBegin = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    shape.intEnd = i;
    shape.fracBegin = shape.fracEnd = i;
    if (i < s.size() && s[i] == '.') {
        shape.fracBegin = ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        shape.fracEnd = i;
    }
    if (shape.intEnd == shape.intBegin && shape.fracEnd == shape.fracBegin)
        return false; // no digit at all: "", ".", "-", "e5"
    if (i < s.size() && s[i] == 'e') {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        const std::size_t digitsBegin = i;
        while (i < s.size() && isDigit(s[i])) {
            if (shape.exponent < 1000000)
                shape.exponent = shape.exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (i == digitsBegin)
            return false;
        if (negativeExponent)
            shape.exponent = -shape.exponent;
    }
    return i == s.size();
}

// Decimal exponent of the leading significant digit, or nothing for a zero mantissa.
bool leadingMagnitude(const std::string &s, const Shape &shape, long long &magnitude)
{
    for (std::size_t i = shape.intBegin; i < shape.intEnd; ++i) {
        if (s[i] != '0') {
            magnitude = static_cast<long long>(shape.intEnd - i) - 1 + shape.exponent;
            return true;
        }
    }
    for (std::size_t i = shape.fracBegin; i < shape.fracEnd; ++i) {
        if (s[i] != '0') {
            magnitude = -static_cast<long long>(i - shape.fracBegin + 1) + shape.exponent;
            return true;
        }
    }
    return false;
}

} // namespace

NumberResult textToNumber(std::u16string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    std::string ascii;
    ascii.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i) {
        const char c = numberChar(text[i]);
        if (c == 0)
            return {NumberStatus::NotANumber, 0.0};
        ascii.push_back(c);
    }

    Shape shape;
    if (!removeGrouping(ascii) || !parseShape(ascii, shape))
        return {NumberStatus::NotANumber, 0.0};

    // from_chars takes no '+', so the sign is applied here.
    double magnitude = 0.0;
    const char *first = ascii.data() + shape.mantissaBegin;
    const char *last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::invalid_argument || ptr != last)
        return {NumberStatus::NotANumber, 0.0};

    long long leading = 0;
    const bool nonZero = leadingMagnitude(ascii, shape, leading);
    if (ec == std::errc::result_out_of_range || std::isinf(magnitude)) {
        // The library reports underflow and overflow alike; the exponent tells which.
        if (nonZero && leading > 0)
            return {NumberStatus::OutOfRange, 0.0};
        magnitude = 0.0;
    }
    return {NumberStatus::Ok, shape.negative ? -magnitude : magnitude};
}
