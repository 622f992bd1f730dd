// Text to number and number to text: no crash; every accepted text gives a finite
// value; a text accepted with grouping commas reads as the same text without them;
// every text written reads back to the same value and the same text.

#include "fuzz_check.h"
#include "number_text.h"
#include "rounding.h"
#include "utf8.h"

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What the program writes must read back to itself.
void checkWritten(double value)
{
    const std::u16string text = numberToText(value);
    const NumberResult back = textToNumber(text);
    require(back.status == NumberStatus::Ok);
    require(std::isfinite(back.value));
    require(numberToText(back.value) == text);
    if (std::isnormal(value))
        require(std::fabs(back.value - value) <= std::fabs(value) * 1e-14);
}

// Grouping commas carry no value: the text without them reads the same.
void checkGrouping(const std::u16string &text, const NumberResult &read)
{
    std::u16string ungrouped = text;
    ungrouped.erase(std::remove_if(ungrouped.begin(), ungrouped.end(),
                                   [](char16_t c) { return c == u',' || c == u'\uFF0C'; }),
                    ungrouped.end());
    if (ungrouped.size() == text.size())
        return;
    const NumberResult plain = textToNumber(ungrouped);
    require(plain.status == NumberStatus::Ok);
    require(plain.value == read.value && std::signbit(plain.value) == std::signbit(read.value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The bytes as typed or pasted text.
    const std::u16string text =
        fromUtf8(std::string_view(reinterpret_cast<const char *>(data), size));
    const NumberResult read = textToNumber(text);
    if (read.status == NumberStatus::Ok) {
        require(std::isfinite(read.value));
        checkGrouping(text, read);
        checkWritten(read.value);
        const double rounded = roundToDecimals(read.value, 2);
        if (std::isfinite(rounded))
            checkWritten(rounded);
        else
            require(std::fabs(read.value) > 1e307); // only at the very top of the range
    }

    // The bytes as a double, for values no text in the corpus reaches.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkWritten(value);
    }
    return 0;
}
