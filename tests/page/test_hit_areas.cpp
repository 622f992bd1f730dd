// The hit areas: one for every control that takes presses, an option button's shared with
// its label, at least 24 × 24 CSS pixels around what is drawn, inside the window,
// reaching into no other, and written into the page beneath the controls.

#include "form1.h"
#include "hit_areas.h"
#include "page_markup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

TEST(HitAreas, everyControlThatTakesPressesHasOne)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    const std::string &page = sitePage();
    for (const StoredControl &stored : storedControls) {
        const bool pressed =
            stored.kind != ControlKind::Label || Form1::handlesClick(stored.control);
        const auto found = std::count_if(areas->begin(), areas->end(), [&](const HitArea &hit) {
            return hit.control == stored.control || hit.partner == stored.control;
        });
        EXPECT_EQ(found, pressed ? 1 : 0) << name(stored.control);
    }
    for (const HitArea &hit : *areas) {
        const std::string id = name(hit.control) + "-hit";
        EXPECT_EQ(attributeOf(startTag(page, id), "data-for"), name(hit.control));
        EXPECT_EQ(ruleOf(page, id), "left:" + tw(hit.area.left) + ";top:" + tw(hit.area.top)
                                        + ";width:" + tw(hit.area.width())
                                        + ";height:" + tw(hit.area.height()));
        // Beneath every control, so that a press on a control reaches the control.
        EXPECT_LT(page.find(" id=\"" + id + "\""), page.find(" id=\"Label1\""));
    }
}

// An option button and the label that switches to it are one target.
TEST(HitAreas, optionButtonsGoWithTheirLabels)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    for (const HitArea &hit : *areas) {
        const StoredControl &stored = storedControl(hit.control);
        if (stored.kind != ControlKind::OptionButton) {
            EXPECT_EQ(hit.partner, Control::Form1);
            continue;
        }
        EXPECT_EQ(hit.partner, stored.namedBy);
        const TwipsRect circle = drawnRect(stored);
        const TwipsRect label = drawnRect(storedControl(stored.namedBy));
        EXPECT_EQ(hit.drawn.left, std::min(circle.left, label.left));
        EXPECT_EQ(hit.drawn.right, std::max(circle.right, label.right));
        EXPECT_EQ(hit.drawn.top, std::min(circle.top, label.top));
        EXPECT_EQ(hit.drawn.bottom, std::max(circle.bottom, label.bottom));
    }
}

TEST(HitAreas, atLeast24PixelsAroundWhatIsDrawnInsideTheWindow)
{
    // WCAG 2.5.8: 24 × 24 CSS pixels, 15 twips each.
    EXPECT_EQ(minimumTargetTwips, 24 * 15);
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    for (const HitArea &hit : *areas) {
        const TwipsRect &a = hit.area;
        EXPECT_GE(a.width(), minimumTargetTwips) << name(hit.control);
        EXPECT_GE(a.height(), minimumTargetTwips) << name(hit.control);
        EXPECT_TRUE(a.left <= hit.drawn.left && a.top <= hit.drawn.top && a.right >= hit.drawn.right
                    && a.bottom >= hit.drawn.bottom)
            << name(hit.control);
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= clientWidthTwips
                    && a.bottom <= clientHeightTwips)
            << name(hit.control);
    }
}

// Two hit areas meet only where the stored window itself draws two controls over each
// other (单根长度(cm) reaches one pixel into the field below it).
TEST(HitAreas, noneReachesIntoAnother)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    const auto overlap = [](const TwipsRect &a, const TwipsRect &b) {
        return TwipsRect{std::max(a.left, b.left), std::max(a.top, b.top),
                         std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    };
    const auto empty = [](const TwipsRect &r) { return r.right <= r.left || r.bottom <= r.top; };
    for (const HitArea &one : *areas) {
        for (const HitArea &other : *areas) {
            if (&one == &other)
                continue;
            const TwipsRect areasMeet = overlap(one.area, other.area);
            if (empty(areasMeet))
                continue;
            const TwipsRect drawnMeet = overlap(one.drawn, other.drawn);
            EXPECT_TRUE(!empty(drawnMeet) && areasMeet.left >= drawnMeet.left
                        && areasMeet.top >= drawnMeet.top && areasMeet.right <= drawnMeet.right
                        && areasMeet.bottom <= drawnMeet.bottom)
                << name(one.control) << " and " << name(other.control);
        }
    }
}

} // namespace
