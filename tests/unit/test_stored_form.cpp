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

#include <string>
#include <vector>

namespace {

struct Described {
    const char *name;
    Control control;
    ControlKind kind;
    const char *caption; // "" for the author line
    int left, top, width, height, tabIndex;
    const char *face;
    double points;
    bool bold;
    const char *colours; // "", "blue on light blue", "blue"
    bool visible;
    const char *screenReaderName; // "" where the control has no label of its own
};

using K = ControlKind;

// clang-format off
const Described described[] = {
    {"Label1", Control::Label1, K::Label, "单根长度(cm)", 360, 240, 1095, 255, 0, "宋体", 9, false, "", true, ""},
    {"Label2", Control::Label2, K::Label, "根数", 2160, 240, 495, 255, 1, "宋体", 9, false, "", true, ""},
    {"Label3", Control::Label3, K::Label, "总长度(m)", 360, 1020, 975, 255, 2, "宋体", 9, false, "", true, ""},
    {"Text1", Control::Text1, K::TextBox, "100", 360, 480, 975, 270, 3, "宋体", 9, false, "", true, "单根长度(cm)"},
    {"Text2", Control::Text2, K::TextBox, "1", 2040, 480, 615, 270, 4, "宋体", 9, false, "", true, "根数"},
    {"Combo1", Control::Combo1, K::ComboBox, "12", 3600, 480, 855, 300, 5, "宋体", 9, false, "", true, "钢筋直径(mm)"},
    {"Command1", Control::Command1, K::CommandButton, "计算", 3360, 960, 1215, 450, 6, "华文新魏", 14.25, false, "", true, ""},
    {"Text3", Control::Text3, K::TextBox, "10", 1560, 960, 1335, 270, 7, "宋体", 9, false, "blue on light blue", true, "总长度(m)"},
    {"Label4", Control::Label4, K::Label, "钢筋直径(mm)", 3480, 240, 1095, 255, 8, "宋体", 9, false, "", true, ""},
    {"Label5", Control::Label5, K::Label, "钢筋重量(Kg)", 360, 1560, 1095, 255, 9, "宋体", 9, false, "", true, ""},
    {"Text5", Control::Text5, K::TextBox, "2007", 1560, 1440, 1335, 375, 10, "宋体", 12, true, "blue on light blue", true, "钢筋重量(Kg)"},
    {"Command2", Control::Command2, K::CommandButton, "退出", 3360, 1440, 1215, 375, 11, "宋体", 12, false, "", true, ""},
    {"Label6", Control::Label6, K::Label, "", 1200, 1960, 3375, 255, 12, "宋体", 9, false, "blue", false, ""},
    {"Command3", Control::Command3, K::CommandButton, "联系", 360, 1920, 735, 255, 13, "宋体", 9, false, "", true, ""},
    {"Option1", Control::Option1, K::OptionButton, "Option1", 120, 990, 255, 255, 14, "宋体", 9, false, "", true, "总长度(m)"},
    {"Option2", Control::Option2, K::OptionButton, "Option2", 120, 200, 255, 255, 15, "宋体", 9, false, "", true, "单根长度(cm)"},
};
// clang-format on

const char *coloursOf(ColourKind kind)
{
    switch (kind) {
    case ColourKind::Result:
        return "blue on light blue";
    case ColourKind::BlueText:
        return "blue";
    case ColourKind::Standard:
        break;
    }
    return "";
}

class StoredForm : public testing::TestWithParam<Described> {};

TEST_P(StoredForm, Control)
{
    const Described &row = GetParam();
    const StoredControl &stored = storedControl(row.control);
    EXPECT_STREQ(controlName(row.control), row.name);
    EXPECT_EQ(static_cast<int>(stored.kind), static_cast<int>(row.kind));
    EXPECT_EQ(stored.caption ? utf8(stored.caption) : "", row.caption);
    EXPECT_EQ(stored.left, row.left);
    EXPECT_EQ(stored.top, row.top);
    EXPECT_EQ(stored.width, row.width);
    EXPECT_EQ(stored.height, row.height);
    EXPECT_EQ(stored.tabIndex, row.tabIndex);
    const StoredFont font = storedFont(stored.font);
    EXPECT_EQ(utf8(font.face), row.face);
    EXPECT_EQ(static_cast<double>(font.points), row.points);
    EXPECT_EQ(font.bold, row.bold);
    EXPECT_STREQ(coloursOf(stored.colours), row.colours);
    EXPECT_EQ(stored.visible, row.visible);
    EXPECT_EQ(stored.namedBy == Control::Form1 ? "" : utf8(nameOf(row.control)),
              row.screenReaderName);
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
    EXPECT_EQ((std::vector<int>{blue.red, blue.green, blue.blue}), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ((std::vector<int>{lightBlue.red, lightBlue.green, lightBlue.blue}),
              (std::vector<int>{192, 192, 255}));
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
