#pragma once

/// A rectangle on the screen in device pixels: top-left corner and size.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint &other) const { return x == other.x && y == other.y; }
};

/// Where a window's frame goes so that all of it shows: the stored place when the
/// whole frame fits in the screen's available area, otherwise that place moved just
/// enough to fit, and aligned to the available area's top-left corner where the frame
/// is larger than the area.
ScreenPoint placeWithin(const ScreenRect &frame, const ScreenRect &available);
