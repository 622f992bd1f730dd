#include "fake_window.h"
#include "row_name.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

const std::u16string joke = u"开什么玩笑！";
const std::u16string tooLarge = u"数值太大，无法计算。";
const std::u16string diameters =
    u"6、6.5、8、9、10、12、14、16、18、20、22、25、28、30、32、36、40、50";

std::u16string notANumber(const std::u16string &caption)
{
    return u"请在“" + caption + u"”中输入数字。";
}

std::u16string noSuchDiameter(const std::u16string &diameter)
{
    return u"表中没有直径 " + diameter + u" mm 的钢筋。\n可选直径：" + diameters;
}

using Prompts = std::vector<std::u16string>;

using Window = FakeWindow;
using C = Control;

// One click of 计算 with these texts. A refused click shows its one box, keeps the
// weight field and sends the user to the field at fault with its text selected; a
// calculation shows the total length and the weight and starts over at Text1.
struct ClickRow {
    const char *name;
    bool direct;
    std::u16string single, count, total, diameter;
    std::u16string totalShown, weight;
    std::u16string prompt = {}; ///< the box shown; none when empty
    Control focus = Control::Text1;
};

const std::u16string kept = u"2007"; // the weight field as it starts

const ClickRow clickRows[] = {
    {"250 cm x 4 of 16 mm", false, u"250", u"4", u"10", u"16", u"10", u"15.8"},
    {"direct 10 m of 12 mm", true, u"100", u"1", u"10", u"12", u"10", u"8.88"},
    {"half a bar counts", false, u"100", u"0.5", u"10", u"12", u"0.5", u"0.44"},
    {"6.5 is typed, not listed", true, u"100", u"1", u"10", u"6.5", u"10", u"2.6"},
    {"12.0 matches 12 by number", false, u"100", u"1", u"10", u"12.0", u"1", u"0.89"},
    {"full-width diameter and blanks", false, u"１００", u"1", u"10", u"\u3000１２ ", u"1",
     u"0.89"},
    {"33.3 cm x 3 shows 0.999 m", false, u"33.3", u"3", u"10", u"22", u"0.999", u"2.98"},
    {"0.745 kg shows 0.75", false, u"25", u"1", u"10", u"22", u"0.25", u"0.75"},
    {"0.605 kg shows 0.61", false, u"50", u"1", u"10", u"14", u"0.5", u"0.61"},
    {"50 mm, a kilometre", true, u"", u"", u"1e3", u"50", u"1e3", u"15420"},
    {"tiny length rounds to 0", false, u"0.01", u"1", u"10", u"6", u"0.0001", u"0"},
    {"long length", false, u"1200", u"350", u"10", u"25", u"4200", u"16170"},
    {"the total length field decides", true, u"-1", u"x", u"2.5", u"40", u"2.5", u"24.68"},

    // Zero and negative input: the total is shown before the check.
    {"single length 0", false, u"0", u"1", u"10", u"12", u"0", kept, joke, C::Text1},
    {"count 0", false, u"100", u"0", u"10", u"12", u"0", kept, joke, C::Text2},
    {"negative count", false, u"100", u"-2", u"10", u"12", u"-2", kept, joke, C::Text2},
    {"both negative: one box, ends in the count", false, u"-100", u"-1", u"10", u"12", u"1", kept,
     joke, C::Text2},
    {"direct total 0", true, u"x", u"y", u"0", u"12", u"0", kept, joke, C::Text3},
    {"direct total negative", true, u"1", u"1", u"-3", u"12", u"-3", kept, joke, C::Text3},

    // Text that is no number: nothing is written, the first bad field is named.
    {"empty single length", false, u"", u"1", u"10", u"12", u"10", kept,
     notANumber(u"单根长度(cm)"), C::Text1},
    {"both bad names single length", false, u"abc", u"x", u"10", u"12", u"10", kept,
     notANumber(u"单根长度(cm)"), C::Text1},
    {"count with a comma", false, u"100", u"1,5", u"10", u"12", u"10", kept, notANumber(u"根数"),
     C::Text2},
    {"empty direct total", true, u"100", u"1", u"", u"12", u"", kept, notANumber(u"总长度(m)"),
     C::Text3},
    {"diameter in words", false, u"100", u"1", u"10", u"十二", u"1", kept,
     notANumber(u"钢筋直径(mm)"), C::Combo1},
    {"empty diameter", true, u"100", u"1", u"10", u"", u"10", kept, notANumber(u"钢筋直径(mm)"),
     C::Combo1},

    // Beyond the range of a double.
    {"single length overflows", false, u"1e999", u"1", u"10", u"12", u"10", kept, tooLarge,
     C::Text1},
    {"count overflows", false, u"1", u"-1e400", u"10", u"12", u"10", kept, tooLarge, C::Text2},
    {"product overflows", false, u"1e200", u"1e200", u"10", u"12", u"10", kept, tooLarge, C::Text1},
    {"weight overflows", true, u"1", u"1", u"1e308", u"50", u"1e308", kept, tooLarge, C::Text3},
    {"diameter overflows", true, u"1", u"1", u"10", u"1e999", u"10", kept, tooLarge, C::Combo1},

    // Diameters the table lacks.
    {"7 mm", false, u"100", u"1", u"10", u"7", u"1", kept, noSuchDiameter(u"7"), C::Combo1},
    {"60 mm", true, u"100", u"1", u"10", u"60", u"10", kept, noSuchDiameter(u"60"), C::Combo1},
    {"0 mm", true, u"100", u"1", u"10", u"0", u"10", kept, noSuchDiameter(u"0"), C::Combo1},
    {"-12 mm", true, u"100", u"1", u"10", u"-12", u"10", kept, noSuchDiameter(u"-12"), C::Combo1},
    {"almost 6.5", true, u"100", u"1", u"10", u"6.50001", u"10", kept, noSuchDiameter(u"6.50001"),
     C::Combo1},
};

class Clicks : public testing::TestWithParam<ClickRow> {};

TEST_P(Clicks, Row)
{
    const ClickRow &row = GetParam();
    Window w;
    w.enter(row.direct, row.single, row.count, row.total, row.diameter);
    w.form.focus = Control::Command1;
    w.handlers.click(Control::Command1);

    std::string prompts;
    for (const std::u16string &prompt : w.form.prompts)
        prompts += utf8(prompt) + ";";
    EXPECT_EQ(prompts, row.prompt.empty() ? "" : utf8(row.prompt) + ";");
    EXPECT_EQ(utf8(w.form.text(Control::Text3)), utf8(row.totalShown));
    EXPECT_EQ(utf8(w.form.text(Control::Text5)), utf8(row.weight));
    EXPECT_EQ(w.form.focus, row.focus);
    EXPECT_TRUE(w.form.wholeTextSelected(row.focus));
}

INSTANTIATE_TEST_SUITE_P(WeightCalculation, Clicks, testing::ValuesIn(clickRows), ByRowName());

// Only an OK answer sends the user back; any other answer carries the click on to the
// total-length check. An OK-only box never gives another, but the rule is the rule.
TEST(WeightCalculation, boxNotAnsweredOkGoesOn)
{
    Window w;
    w.enter(false, u"0", u"1", u"10", u"12");
    w.form.scriptedAnswers = {2};
    w.handlers.click(Control::Command1);
    EXPECT_EQ(w.form.prompts, (Prompts{joke, joke})); // the total 0 is refused next
    EXPECT_EQ(w.form.focus, Control::Text3);
    EXPECT_EQ(w.form.text(Control::Text5), u"2007");
}

// A pasted million digits with a letter in them: the field takes it (no length cap), and
// the click answers at once that it is no number.
TEST(WeightCalculation, millionCharacterFieldIsRefusedPromptly)
{
    Window w;
    w.enter(false, std::u16string(1000000, u'9') + u"x", u"1", u"10", u"12");
    const auto start = std::chrono::steady_clock::now();
    w.handlers.click(Control::Command1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(w.form.prompts, Prompts{notANumber(u"单根长度(cm)")});
    EXPECT_EQ(w.form.text(Control::Text3), u"10");
}

} // namespace
