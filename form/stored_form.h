#pragma once

#include "form_model.h"
#include "impossible.h"

#include <array>
#include <cstddef>

// Form1 as stored: the window and its sixteen controls with their kinds, captions,
// places and sizes in twips, tab order, fonts, colours and visibility. Both front-ends
// build their window from this table, and the handlers take the labels' captions from
// it for their messages; nothing else holds a place, a caption or a font.

enum class ControlKind { Label, TextBox, ComboBox, CommandButton, OptionButton };

enum class FontKind {
    Window,    ///< the window's font, which every control without its own uses
    Calculate, ///< 计算's
    Result,    ///< the result field's
    Exit,      ///< 退出's
};

struct StoredFont {
    const char16_t *face;
    float points;
    bool bold;
};

constexpr StoredFont storedFont(FontKind kind)
{
    switch (kind) {
    case FontKind::Calculate:
        return {u"华文新魏", 14.25f, false};
    case FontKind::Result:
        return {u"宋体", 12.0f, true};
    case FontKind::Exit:
        return {u"宋体", 12.0f, false};
    case FontKind::Window:
        break;
    }
    return {u"宋体", 9.0f, false};
}

/// Combo1's size once the load handler has filled its list.
constexpr float listFontPoints = 10.0f;

struct Rgb {
    int red, green, blue;
};
constexpr Rgb blue{0, 0, 255};
constexpr Rgb lightBlue{192, 192, 255};

enum class ColourKind {
    Standard, ///< the platform's colours
    Result,   ///< blue text on light blue
    BlueText, ///< blue text on the window's ground
};

struct StoredControl {
    Control control;
    ControlKind kind;
    /// The caption, or a field's initial text; nullptr for the author line, whose text
    /// comes from the build (authorLine()).
    const char16_t *caption;
    /// The label that names the control for a screen reader and in messages, or Form1.
    Control namedBy;
    int left, top, width, height; ///< twips, from the client area's top-left corner
    int tabIndex;
    FontKind font;
    ColourKind colours;
    bool visible;
};

constexpr char16_t formCaption[] = u"钢筋重量计算";
/// Client area: 329 × 150 pixels at 96 dpi.
constexpr int clientWidthTwips = 4935;
constexpr int clientHeightTwips = 2250;
/// Where the client area's top-left corner opens: (375, 267) pixels at 96 dpi.
constexpr int startLeftTwips = 5625;
constexpr int startTopTwips = 4005;

/// Twips to pixels at `dpi`, rounded half up: 4935 twips are 494 pixels at 144.
constexpr int twipsToPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

/// The controls in tab-index order. The option buttons are as wide as their circle,
/// so their stored captions never show; the labels beside them stand for them.
constexpr std::array<StoredControl, 16> storedControls{{
    // clang-format off
    // control          kind                        caption           named by         left  top   width height tab  font                 colours               visible
    {Control::Label1,   ControlKind::Label,         u"单根长度(cm)",  Control::Form1,   360,  240, 1095, 255,  0,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Label2,   ControlKind::Label,         u"根数",          Control::Form1,  2160,  240,  495, 255,  1,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Label3,   ControlKind::Label,         u"总长度(m)",     Control::Form1,   360, 1020,  975, 255,  2,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Text1,    ControlKind::TextBox,       u"100",           Control::Label1,  360,  480,  975, 270,  3,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Text2,    ControlKind::TextBox,       u"1",             Control::Label2, 2040,  480,  615, 270,  4,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Combo1,   ControlKind::ComboBox,      u"12",            Control::Label4, 3600,  480,  855, 300,  5,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Command1, ControlKind::CommandButton, u"计算",          Control::Form1,  3360,  960, 1215, 450,  6,  FontKind::Calculate, ColourKind::Standard, true},
    {Control::Text3,    ControlKind::TextBox,       u"10",            Control::Label3, 1560,  960, 1335, 270,  7,  FontKind::Window,    ColourKind::Result,   true},
    {Control::Label4,   ControlKind::Label,         u"钢筋直径(mm)",  Control::Form1,  3480,  240, 1095, 255,  8,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Label5,   ControlKind::Label,         u"钢筋重量(Kg)",  Control::Form1,   360, 1560, 1095, 255,  9,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Text5,    ControlKind::TextBox,       u"2007",          Control::Label5, 1560, 1440, 1335, 375, 10,  FontKind::Result,    ColourKind::Result,   true},
    {Control::Command2, ControlKind::CommandButton, u"退出",          Control::Form1,  3360, 1440, 1215, 375, 11,  FontKind::Exit,      ColourKind::Standard, true},
    {Control::Label6,   ControlKind::Label,         nullptr,          Control::Form1,  1200, 1960, 3375, 255, 12,  FontKind::Window,    ColourKind::BlueText, false},
    {Control::Command3, ControlKind::CommandButton, u"联系",          Control::Form1,   360, 1920,  735, 255, 13,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Option1,  ControlKind::OptionButton,  u"Option1",       Control::Label3,  120,  990,  255, 255, 14,  FontKind::Window,    ColourKind::Standard, true},
    {Control::Option2,  ControlKind::OptionButton,  u"Option2",       Control::Label1,  120,  200,  255, 255, 15,  FontKind::Window,    ColourKind::Standard, true},
    // clang-format on
}};

/// The control's name ("Text1"), as the window and its description call it.
constexpr const char *controlName(Control control)
{
    constexpr const char *names[] = {"Form1",   "Label1", "Label2",   "Label3",   "Label4",
                                     "Label5",  "Label6", "Text1",    "Text2",    "Text3",
                                     "Text5",   "Combo1", "Command1", "Command2", "Command3",
                                     "Option1", "Option2"};
    const auto index = static_cast<std::size_t>(control); // a negative one wraps round
    if (index >= std::size(names))
        impossible("Form1 has no such control");
    return names[index];
}

/// The option button set when the window is made: the computed mode.
constexpr Control optionSetAtStart = Control::Option2;

/// The control's row of the table. Every Control has one; a value outside the enum
/// ends the program (and, in a constant expression, fails to compile).
constexpr const StoredControl &storedControl(Control control)
{
    for (const StoredControl &stored : storedControls) {
        if (stored.control == control)
            return stored;
    }
    impossible("Form1 has no such control");
}

/// What a screen reader calls the control and messages name it: the caption of the
/// label that names it, or its own caption.
constexpr const char16_t *nameOf(Control control)
{
    const StoredControl &stored = storedControl(control);
    return stored.namedBy == Control::Form1 ? stored.caption
                                            : storedControl(stored.namedBy).caption;
}
