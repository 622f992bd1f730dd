#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

/// An unsigned integer of any size, with just what the decimal reader needs to find
/// the double nearest to a decimal exactly: made from decimal digits, multiplied by
/// powers of ten and two, compared, and divided when the quotient is small.
class BigUnsigned {
public:
    explicit BigUnsigned(std::uint32_t value = 0);

    /// The integer the ASCII digits '0' to '9' spell.
    static BigUnsigned fromDigits(std::string_view digits);

    void multiplyByPowerOfTen(long long power);
    void shiftLeft(std::size_t bits);

    /// Divides by `divisor` when the quotient is known to be below 2^quotientBits
    /// (at most 64); keeps the remainder and returns the quotient.
    std::uint64_t divideSmallQuotient(const BigUnsigned &divisor, int quotientBits);

    /// Bits up to the highest 1; 0 for zero.
    std::size_t bitLength() const;
    bool isZero() const { return m_limbs.empty(); }

    friend int compare(const BigUnsigned &a, const BigUnsigned &b);

private:
    void multiplySmall(std::uint32_t factor);
    void addSmall(std::uint32_t addend);
    void subtract(const BigUnsigned &smaller);
    void shiftRightOne();
    void trim();

    std::vector<std::uint32_t> m_limbs; ///< least significant first, no zero at the top
};
