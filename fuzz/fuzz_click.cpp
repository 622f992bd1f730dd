// One click of 计算 on the fake form with fuzzed field texts, diameter and mode: no
// crash; no field ever receives an infinite or not-a-number text; the result field is
// either unchanged or a number with at most two decimals; one message box or none.

#include "fake_form.h"
#include "form1.h"
#include "fuzz_check.h"
#include "number_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

QString consumeText(FuzzedDataProvider &provider)
{
    const std::string bytes = provider.ConsumeRandomLengthString(64);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool isNumberText(const QString &text)
{
    const NumberResult number = textToNumber(text);
    return number.status == NumberStatus::Ok && std::isfinite(number.value);
}

// At most two decimals, or a whole number too large for the plain form.
bool hasAtMostTwoDecimals(const QString &text)
{
    if (text.contains(QLatin1Char('e')))
        return std::fabs(textToNumber(text).value) >= 1e15;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 || text.size() - point - 1 <= 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    FakeForm form;
    Form1 handlers(form);
    form.gotFocusHook = [&](Control control) { handlers.gotFocus(control); };
    handlers.load();

    if (provider.ConsumeBool())
        form.setOptionValue(Control::Option1, true);
    form.setText(Control::Text1, consumeText(provider));
    form.setText(Control::Text2, consumeText(provider));
    form.setText(Control::Text3, consumeText(provider));
    form.setText(Control::Text5, QStringLiteral("2007"));
    form.setText(Control::Combo1, provider.ConsumeBool()
                                      ? form.items.at(provider.ConsumeIntegralInRange<int>(
                                          0, static_cast<int>(form.items.size()) - 1))
                                      : consumeText(provider));
    const QString totalBefore = form.text(Control::Text3);

    handlers.click(Control::Command1);

    require(form.prompts.size() <= 1);
    // A field the click wrote holds a finite number: never "inf" or "nan".
    const QString total = form.text(Control::Text3);
    require(total == totalBefore || isNumberText(total));
    const QString weight = form.text(Control::Text5);
    if (weight != QStringLiteral("2007")) {
        require(form.prompts.isEmpty()); // a refused click writes no result
        require(isNumberText(weight) && hasAtMostTwoDecimals(weight));
        require(form.focus == Control::Text1 && form.wholeTextSelected(Control::Text1));
    }
    return 0;
}
