#include "hit_areas.h"

#include "form1.h"

#include <algorithm>

namespace {

bool overlap(int firstStart, int firstEnd, int secondStart, int secondEnd)
{
    return firstStart < secondEnd && secondStart < firstEnd;
}

TwipsRect unite(const TwipsRect &a, const TwipsRect &b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The option button a label stands for (Label1 for Option2), or Form1.
Control optionOf(Control label)
{
    for (const StoredControl &stored : storedControls) {
        if (stored.kind == ControlKind::OptionButton && stored.namedBy == label)
            return stored.control;
    }
    return Control::Form1;
}

bool takesPresses(const StoredControl &stored)
{
    return stored.kind != ControlKind::Label || Form1::handlesClick(stored.control);
}

// One axis of a rectangle, as start and end, and the same axis of the others.
struct Axis {
    int TwipsRect::*start;
    int TwipsRect::*end;
    int TwipsRect::*crossStart;
    int TwipsRect::*crossEnd;
    int limit; ///< the client area's size along it
};

// Grows `area` along `axis` to the minimum size: evenly on both sides as far as the
// room there allows, the rest on the side with room left. The room on a side ends at
// the nearest other area across from it, or at the client area's edge.
bool grow(TwipsRect &area, const std::vector<TwipsRect> &others, const Axis &axis)
{
    const int need = minimumTargetTwips - (area.*axis.end - area.*axis.start);
    if (need <= 0)
        return true;
    int before = area.*axis.start;
    int after = axis.limit - area.*axis.end;
    for (const TwipsRect &other : others) {
        if (!overlap(area.*axis.crossStart, area.*axis.crossEnd, other.*axis.crossStart,
                     other.*axis.crossEnd))
            continue;
        if (other.*axis.start < area.*axis.start)
            before = std::min(before, std::max(0, area.*axis.start - other.*axis.end));
        if (other.*axis.end > area.*axis.end)
            after = std::min(after, std::max(0, other.*axis.start - area.*axis.end));
    }
    if (before + after < need)
        return false;
    int first = std::min(before, need / 2);
    int second = std::min(after, need - first);
    first = need - second;
    area.*axis.start -= first;
    area.*axis.end += second;
    return true;
}

} // namespace

TwipsRect drawnRect(const StoredControl &stored)
{
    return {stored.left, stored.top, stored.left + stored.width, stored.top + stored.height};
}

std::optional<std::vector<HitArea>> hitAreas()
{
    std::vector<HitArea> areas;
    for (const StoredControl &stored : storedControls) {
        if (!takesPresses(stored) || optionOf(stored.control) != Control::Form1)
            continue; // not pressed, or a label that goes with its option button
        HitArea hit{stored.control, Control::Form1, drawnRect(stored), drawnRect(stored)};
        if (stored.kind == ControlKind::OptionButton && Form1::handlesClick(stored.namedBy)) {
            hit.partner = stored.namedBy;
            hit.drawn = unite(hit.drawn, drawnRect(storedControl(stored.namedBy)));
            hit.area = hit.drawn;
        }
        areas.push_back(hit);
    }
    const Axis across{&TwipsRect::left, &TwipsRect::right, &TwipsRect::top, &TwipsRect::bottom,
                      clientWidthTwips};
    const Axis down{&TwipsRect::top, &TwipsRect::bottom, &TwipsRect::left, &TwipsRect::right,
                    clientHeightTwips};
    for (HitArea &hit : areas) {
        std::vector<TwipsRect> others;
        for (const HitArea &other : areas) {
            if (&other != &hit)
                others.push_back(other.area);
        }
        if (!grow(hit.area, others, across) || !grow(hit.area, others, down))
            return std::nullopt;
    }
    return areas;
}
