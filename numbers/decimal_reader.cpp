#include "decimal_reader.h"

#include "big_unsigned.h"

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == sizeof(std::uint64_t),
              "doubles are IEEE 754 binary64: the reader builds their bits");

namespace {

// Digits kept of a long decimal. A value halfway between two doubles has at most 767
// significant digits, so digits past the 800th can only tell that the decimal lies a
// little above its first 800; one digit 1 after them stands for all of them.
constexpr std::size_t keptDigits = 800;

// An exponent this large is as good as any larger one, and leaves room to add the
// count of a text's digits without overflowing.
constexpr long long exponentLimit = 1000000000000000LL;

// A decimal as its significant digits, without leading or trailing zeros (none for
// zero), times a power of ten.
struct Decimal {
    std::string digits;
    long long exponent = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool parse(std::string_view text, Decimal &decimal)
{
    std::size_t i = 0;
    bool point = false;
    bool anyDigit = false;
    bool droppedNonZero = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c))
            break;
        anyDigit = true;
        if (point)
            --decimal.exponent;
        if (decimal.digits.empty() && c == '0')
            continue; // a leading zero
        if (decimal.digits.size() < keptDigits) {
            decimal.digits.push_back(c);
        } else {
            ++decimal.exponent; // this digit's place is not in the kept digits
            droppedNonZero = droppedNonZero || c != '0';
        }
    }
    if (!anyDigit)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        const std::size_t digitsBegin = i;
        long long exponent = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            if (exponent < exponentLimit)
                exponent = exponent * 10 + (text[i] - '0');
        }
        if (i == digitsBegin)
            return false;
        decimal.exponent += negative ? -exponent : exponent;
    }
    if (i != text.size())
        return false;
    if (droppedNonZero) {
        decimal.digits.push_back('1');
        --decimal.exponent;
    }
    while (!decimal.digits.empty() && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
        ++decimal.exponent;
    }
    return true;
}

constexpr std::uint64_t bit(int index)
{
    return std::uint64_t(1) << index;
}

DecimalValue fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return {DecimalStatus::Ok, value};
}

// Where doubles are computed as doubles (no wider x87 registers), one multiplication or
// division of two exactly held doubles is rounded once, to nearest: the decimal's own
// rounding, when its digits and its power of ten are both exact doubles.
constexpr bool exactDoubleArithmetic = FLT_EVAL_METHOD == 0;

DecimalValue fastPath(const Decimal &decimal)
{
    constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t digits = 0;
    for (const char c : decimal.digits)
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    const double mantissa = static_cast<double>(digits); // below 10^15 < 2^53: exact
    const double power = powers[decimal.exponent < 0 ? -decimal.exponent : decimal.exponent];
    return {DecimalStatus::Ok, decimal.exponent < 0 ? mantissa / power : mantissa * power};
}

// The double nearest to digits × 10^exponent, by exact integer arithmetic: the decimal
// becomes a ratio of two integers, scaled by a power of two so that the quotient holds
// 54 or 55 bits; the bits below the 53 kept, with the remainder, decide the rounding.
DecimalValue exactPath(const Decimal &decimal)
{
    BigUnsigned numerator = BigUnsigned::fromDigits(decimal.digits);
    BigUnsigned denominator(1);
    if (decimal.exponent >= 0)
        numerator.multiplyByPowerOfTen(decimal.exponent);
    else
        denominator.multiplyByPowerOfTen(-decimal.exponent);

    // numerator / denominator lies between 2^(a-b-1) and 2^(a-b+1) for bit lengths a
    // and b, so over 2^scale it lies between 2^53 and 2^55. The scale goes no lower
    // than one bit below the smallest subnormal's place: no double has a bit below
    // that, and the remainder tells whether anything lies beyond.
    const long long scale = std::max(static_cast<long long>(numerator.bitLength())
                                         - static_cast<long long>(denominator.bitLength()) - 54,
                                     -1075LL);
    if (scale < 0)
        numerator.shiftLeft(static_cast<std::size_t>(-scale));
    else
        denominator.shiftLeft(static_cast<std::size_t>(scale));
    const std::uint64_t quotient = numerator.divideSmallQuotient(denominator, 55);
    const bool remainder = !numerator.isZero();

    int length = 0;
    while (length < 64 && (quotient >> length) != 0)
        ++length;
    // The place of the result's last bit: 53 bits below its first, or the smallest
    // subnormal's. The bits of the quotient below it are 1 or 2.
    long long last = std::max(scale + length - 53, -1074LL);
    const int dropped = static_cast<int>(last - scale);
    std::uint64_t mantissa = quotient >> dropped;
    const std::uint64_t rest = quotient & (bit(dropped) - 1);
    const std::uint64_t half = bit(dropped - 1);
    if (rest > half || (rest == half && (remainder || (mantissa & 1) != 0)))
        ++mantissa;
    if (mantissa == bit(53)) {
        mantissa >>= 1;
        ++last;
    }

    if (mantissa == 0)
        return {DecimalStatus::Underflow, 0.0};
    if (mantissa < bit(52))
        return fromBits(mantissa); // a subnormal: its last bit is the smallest's place
    const long long biasedExponent = last + 1075;
    if (biasedExponent >= 2047)
        return {DecimalStatus::Overflow, std::numeric_limits<double>::infinity()};
    return fromBits(static_cast<std::uint64_t>(biasedExponent) << 52 | (mantissa - bit(52)));
}

} // namespace

DecimalValue readDecimal(std::string_view text)
{
    Decimal decimal;
    if (!parse(text, decimal))
        return {DecimalStatus::NotANumber, 0.0};
    if (decimal.digits.empty())
        return {DecimalStatus::Ok, 0.0};

    // The power of ten of the leading digit. From 10^309 up every decimal is past the
    // largest double (1.8e308); below 10^-324 every one is nearer to 0 than to the
    // smallest (4.9e-324).
    const long long leading = static_cast<long long>(decimal.digits.size()) - 1 + decimal.exponent;
    if (leading > 308)
        return {DecimalStatus::Overflow, std::numeric_limits<double>::infinity()};
    if (leading < -324)
        return {DecimalStatus::Underflow, 0.0};

    if (exactDoubleArithmetic && decimal.digits.size() <= 15 && decimal.exponent >= -22
        && decimal.exponent <= 22)
        return fastPath(decimal);
    return exactPath(decimal);
}
