// The stored form against a transcription of the window's description made apart from
// it: a slip in the one table both windows are built from (a swapped coordinate, a
// wrong font, a lost colour, a label naming the wrong field) shows here. The window
// suites then check each built window against the table.

#include "author_line.h"
#include "fake_form.h"
#include "row_name.h"
#include "stored_form.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>

namespace {

// Each control as one line: kind, caption (<author> for the author line), left, top,
// width x height in twips, tab index, font face and points, then what sets it apart:
// bold, its colours, hidden, and the caption of the label that names it.
struct Described {
    const char *name;
    const char *line;
};

const Described described[] = {
    {"Label1", "label 单根长度(cm) 360 240 1095x255 tab 0 宋体 9"},
    {"Label2", "label 根数 2160 240 495x255 tab 1 宋体 9"},
    {"Label3", "label 总长度(m) 360 1020 975x255 tab 2 宋体 9"},
    {"Text1", "field 100 360 480 975x270 tab 3 宋体 9 named 单根长度(cm)"},
    {"Text2", "field 1 2040 480 615x270 tab 4 宋体 9 named 根数"},
    {"Combo1", "combo 12 3600 480 855x300 tab 5 宋体 9 named 钢筋直径(mm)"},
    {"Command1", "button 计算 3360 960 1215x450 tab 6 华文新魏 14.25"},
    {"Text3", "field 10 1560 960 1335x270 tab 7 宋体 9 blue on light blue named 总长度(m)"},
    {"Label4", "label 钢筋直径(mm) 3480 240 1095x255 tab 8 宋体 9"},
    {"Label5", "label 钢筋重量(Kg) 360 1560 1095x255 tab 9 宋体 9"},
    {"Text5",
     "field 2007 1560 1440 1335x375 tab 10 宋体 12 bold blue on light blue named 钢筋重量(Kg)"},
    {"Command2", "button 退出 3360 1440 1215x375 tab 11 宋体 12"},
    {"Label6", "label <author> 1200 1960 3375x255 tab 12 宋体 9 blue hidden"},
    {"Command3", "button 联系 360 1920 735x255 tab 13 宋体 9"},
    {"Option1", "option Option1 120 990 255x255 tab 14 宋体 9 named 总长度(m)"},
    {"Option2", "option Option2 120 200 255x255 tab 15 宋体 9 named 单根长度(cm)"},
};

std::string describe(const StoredControl &stored)
{
    static const char *const kinds[] = {"label", "field", "combo", "button", "option"};
    static const char *const colours[] = {"", " blue on light blue", " blue"};
    const StoredFont font = storedFont(stored.font);
    std::ostringstream out;
    out << kinds[static_cast<int>(stored.kind)] << ' '
        << (stored.caption ? utf8(stored.caption) : "<author>") << ' ' << stored.left << ' '
        << stored.top << ' ' << stored.width << 'x' << stored.height << " tab " << stored.tabIndex
        << ' ' << utf8(font.face) << ' ' << font.points << (font.bold ? " bold" : "")
        << colours[static_cast<int>(stored.colours)] << (stored.visible ? "" : " hidden");
    if (stored.namedBy != Control::Form1)
        out << " named " << utf8(nameOf(stored.control));
    return out.str();
}

class StoredForm : public testing::TestWithParam<Described> {};

TEST_P(StoredForm, Control)
{
    const Described &row = GetParam();
    const auto found =
        std::find_if(storedControls.begin(), storedControls.end(), [&](const StoredControl &c) {
            return controlName(c.control) == std::string(row.name);
        });
    ASSERT_NE(found, storedControls.end());
    EXPECT_EQ(describe(*found), row.line);
}

INSTANTIATE_TEST_SUITE_P(StoredForm, StoredForm, testing::ValuesIn(described), ByRowName());

TEST(StoredForm, windowAndColours)
{
    EXPECT_EQ(storedControls.size(), std::size(described));
    EXPECT_EQ(utf8(formCaption), "钢筋重量计算");
    EXPECT_EQ(twipsToPixels(clientWidthTwips, 96), 329);
    EXPECT_EQ(twipsToPixels(clientHeightTwips, 96), 150);
    EXPECT_EQ(twipsToPixels(startLeftTwips, 96), 375);
    EXPECT_EQ(twipsToPixels(startTopTwips, 96), 267);
    EXPECT_EQ(listFontPoints, 10.0f);
    EXPECT_EQ(optionSetAtStart, Control::Option2);
    EXPECT_EQ(std::tie(blue.red, blue.green, blue.blue), std::make_tuple(0, 0, 255));
    EXPECT_EQ(std::tie(lightBlue.red, lightBlue.green, lightBlue.blue),
              std::make_tuple(192, 192, 255));
    // Rows in tab order, the order both windows take them in.
    for (std::size_t i = 0; i < storedControls.size(); ++i)
        EXPECT_EQ(storedControls[i].tabIndex, static_cast<int>(i));
}

// Label6 shows "作者：<name>  Email：<address>", the name and address from the build.
TEST(StoredForm, authorLine)
{
    const std::string line = utf8(authorLine());
    EXPECT_EQ(line.rfind("作者：", 0), 0u);
    EXPECT_NE(line.find("  Email："), std::string::npos);
}

// Twips become device pixels rounded half up, at every scale.
TEST(StoredForm, twipsToPixels)
{
    EXPECT_EQ(twipsToPixels(4935, 144), 494); // 493.5
    EXPECT_EQ(twipsToPixels(1960, 96), 131);  // 130.67
    EXPECT_EQ(twipsToPixels(255, 168), 30);   // 29.75
    EXPECT_EQ(twipsToPixels(0, 120), 0);
}

} // namespace
