#pragma once

#include <cstdint>
#include <string>

// The window as the handlers see it: controls addressed by name, dumb getters and
// setters, no widget types and no toolkit. Each front-end implements it over its own
// window (the Qt binding, the Win32 binding); the tests implement it with a fake. The
// handlers pull every value they need through it at the moment they need it and push
// every result back; they keep nothing between events.
//
// Text is UTF-16, as both front-ends' controls hold it, so selection starts and
// lengths count the same units everywhere.

/// The controls of Form1, by the names the window has always given them.
///
///   control   what it is                                      named by its label
///   Text1     length of one bar, cm                           Label1 单根长度(cm)
///   Text2     number of bars (fractions allowed)              Label2 根数
///   Combo1    bar diameter, mm: typed, or picked from a list  Label4 钢筋直径(mm)
///   Text3     total length, m: worked out, or typed           Label3 总长度(m)
///   Text5     mass of the bars, kg: the result                Label5 钢筋重量(Kg)
///   Option2   computed mode: Text3 = Text1 × Text2 ÷ 100      Label1 (a click sets it)
///   Option1   direct mode: the user types Text3               Label3 (a click sets it)
///   Command1  计算: calculates
///   Command2  退出: ends the program
///   Command3  联系: shows the author line
///   Label6    the author line, hidden until 联系 is pressed
///   Form1     the window itself
enum class Control {
    Form1,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Text1,
    Text2,
    Text3,
    Text5,
    Combo1,
    Command1,
    Command2,
    Command3,
    Option1,
    Option2,
};

/// The character code a KeyPress handler receives and may set to 0 to cancel it.
using KeyAscii = std::int16_t;

class FormModel {
public:
    virtual ~FormModel() = default;

    /// Text of a text field, or the edit text of Combo1.
    virtual std::u16string text(Control control) const = 0;
    /// Replaces the text; where the caret goes then is the toolkit's.
    virtual void setText(Control control, const std::u16string &text) = 0;

    /// Whether Option1 or Option2 is the one set; exactly one always is.
    virtual bool optionValue(Control option) const = 0;
    /// Sets Option1 or Option2 and clears the other. There is no way to clear both.
    virtual void setOptionOn(Control option) = 0;

    virtual void setVisible(Control control, bool visible) = 0;

    /// Appends an item to Combo1's list.
    virtual void addItem(Control combo, const std::u16string &item) = 0;
    /// The font size of Combo1, its list included.
    virtual void setFontSize(Control control, float points) = 0;

    /// Moves the keyboard focus; the target's GotFocus handler runs as a result.
    virtual void setFocus(Control control) = 0;
    /// Puts the caret at `start` with nothing selected.
    virtual void setSelStart(Control control, int start) = 0;
    /// Selects `length` characters from the current selection start.
    virtual void setSelLength(Control control, int length) = 0;

    /// Modal message box with an OK button only; answers 1 for OK.
    virtual int messageBox(const std::u16string &prompt) = 0;

    /// Closes the window, which ends the program.
    virtual void unload() = 0;
};
