#include "big_unsigned.h"

namespace {

constexpr std::uint32_t tenToTheNine = 1000000000;

} // namespace

BigUnsigned::BigUnsigned(std::uint32_t value)
{
    if (value != 0)
        m_limbs.push_back(value);
}

BigUnsigned BigUnsigned::fromDigits(std::string_view digits)
{
    // Nine digits at a time: 10^9 fits a limb.
    BigUnsigned result;
    std::size_t i = 0;
    while (i < digits.size()) {
        std::uint32_t chunk = 0;
        std::uint32_t factor = 1;
        for (int n = 0; n < 9 && i < digits.size(); ++n, ++i) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[i] - '0');
            factor *= 10;
        }
        result.multiplySmall(factor);
        result.addSmall(chunk);
    }
    return result;
}

void BigUnsigned::multiplyByPowerOfTen(long long power)
{
    for (; power >= 9; power -= 9)
        multiplySmall(tenToTheNine);
    std::uint32_t factor = 1;
    for (; power > 0; --power)
        factor *= 10;
    multiplySmall(factor);
}

void BigUnsigned::shiftLeft(std::size_t bits)
{
    if (isZero())
        return;
    const std::size_t limbs = bits / 32;
    const unsigned within = static_cast<unsigned>(bits % 32);
    if (within != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t &limb : m_limbs) {
            const std::uint32_t next = limb >> (32 - within);
            limb = limb << within | carry;
            carry = next;
        }
        if (carry != 0)
            m_limbs.push_back(carry);
    }
    m_limbs.insert(m_limbs.begin(), limbs, 0);
}

std::uint64_t BigUnsigned::divideSmallQuotient(const BigUnsigned &divisor, int quotientBits)
{
    // Long division one bit at a time, from the divisor shifted to the quotient's top
    // bit down to the divisor itself.
    BigUnsigned shifted = divisor;
    shifted.shiftLeft(static_cast<std::size_t>(quotientBits - 1));
    std::uint64_t quotient = 0;
    for (int place = quotientBits - 1; place >= 0; --place) {
        quotient <<= 1;
        if (compare(*this, shifted) >= 0) {
            subtract(shifted);
            quotient |= 1;
        }
        shifted.shiftRightOne();
    }
    return quotient;
}

std::size_t BigUnsigned::bitLength() const
{
    if (isZero())
        return 0;
    std::size_t length = (m_limbs.size() - 1) * 32;
    for (std::uint32_t top = m_limbs.back(); top != 0; top >>= 1)
        ++length;
    return length;
}

int compare(const BigUnsigned &a, const BigUnsigned &b)
{
    if (a.m_limbs.size() != b.m_limbs.size())
        return a.m_limbs.size() < b.m_limbs.size() ? -1 : 1;
    for (std::size_t i = a.m_limbs.size(); i-- > 0;) {
        if (a.m_limbs[i] != b.m_limbs[i])
            return a.m_limbs[i] < b.m_limbs[i] ? -1 : 1;
    }
    return 0;
}

void BigUnsigned::multiplySmall(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t &limb : m_limbs) {
        const std::uint64_t product = std::uint64_t(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0)
        m_limbs.push_back(static_cast<std::uint32_t>(carry));
    trim();
}

void BigUnsigned::addSmall(std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (std::size_t i = 0; carry != 0; ++i) {
        if (i == m_limbs.size())
            m_limbs.push_back(0);
        const std::uint64_t sum = std::uint64_t(m_limbs[i]) + carry;
        m_limbs[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
}

void BigUnsigned::subtract(const BigUnsigned &smaller)
{
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint64_t taken =
            std::uint64_t(i < smaller.m_limbs.size() ? smaller.m_limbs[i] : 0) + borrow;
        borrow = m_limbs[i] < taken ? 1 : 0;
        m_limbs[i] = static_cast<std::uint32_t>(m_limbs[i] - taken);
    }
    trim();
}

void BigUnsigned::shiftRightOne()
{
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t fromAbove = i + 1 < m_limbs.size() ? m_limbs[i + 1] << 31 : 0;
        m_limbs[i] = m_limbs[i] >> 1 | fromAbove;
    }
    trim();
}

void BigUnsigned::trim()
{
    while (!m_limbs.empty() && m_limbs.back() == 0)
        m_limbs.pop_back();
}
