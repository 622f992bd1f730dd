#pragma once

#include "stored_form.h"

#include <optional>
#include <vector>

// Where each control of the page takes a click or a tap. The controls are drawn at their
// stored places and sizes; a control smaller than a finger gets an invisible hit area
// around it that reaches into the free space beside it, to at least 24 × 24 CSS pixels
// (360 twips at scale 1), without reaching into another control's hit area. An option
// button and the label beside it that switches to it are one target.

/// A rectangle in twips from the client area's top-left corner: [left, right) × [top, bottom).
struct TwipsRect {
    int left, top, right, bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct HitArea {
    /// The control a press in the area is for.
    Control control;
    /// The label that forms one target with it (an option button's), or Form1.
    Control partner;
    /// What is drawn: the control, or the control and its partner together.
    TwipsRect drawn;
    /// Where it takes presses: `drawn` and the room around it.
    TwipsRect area;
};

/// 24 CSS pixels.
constexpr int minimumTargetTwips = 360;

/// The control's drawn rectangle.
TwipsRect drawnRect(const StoredControl &stored);

/// The hit areas of every control that takes a press, in tab order; nothing when the
/// stored window leaves no room for one of them.
std::optional<std::vector<HitArea>> hitAreas();
