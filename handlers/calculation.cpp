// The click of 计算 and the two procedures it sends the user back with.

#include "form1.h"

#include "number_text.h"
#include "stored_form.h"
#include "unit_weight_table.h"
#include "weight.h"

#include <cmath>

namespace {

constexpr char16_t jokePrompt[] = u"开什么玩笑！";
constexpr char16_t tooLargePrompt[] = u"数值太大，无法计算。";
constexpr int okAnswer = 1;

std::u16string notANumberPrompt(Control field)
{
    return u"请在“" + std::u16string(nameOf(field)) + u"”中输入数字。";
}

std::u16string unknownDiameterPrompt(double diameter)
{
    return u"表中没有直径 " + numberToText(diameter) + u" mm 的钢筋。\n可选直径："
           + tableDiametersText();
}

} // namespace

void Form1::calculate()
{
    if (!m_form.optionValue(Control::Option1)) {
        // Computed mode: the total length comes from single length × count.
        const auto singleCm = readNumber(Control::Text1);
        if (!singleCm)
            return;
        const auto count = readNumber(Control::Text2);
        if (!count)
            return;
        const double totalMetres = totalLengthMetres(*singleCm, *count);
        if (!std::isfinite(totalMetres)) {
            sendBack(Control::Text1, tooLargePrompt);
            return;
        }
        // Shown before the checks, so a refused input still shows what it came to.
        m_form.setText(Control::Text3, numberToText(totalMetres));

        const auto single = readNumber(Control::Text1);
        if (!single)
            return;
        const auto bars = readNumber(Control::Text2);
        if (!bars)
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

    // Every row of the table is tested against a fresh reading of the diameter.
    std::optional<double> kgPerMetre;
    for (std::size_t row = 0; row < unitWeightTable.size(); ++row) {
        const auto diameter = readNumber(Control::Combo1);
        if (!diameter)
            return;
        if (const auto mass = massPerMetreInRow(row, *diameter))
            kgPerMetre = mass;
    }
    if (!kgPerMetre) {
        if (const auto diameter = readNumber(Control::Combo1))
            sendBack(Control::Combo1, unknownDiameterPrompt(*diameter));
        return;
    }

    // The weight comes from the total length as the field shows it.
    const auto metres = readNumber(Control::Text3);
    if (!metres)
        return;
    const double weight = roundedWeightKg(*metres, *kgPerMetre);
    if (!std::isfinite(weight)) {
        sendBack(Control::Text3, tooLargePrompt);
        return;
    }
    m_form.setText(Control::Text5, numberToText(weight));

    m_form.setFocus(Control::Text1);
    selectWholeText(Control::Text1);
}

void Form1::abc()
{
    const auto single = readNumber(Control::Text1);
    if (single && !(*single > 0))
        m_form.setFocus(Control::Text1);
    const auto count = readNumber(Control::Text2);
    if (count && !(*count > 0))
        m_form.setFocus(Control::Text2);
}

void Form1::abc2()
{
    const auto total = readNumber(Control::Text3);
    if (total && !(*total > 0))
        m_form.setFocus(Control::Text3);
}

std::optional<double> Form1::readNumber(Control field)
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

bool Form1::refuseNonPositive()
{
    // The answer goes through its text form and back, as the box's answer always has.
    const std::u16string answer = integerToText(m_form.messageBox(jokePrompt));
    const NumberResult asNumber = textToNumber(answer);
    return asNumber.status == NumberStatus::Ok && asNumber.value == okAnswer;
}

void Form1::sendBack(Control field, const std::u16string &prompt)
{
    m_form.messageBox(prompt);
    m_form.setFocus(field);
    // Text fields select themselves on focus; the combo box's text is selected here
    // too, so the next diameter typed replaces the wrong one.
    if (field == Control::Combo1)
        selectWholeText(field);
}
