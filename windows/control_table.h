#pragma once

#include "form_model.h"

#include <array>

// The stored window: every control's kind, caption, place and size in twips, tab
// index, font and colours, in the order the controls are created. That order puts each
// label just before the field it names, which is how Windows' accessibility names a
// field; the tab stops among them still follow their tab indexes.

enum class ControlKind { Label, TextBox, ComboBox, CommandButton, OptionButton };

enum class FontKind {
    Window,    ///< the window's font: 宋体 9 pt
    Calculate, ///< 华文新魏 14.25 pt
    Result,    ///< 宋体 12 pt bold
    Exit,      ///< 宋体 12 pt
};

enum class ColourKind {
    Standard,
    Result,   ///< light blue ground, blue text
    BlueText, ///< blue text on the window's ground
};

struct ControlSpec {
    Control control;
    ControlKind kind;
    const wchar_t *caption;       ///< nullptr: set at run time (the author line)
    int left, top, width, height; ///< twips
    int tabIndex;
    FontKind font;
    ColourKind colour;
    bool visible;
};

/// Client area in twips: 4935 × 2250 (329 × 150 pixels at 96 dpi).
constexpr int clientWidthTwips = 4935;
constexpr int clientHeightTwips = 2250;
/// Where the client area's top-left corner opens, in twips from the screen's corner.
constexpr int startLeftTwips = 5625;
constexpr int startTopTwips = 4005;

constexpr int controlCount = 16;
extern const std::array<ControlSpec, controlCount> controlTable;

/// The control's row of the table.
const ControlSpec &specOf(Control control);

/// Twips to device pixels at `dpi`, rounded half up: 4935 twips are 494 pixels at 144.
constexpr int twipsToPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}
