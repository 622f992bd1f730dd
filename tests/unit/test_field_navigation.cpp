#include "fake_window.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Not loaded: the list plays no part in the keys and clicks.
struct Window : FakeWindow {
    Window() : FakeWindow(false) {}
};

struct KeyRow {
    std::string name;
    Control field;
    int key;
    Control focusAfter; // the field itself when the key passes
    int keyAfter;
};

std::vector<KeyRow> keyRows()
{
    std::vector<KeyRow> rows;
    for (const AdvanceStep &f : advanceSteps) {
        for (int key : {13, 68, 100})
            rows.push_back({std::string(f.name) + " code " + std::to_string(key) + " advances",
                            f.field, key, f.target, 0});
        for (int key : {int('1'), int('.'), int('-'), int('e'), int('E'), int('x'), 8, 10, 0x4E2D})
            rows.push_back({std::string(f.name) + " code " + std::to_string(key) + " passes",
                            f.field, key, f.field, key});
    }
    for (int key : {13, 68, 100})
        rows.push_back({"Text5 code " + std::to_string(key) + " passes", Control::Text5, key,
                        Control::Text5, key});
    return rows;
}

class AdvanceKeys : public testing::TestWithParam<KeyRow> {};

TEST_P(AdvanceKeys, Row)
{
    const KeyRow &row = GetParam();
    Window w;
    w.form.focus = row.field;
    const std::u16string textBefore = w.form.text(row.field);
    auto code = static_cast<KeyAscii>(row.key);
    w.handlers.keyPress(row.field, code);
    EXPECT_EQ(int(code), row.keyAfter);
    EXPECT_EQ(w.form.focus, row.focusAfter);
    EXPECT_EQ(w.form.text(row.field), textBefore); // the handler never edits text
    if (row.focusAfter == Control::Text2 && row.field == Control::Text1) {
        EXPECT_TRUE(w.form.wholeTextSelected(Control::Text2));
    }
    if (row.focusAfter == Control::Combo1 && row.field == Control::Text2) {
        EXPECT_EQ(w.form.selection(Control::Combo1).length, 0); // no selection made there
    }
}

INSTANTIATE_TEST_SUITE_P(FieldNavigation, AdvanceKeys, testing::ValuesIn(keyRows()), ByRowName());

struct FocusRow {
    const char *name;
    Control field;
    std::u16string text;
    bool selects;
};

const FocusRow focusRows[] = {
    {"Text1", Control::Text1, u"250", true},
    {"Text2 with full-width text", Control::Text2, u"４根", true},
    {"Text3 empty: caret at the start", Control::Text3, u"", true},
    {"Text5 result field", Control::Text5, u"15.8", true},
    {"Combo1 has no focus handler", Control::Combo1, u"16", false},
};

class FocusSelectsWholeText : public testing::TestWithParam<FocusRow> {};

TEST_P(FocusSelectsWholeText, Row)
{
    const FocusRow &row = GetParam();
    Window w;
    w.form.setText(row.field, row.text); // leaves the caret at the end, nothing selected
    w.form.setFocus(row.field);
    EXPECT_EQ(w.form.text(row.field), row.text);
    if (row.selects) {
        EXPECT_TRUE(w.form.wholeTextSelected(row.field));
    } else {
        EXPECT_EQ(w.form.selection(row.field).length, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(FieldNavigation, FocusSelectsWholeText, testing::ValuesIn(focusRows),
                         ByRowName());

} // namespace
