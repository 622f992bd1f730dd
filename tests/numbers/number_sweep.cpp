// Prints what the core computes and writes for a sweep of window inputs and a corpus
// of number texts, one line each, so that two builds of the core (Linux and Windows)
// can be compared byte for byte. Doubles are printed by their bits: no C runtime
// formatting takes part.
//   number_sweep [corpus files...]

#include "fake_window.h"
#include "number_text.h"
#include "rounding.h"
#include "unit_weight_table.h"
#include "utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

std::string bits(double value)
{
    std::uint64_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, raw >>= 4)
        hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[raw & 15];
    return hex;
}

// The text as UTF-8 with its control characters spelt \u000d, so each case stays one
// line whatever the inputs hold.
std::string shown(const std::u16string &text)
{
    std::u16string visible;
    for (char16_t c : text) {
        if (c < 0x20 || c == 0x7F) {
            visible += u"\\u00";
            visible += u"0123456789abcdef"[(c >> 4) & 15];
            visible += u"0123456789abcdef"[c & 15];
        } else {
            visible += c;
        }
    }
    return utf8(visible);
}

long emitted = 0;

void emit(const std::string &line)
{
    ++emitted;
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// One click of 计算 on the stored window with these texts.
void click(bool direct, const std::u16string &single, const std::u16string &count,
           const std::u16string &total, const std::u16string &diameter)
{
    FakeWindow window;
    FakeForm &form = window.form;
    window.enter(direct, single, count, total, diameter);
    window.handlers.click(Control::Command1);
    // The unrounded weight, from the total length as the field shows it.
    const double kgPerMetre = massPerMetre(textToNumber(diameter).value).value_or(0);
    const double unrounded = textToNumber(form.text(Control::Text3)).value * kgPerMetre;
    emit(std::string(direct ? "direct " : "computed ") + utf8(single) + " " + utf8(count) + " "
         + utf8(total) + " " + utf8(diameter) + " -> " + utf8(form.text(Control::Text3)) + " "
         + utf8(form.text(Control::Text5)) + " " + bits(unrounded) + " "
         + std::to_string(form.prompts.size()));
}

void number(const std::u16string &text)
{
    const NumberResult read = textToNumber(text);
    std::string line = shown(text) + " -> " + std::to_string(static_cast<int>(read.status));
    if (read.status == NumberStatus::Ok)
        line += " " + bits(read.value) + " " + utf8(numberToText(read.value)) + " "
                + utf8(numberToText(roundToDecimals(read.value, 2)));
    emit(line);
}

} // namespace

int main(int argc, char *argv[])
{
    for (int cm = 1; cm <= 1200; cm += 13) {
        for (int count = 0; count <= 30; ++count) {
            for (const UnitWeightRow &row : unitWeightTable) {
                const std::u16string single = integerToText(cm);
                const std::u16string bars = count == 0 ? u"0.5" : integerToText(count);
                const std::u16string diameter = numberToText(row.diameterMm);
                click(false, single, bars, u"10", diameter);
                click(true, single, bars, numberToText(cm * (count + 0.25) / 100), diameter);
            }
        }
    }
    // Every finite bit pattern the generator gives, written and read back.
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t raw = random();
        double value;
        std::memcpy(&value, &raw, sizeof value);
        if (value == value && value - value == 0) // finite
            number(numberToText(value));
        number(numberToText(static_cast<double>(raw % 100000000) / 1000));
    }
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        number(fromUtf8(bytes));
    }
    std::fprintf(stderr, "%ld cases\n", emitted);
    return 0;
}
