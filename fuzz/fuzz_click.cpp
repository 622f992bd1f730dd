// One click of 计算 on the fake form with fuzzed field texts, diameter and mode: no
// crash; no field ever receives an infinite or not-a-number text; the result field is
// either unchanged or a number with at most two decimals; one message box or none.

#include "fake_window.h"
#include "fuzz_check.h"
#include "number_text.h"
#include "utf8.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::u16string consumeText(FuzzedDataProvider &provider)
{
    return fromUtf8(provider.ConsumeRandomLengthString(64));
}

bool isNumberText(const std::u16string &text)
{
    const NumberResult number = textToNumber(text);
    return number.status == NumberStatus::Ok && std::isfinite(number.value);
}

// At most two decimals, or a whole number too large for the plain form.
bool hasAtMostTwoDecimals(const std::u16string &text)
{
    if (text.find(u'e') != std::u16string::npos)
        return std::fabs(textToNumber(text).value) >= 1e15;
    const std::size_t point = text.find(u'.');
    return point == std::u16string::npos || text.size() - point - 1 <= 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    FakeWindow window;
    FakeForm &form = window.form;
    Form1 &handlers = window.handlers;

    if (provider.ConsumeBool())
        form.setOptionOn(Control::Option1);
    form.setText(Control::Text1, consumeText(provider));
    form.setText(Control::Text2, consumeText(provider));
    form.setText(Control::Text3, consumeText(provider));
    form.setText(Control::Text5, u"2007");
    form.setText(Control::Combo1, provider.ConsumeBool()
                                      ? form.items.at(provider.ConsumeIntegralInRange<int>(
                                          0, static_cast<int>(form.items.size()) - 1))
                                      : consumeText(provider));
    const std::u16string totalBefore = form.text(Control::Text3);

    handlers.click(Control::Command1);

    require(form.prompts.size() <= 1);
    // A field the click wrote holds a finite number: never "inf" or "nan".
    const std::u16string total = form.text(Control::Text3);
    require(total == totalBefore || isNumberText(total));
    const std::u16string weight = form.text(Control::Text5);
    if (weight != u"2007") {
        require(form.prompts.empty()); // a refused click writes no result
        require(isNumberText(weight) && hasAtMostTwoDecimals(weight));
        require(form.focus == Control::Text1 && form.wholeTextSelected(Control::Text1));
    }
    return 0;
}
