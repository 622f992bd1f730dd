#include "number_text.h"

#include "decimal_reader.h"

#include <algorithm>
#include <string>
#include <string_view>

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

    if (!removeGrouping(ascii))
        return {NumberStatus::NotANumber, 0.0};

    // The reader takes no sign, so the sign is applied here.
    const bool negative = !ascii.empty() && ascii[0] == '-';
    const bool hasSign = !ascii.empty() && (ascii[0] == '-' || ascii[0] == '+');
    const DecimalValue read = readDecimal(std::string_view(ascii).substr(hasSign ? 1 : 0));
    switch (read.status) {
    case DecimalStatus::NotANumber:
        return {NumberStatus::NotANumber, 0.0};
    case DecimalStatus::Overflow:
        return {NumberStatus::OutOfRange, 0.0};
    case DecimalStatus::Ok:
    case DecimalStatus::Underflow: // reads as 0
        break;
    }
    return {NumberStatus::Ok, negative ? -read.value : read.value};
}
