#include "weight_calculation.h"

#include "form_model.h"
#include "rounding.h"
#include "unit_weight_table.h"

#include <cmath>

namespace {

constexpr char16_t jokePrompt[] = u"开什么玩笑！";
constexpr char16_t tooLargePrompt[] = u"数值太大，无法计算。";
constexpr int okAnswer = 1;
constexpr int resultDecimals = 2;

std::u16string notANumberPrompt(Control field)
{
    return u"请在“" + fieldCaption(field) + u"”中输入数字。";
}

std::u16string unknownDiameterPrompt(double diameter)
{
    return u"表中没有直径 " + numberToText(diameter) + u" mm 的钢筋。\n可选直径："
           + tableDiametersText();
}

} // namespace

std::u16string fieldCaption(Control field)
{
    switch (field) {
    case Control::Text1:
        return u"单根长度(cm)";
    case Control::Text2:
        return u"根数";
    case Control::Text3:
        return u"总长度(m)";
    case Control::Text5:
        return u"钢筋重量(Kg)";
    case Control::Combo1:
        return u"钢筋直径(mm)";
    default:
        return {};
    }
}

WeightCalculation::WeightCalculation(FormModel &form) : m_form(form) {}

void WeightCalculation::command1Click()
{
    if (!m_form.optionValue(Control::Option1)) {
        // Computed mode: the total length comes from single length x count.
        const auto singleCm = readNumber(Control::Text1);
        if (!singleCm)
            return;
        const auto count = readNumber(Control::Text2);
        if (!count)
            return;
        const double totalMetres = (*singleCm * *count) / 100;
        if (!std::isfinite(totalMetres)) {
            sendBack(Control::Text1, tooLargePrompt);
            return;
        }
        // Shown before the checks, so a refused input still shows what it came to.
        m_form.setText(Control::Text3, numberToText(totalMetres));

        const auto single = readNumber(Control::Text1);
        const auto bars = readNumber(Control::Text2);
        if (!single || !bars)
            return;
        if (!(*single > 0) || !(*bars > 0)) {
            if (refuseNonPositive()) {
                abc();
                return;
            }
        }
    }

    const auto total = readNumber(Control::Text3);
    if (!total)
        return;
    if (!(*total > 0)) {
        if (refuseNonPositive()) {
            abc2();
            return;
        }
    }

    // Every row is tested against a fresh reading of the diameter; the match is
    // numeric, so "12.0" finds the row for 12.
    double kgPerMetre = 0;
    bool found = false;
    for (const UnitWeightRow &row : unitWeightTable) {
        const auto diameter = readNumber(Control::Combo1);
        if (!diameter)
            return;
        if (*diameter == row.diameterMm) {
            kgPerMetre = row.kgPerMetre;
            found = true;
        }
    }
    if (!found) {
        const auto diameter = readNumber(Control::Combo1);
        if (diameter)
            sendBack(Control::Combo1, unknownDiameterPrompt(*diameter));
        return;
    }

    // The weight comes from the total length as the field shows it.
    const auto metres = readNumber(Control::Text3);
    if (!metres)
        return;
    const double rounded = roundToDecimals(*metres * kgPerMetre, resultDecimals);
    if (!std::isfinite(rounded)) {
        sendBack(Control::Text3, tooLargePrompt);
        return;
    }
    m_form.setText(Control::Text5, numberToText(rounded));

    m_form.setFocus(Control::Text1);
    m_form.setSelStart(Control::Text1, 0);
    m_form.setSelLength(Control::Text1, textLength(m_form.text(Control::Text1)));
}

void WeightCalculation::abc()
{
    const auto single = readNumber(Control::Text1);
    if (single && !(*single > 0))
        m_form.setFocus(Control::Text1);
    const auto count = readNumber(Control::Text2);
    if (count && !(*count > 0))
        m_form.setFocus(Control::Text2);
}

void WeightCalculation::abc2()
{
    const auto total = readNumber(Control::Text3);
    if (total && !(*total > 0))
        m_form.setFocus(Control::Text3);
}

std::optional<double> WeightCalculation::readNumber(Control field)
{
    const NumberResult number = textToNumber(m_form.text(field));
    switch (number.status) {
    case NumberStatus::Ok:
        return number.value;
    case NumberStatus::NotANumber:
        sendBack(field, notANumberPrompt(field));
        return std::nullopt;
    case NumberStatus::OutOfRange:
        sendBack(field, tooLargePrompt);
        return std::nullopt;
    }
    return std::nullopt;
}

bool WeightCalculation::refuseNonPositive()
{
    // The answer goes through its text form and back, as the box's answer always has.
    const std::u16string answer = integerToText(m_form.messageBox(jokePrompt));
    const NumberResult asNumber = textToNumber(answer);
    return asNumber.status == NumberStatus::Ok && asNumber.value == okAnswer;
}

void WeightCalculation::sendBack(Control field, const std::u16string &prompt)
{
    m_form.messageBox(prompt);
    m_form.setFocus(field);
    if (field == Control::Combo1) {
        // Text fields select themselves on focus; the combo box is selected here so
        // the next diameter typed replaces the wrong one.
        m_form.setSelStart(field, 0);
        m_form.setSelLength(field, textLength(m_form.text(field)));
    }
}
