#pragma once

#include "form_model.h"

#include <optional>
#include <string>

// Form1's behaviour, behind the events its window reports: the window says that
// something happened to a control, and Form1 decides what that means.
//
// Who calls whom: a front-end calls load() once before the window first shows, then
// click(), gotFocus() and keyPress() as the user acts (each only for the controls
// whose handles…() says yes). The click of 计算 (calculate()) calls abc() after it
// refuses a single length or a count, abc2() after it refuses a total length. Every
// value is read from the form at the moment it is needed and turned into a number
// there (readNumber(), by textToNumber()); every number shown goes through
// numberToText(). The arithmetic itself is calc/'s, on numbers only. Nothing is kept
// between events.
class Form1 {
public:
    explicit Form1(FormModel &form);

    /// Before the window is first shown: fills the diameter list.
    void load();
    void click(Control control);
    void gotFocus(Control control);
    /// A typed character; left as it is, or set to 0 when the key is swallowed.
    void keyPress(Control control, KeyAscii &keyAscii);

    /// Whether click() does anything for this control.
    static bool handlesClick(Control control);
    /// Whether gotFocus() does anything for this control.
    static bool handlesGotFocus(Control control);
    /// Whether keyPress() takes keys of this control at all.
    static bool handlesKeyPress(Control control);
    /// Enter, "D" and "d": the keys that walk from field to field.
    static bool isAdvanceKey(KeyAscii keyAscii);

    /// Sends the focus to the single length and then to the count, each only when it is
    /// not above zero.
    void abc();
    /// Sends the focus to the total length when it is not above zero.
    void abc2();

private:
    // calculation.cpp
    /// The click of 计算: total length (in the computed mode), checks, lookup, weight.
    void calculate();
    /// The number in a field, or nothing after telling the user and sending the focus
    /// there when the field holds no number or one out of range.
    std::optional<double> readNumber(Control field);
    /// "开什么玩笑！"; true when it was answered OK and the click ends.
    bool refuseNonPositive();
    /// Shows a message and sends the user to the field it is about, text selected.
    void sendBack(Control field, const std::u16string &prompt);

    // field_navigation.cpp
    /// Enter, D or d in Text1, Text2, Combo1 or Text3: the focus to the next stop.
    void advance(Control field, KeyAscii &keyAscii);
    /// Selects the whole text of a field: caret at 0, then as many as it holds.
    void selectWholeText(Control field);

    FormModel &m_form;
};
