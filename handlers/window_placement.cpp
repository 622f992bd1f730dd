#include "window_placement.h"

#include <algorithm>

namespace {

// The start of a span of `length` beginning at `start`, moved into [low, high) as
// little as possible; the low end wins when the span is longer than the range.
int fitSpan(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

ScreenPoint placeWithin(const ScreenRect &frame, const ScreenRect &available)
{
    return {fitSpan(frame.x, frame.width, available.x, available.x + available.width),
            fitSpan(frame.y, frame.height, available.y, available.y + available.height)};
}
