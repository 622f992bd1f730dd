#include "row_name.h"
#include "window_placement.h"

#include <gtest/gtest.h>

namespace {

// Where the window opens: the stored place when it fits, else moved just enough.
struct PlaceRow {
    const char *name;
    ScreenRect frame;
    ScreenRect available;
    ScreenPoint expected;
};

constexpr ScreenRect stored{373, 238, 333, 181}; // 329 × 150 client, a Windows-like frame

const PlaceRow placeRows[] = {
    {"fits a 1920 x 1040 area: stays", stored, {0, 0, 1920, 1040}, {373, 238}},
    {"exactly fits: stays", stored, {0, 0, 706, 419}, {373, 238}},
    {"one pixel too narrow: left by one", stored, {0, 0, 705, 419}, {372, 238}},
    {"1280 x 1024 at 200 %, taskbar 40: left only", stored, {0, 0, 640, 492}, {307, 238}},
    {"too short: up only", stored, {0, 0, 1024, 400}, {373, 219}},
    {"both ways", stored, {0, 0, 600, 380}, {267, 199}},
    {"taskbar on top: down to the area", {373, 10, 333, 181}, {0, 40, 1024, 728}, {373, 40}},
    {"taskbar on the left: right to the area", {20, 238, 333, 181}, {60, 0, 964, 768}, {60, 238}},
    {"second screen to the right: onto it", stored, {1920, 0, 1280, 1024}, {1920, 238}},
    {"larger than the area: its top-left corner", stored, {10, 20, 300, 100}, {10, 20}},
};

class PlaceWithin : public testing::TestWithParam<PlaceRow> {};

TEST_P(PlaceWithin, Row)
{
    const PlaceRow &row = GetParam();
    const ScreenPoint placed = placeWithin(row.frame, row.available);
    EXPECT_EQ(placed.x, row.expected.x);
    EXPECT_EQ(placed.y, row.expected.y);
}

INSTANTIATE_TEST_SUITE_P(WindowPlacement, PlaceWithin, testing::ValuesIn(placeRows), ByRowName());

} // namespace
