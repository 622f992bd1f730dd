#pragma once

#include <QRect>

/// Where a window's frame goes so that all of it shows: the stored place when the
/// whole frame fits in the screen's available area, otherwise that place moved just
/// enough to fit, and aligned to the available area's top-left corner where the frame
/// is larger than the area.
QPoint placeWithin(const QRect &frame, const QRect &available);
