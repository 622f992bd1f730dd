#pragma once

#include "number_text.h"

#include <optional>
#include <string>

class FormModel;
enum class Control;

// The calculate button and the two procedures it sends the user back with.
//
// Who calls whom: the window calls command1Click() when 计算 is pressed;
// command1Click() calls abc() after refusing a single length or count, abc2() after
// refusing a total length. Every value is read from the form at the moment it is
// needed and turned into a number there, by textToNumber(); every number shown goes
// through numberToText(). Nothing is kept between clicks.
class WeightCalculation {
public:
    explicit WeightCalculation(FormModel &form);

    /// Click of 计算: total length (in the computed mode), checks, lookup, weight.
    void command1Click();
    /// Sends the focus to the single length and/or count that is not above zero.
    void abc();
    /// Sends the focus to the total length when it is not above zero.
    void abc2();

private:
    /// The number in a field, or nothing after telling the user and sending the
    /// focus there when the field holds no number or one out of range.
    std::optional<double> readNumber(Control field);
    /// "开什么玩笑！"; true when the answer is OK and the click should end.
    bool refuseNonPositive();
    /// Shows a message and sends the user to the field it is about.
    void sendBack(Control field, const std::u16string &prompt);

    FormModel &m_form;
};

/// Caption of the label that names a field, for messages about it.
std::u16string fieldCaption(Control field);
