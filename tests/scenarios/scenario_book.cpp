#include "scenario.h"

namespace {

using C = Control;

const std::u16string joke = u"开什么玩笑！";
const std::u16string diameters =
    u"\n可选直径：6、6.5、8、9、10、12、14、16、18、20、22、25、28、30、32、36、40、50";

const auto enter = [] { return press(Key::Enter); };
const auto tab = [] { return press(Key::Tab); };
const auto shiftTab = [] { return press(Key::ShiftTab); };

// Why rows skip the fake form: what they need is the toolkit's, not the handlers'.
constexpr char comboFocus[] = "the combo box selecting its text when the keyboard brings the "
                              "focus is the toolkit's; the fake form has no combo box of its own";
constexpr char tabKey[] = "Tab and Shift+Tab are the toolkit's";
constexpr char fieldClick[] = "a click into a field is the toolkit's";
constexpr char dropDown[] = "the drop-down list is the toolkit's";
constexpr char optionKeys[] = "the option buttons' own clicks and arrow keys are the toolkit's";
constexpr char escapeKey[] = "Escape is the toolkit's";
constexpr char closeBoxSkip[] = "the close box is the toolkit's; no handler takes part";
constexpr char pasting[] = "pasting is the toolkit's";
constexpr char otherWindows[] = "other programs' windows and the way back are the desktop's";
// Why rows skip the page.
constexpr char noCloseBox[] = "a page has no close box: the browser's tab or window closes it, "
                              "and the page is not told";

// A row whose skipping windows all skip it for one reason.
Scenario row(const char *name, unsigned windows, const char *skipReason, std::vector<Step> steps)
{
    std::vector<Skip> skips;
    if (skipReason)
        skips.push_back({OnAll & ~windows, skipReason});
    return {name, windows, std::move(skips), std::move(steps)};
}

// A row whose skipping windows give each their own reason.
Scenario row(const char *name, unsigned windows, std::vector<Skip> skips, std::vector<Step> steps)
{
    return {name, windows, std::move(skips), std::move(steps)};
}

std::vector<Scenario> makeBook()
{
    return {
        row("the window starts ready for the first bar", OnAll, nullptr,
            {selectedIn(C::Text1, u"100"), textIs(C::Text2, u"1"), textIs(C::Combo1, u"12"),
             textIs(C::Text3, u"10"), textIs(C::Text5, u"2007"), optionSet(C::Option2),
             hidden(C::Label6), listOpen(false), listItems(17)}),

        row("a first bar with the stored diameter", OnAll, nullptr,
            {type(u"250"), enter(), selectedIn(C::Text2, u"1"), type(u"4"), enter(),
             focusIn(C::Combo1), enter(), focusIn(C::Command1), enter(), textIs(C::Text3, u"10"),
             textIs(C::Text5, u"8.88"), selectedIn(C::Text1, u"250")}),

        row("three bars in a row, new values in every field each time", OnWindows, comboFocus,
            {type(u"250"), enter(), selectedIn(C::Text2, u"1"), type(u"4"), enter(),
             selectedIn(C::Combo1, u"12"), type(u"16"), enter(), focusIn(C::Command1), enter(),
             textIs(C::Text3, u"10"), textIs(C::Text5, u"15.8"), selectedIn(C::Text1, u"250"),
             // The second bar: every field offers the last bar's value to type over.
             type(u"300"), enter(), selectedIn(C::Text2, u"4"), type(u"2"), enter(),
             selectedIn(C::Combo1, u"16"), type(u"20"), enter(), focusIn(C::Command1), enter(),
             textIs(C::Text3, u"6"), textIs(C::Text5, u"14.82"), selectedIn(C::Text1, u"300"),
             // The third, with the keypad's Enter.
             type(u"1200"), enter(), selectedIn(C::Text2, u"2"), type(u"3.5"),
             press(Key::KeypadEnter), selectedIn(C::Combo1, u"20"), type(u"8"),
             press(Key::KeypadEnter), focusIn(C::Command1), press(Key::KeypadEnter),
             textIs(C::Text3, u"42"), textIs(C::Text5, u"16.59"), selectedIn(C::Text1, u"1200")}),

        row("d and D advance like Enter and never reach a field", OnAll, nullptr,
            {type(u"3d"), selectedIn(C::Text2, u"1"), textIs(C::Text1, u"3"), type(u"2D"),
             focusIn(C::Combo1), textIs(C::Text2, u"2"), type(u"d"), focusIn(C::Command1),
             textIs(C::Combo1, u"12"), enter(), textIs(C::Text3, u"0.06"),
             textIs(C::Text5, u"0.05"), selectedIn(C::Text1, u"3"), type(u"1e2x"),
             textIs(C::Text1, u"1e2x"), focusIn(C::Text1)}),

        row("d and D walk a second round over typed fields", OnWindows, comboFocus,
            {type(u"250d4D16d"), focusIn(C::Command1), enter(), textIs(C::Text5, u"15.8"),
             type(u"300d"), selectedIn(C::Text2, u"4"), type(u"2D"), selectedIn(C::Combo1, u"16"),
             type(u"20d"), focusIn(C::Command1), enter(), textIs(C::Text3, u"6"),
             textIs(C::Text5, u"14.82"), selectedIn(C::Text1, u"300")}),

        row("the result field takes every key and Enter there does nothing", OnWindows, fieldClick,
            {click(C::Text5), selectedIn(C::Text5, u"2007"), type(u"dD"), enter(),
             textIs(C::Text5, u"dD"), focusIn(C::Text5), textIs(C::Text3, u"10")}),

        row("Tab walks the tab order and selects each field it enters, lap after lap", OnWindows,
            tabKey,
            {type(u"250"), tab(), selectedIn(C::Text2, u"1"), type(u"4"), tab(),
             selectedIn(C::Combo1, u"12"), type(u"16"), tab(), focusIn(C::Command1), tab(),
             selectedIn(C::Text3, u"10"), type(u"7"), tab(), selectedIn(C::Text5, u"2007"),
             type(u"9"), tab(), focusIn(C::Command2), tab(), focusIn(C::Command3), tab(),
             // The option group is one tab stop, entered at the button that is set.
             focusIn(C::Option2), tab(), selectedIn(C::Text1, u"250"), tab(),
             selectedIn(C::Text2, u"4"), tab(), selectedIn(C::Combo1, u"16"), tab(),
             focusIn(C::Command1), tab(), selectedIn(C::Text3, u"7"), tab(),
             selectedIn(C::Text5, u"9")}),

        row("Shift+Tab walks back and selects each field it enters", OnWindows, tabKey,
            {type(u"250"), enter(), type(u"4"), enter(), type(u"16"), enter(),
             // Back from the calculate button over the whole tab order.
             shiftTab(), selectedIn(C::Combo1, u"16"), shiftTab(), selectedIn(C::Text2, u"4"),
             shiftTab(), selectedIn(C::Text1, u"250"), shiftTab(), focusIn(C::Option2), shiftTab(),
             focusIn(C::Command3), shiftTab(), focusIn(C::Command2), shiftTab(),
             selectedIn(C::Text5, u"2007"), type(u"9"), shiftTab(), selectedIn(C::Text3, u"10"),
             type(u"7"), tab(), selectedIn(C::Text5, u"9"), shiftTab(),
             selectedIn(C::Text3, u"7")}),

        row("a click into a field selects its whole text and a second click places the caret",
            OnWindows, fieldClick,
            {type(u"250"), enter(), type(u"4"), enter(), click(C::Text1),
             selectedIn(C::Text1, u"250"), click(C::Text1), caretIn(C::Text1, 3), click(C::Text2),
             selectedIn(C::Text2, u"4"), type(u"5"), textIs(C::Text2, u"5"), click(C::Text3),
             selectedIn(C::Text3, u"10"), type(u"7"), click(C::Text5),
             selectedIn(C::Text5, u"2007"), click(C::Text3), selectedIn(C::Text3, u"7")}),

        // As Windows' own combo box does: the click places the caret after the focus
        // came, where it lands.
        row("a click into the diameter field leaves the caret where the click lands", OnWindows,
            fieldClick,
            {type(u"250"), enter(), type(u"4"), enter(), type(u"16"), enter(), click(C::Combo1),
             caretIn(C::Combo1, 2), type(u"0"), textIs(C::Combo1, u"160")}),

        row("a diameter picked from the drop-down list", OnWindows, dropDown,
            {type(u"250"), enter(), type(u"4"), enter(), press(Key::OpenList), listOpen(true),
             pickItem(u"16"), listOpen(false), textIs(C::Combo1, u"16"), focusIn(C::Combo1),
             enter(), focusIn(C::Command1), enter(), textIs(C::Text5, u"15.8")}),

        // As Windows' combo box has it: the list opens at the diameter in the field, and
        // Enter there closes it and reaches the field's KeyPress too.
        row("Enter in the open list picks the item and goes on to the calculate button", OnWindows,
            dropDown,
            {type(u"250"), enter(), type(u"4"), enter(), press(Key::OpenList), listOpen(true),
             press(Key::Down), enter(), listOpen(false), textIs(C::Combo1, u"14"),
             focusIn(C::Command1), enter(), textIs(C::Text5, u"12.1")}),

        row("a zero length is refused and the user is sent back to it", OnAll, nullptr,
            {type(u"0"), enter(), enter(), enter(), focusIn(C::Command1), enter(), box(joke),
             textIs(C::Text3, u"0"), textIs(C::Text5, u"2007"), selectedIn(C::Text1, u"0"),
             type(u"250"), enter(), enter(), enter(), enter(), textIs(C::Text5, u"2.22"),
             selectedIn(C::Text1, u"250")}),

        row("a negative count is refused and the user is sent back to it", OnAll, nullptr,
            {enter(), type(u"-4"), enter(), enter(), enter(), box(joke), textIs(C::Text3, u"-4"),
             selectedIn(C::Text2, u"-4"), type(u"4"), enter(), enter(), enter(),
             textIs(C::Text5, u"3.55"), selectedIn(C::Text1, u"100")}),

        row("both negative: one box, and the user ends in the count", OnAll, nullptr,
            {type(u"-100"), enter(), type(u"-1"), enter(), enter(), enter(), box(joke),
             textIs(C::Text3, u"1"), selectedIn(C::Text2, u"-1")}),

        row("a count that is no number is named", OnAll, nullptr,
            {enter(), type(u"四"), enter(), enter(), enter(), box(u"请在“根数”中输入数字。"),
             textIs(C::Text3, u"10"), selectedIn(C::Text2, u"四")}),

        row("a length beyond the range of a double", OnAll, nullptr,
            {type(u"1e400"), enter(), enter(), enter(), enter(), box(u"数值太大，无法计算。"),
             textIs(C::Text3, u"10"), selectedIn(C::Text1, u"1e400")}),

        row("a diameter the table lacks is refused with the list of those it has", OnWindows,
            comboFocus,
            // Typed text stays as typed: nothing completes it, nothing adds it to the list.
            {type(u"250"), enter(), type(u"4"), enter(), type(u"2"), textIs(C::Combo1, u"2"),
             type(u"7"), enter(), listItems(17), textIs(C::Combo1, u"27"), enter(),
             box(u"表中没有直径 27 mm 的钢筋。" + diameters), textIs(C::Text5, u"2007"),
             selectedIn(C::Combo1, u"27"), type(u"25"), enter(), enter(),
             textIs(C::Text5, u"38.5")}),

        row("a direct total length of zero is refused and the user is sent back to it", OnWindows,
            fieldClick,
            {click(C::Label3), optionSet(C::Option1), click(C::Text3), selectedIn(C::Text3, u"10"),
             type(u"0"), enter(), focusIn(C::Command1), enter(), box(joke),
             selectedIn(C::Text3, u"0"), type(u"2.5"), enter(), enter(), textIs(C::Text5, u"2.22"),
             textIs(C::Text3, u"2.5"), selectedIn(C::Text1, u"100")}),

        row("in the direct mode Enter in the total length goes to the calculate button", OnWindows,
            fieldClick,
            {click(C::Label3), click(C::Text3), type(u"100"), enter(), focusIn(C::Command1),
             press(Key::Space), textIs(C::Text3, u"100"), textIs(C::Text5, u"88.8"),
             selectedIn(C::Text1, u"100")}),

        row("the labels switch the mode and move no focus", OnAll, nullptr,
            {click(C::Label3), optionSet(C::Option1), selectedIn(C::Text1, u"100"),
             click(C::Label2), optionSet(C::Option1), click(C::Label1), optionSet(C::Option2),
             click(C::Label1), optionSet(C::Option2), click(C::Label3), optionSet(C::Option1),
             selectedIn(C::Text1, u"100"), enter(), enter(), enter(), enter(),
             textIs(C::Text3, u"10"), textIs(C::Text5, u"8.88")}),

        row("the option circles and the arrow keys set the mode", OnWindows, optionKeys,
            {click(C::Option1), optionSet(C::Option1), focusIn(C::Option1), press(Key::Up),
             optionSet(C::Option2), focusIn(C::Option2), press(Key::Down), optionSet(C::Option1),
             focusIn(C::Option1), tab(), selectedIn(C::Text1, u"100"), shiftTab(),
             focusIn(C::Option1)}),

        row("Tab enters the option group at the button that is set", OnWindows, tabKey,
            {tab(), tab(), tab(), tab(), tab(), tab(), tab(), focusIn(C::Command3), tab(),
             focusIn(C::Option2), click(C::Label3), optionSet(C::Option1), focusIn(C::Option2),
             tab(), selectedIn(C::Text1, u"100"), shiftTab(), focusIn(C::Option1)}),

        row("Space on the calculate button 计算 calculates", OnAll, nullptr,
            {enter(), enter(), enter(), focusIn(C::Command1), press(Key::Space),
             textIs(C::Text3, u"1"), textIs(C::Text5, u"0.89"), selectedIn(C::Text1, u"100")}),

        row("the contact button 联系 shows the author line for good and changes nothing else",
            OnAll, nullptr,
            {click(C::Command3), shown(C::Label6), focusIn(C::Command3), click(C::Command3),
             shown(C::Label6), textIs(C::Text5, u"2007"), textIs(C::Text1, u"100"),
             optionSet(C::Option2)}),

        row("Enter and Space on the contact button 联系 show the author line", OnWindows, tabKey,
            {tab(), tab(), tab(), tab(), tab(), tab(), tab(), focusIn(C::Command3), enter(),
             shown(C::Label6), focusIn(C::Command3), press(Key::Space), shown(C::Label6),
             textIs(C::Text5, u"2007")}),

        row("the exit button 退出 ends the program at once whatever the fields hold", OnAll,
            nullptr, {type(u"不是数"), click(C::Command2), closed()}),

        row("Enter on the exit button 退出 ends the program", OnWindows, tabKey,
            {type(u"x"), tab(), tab(), tab(), tab(), tab(), tab(), focusIn(C::Command2), enter(),
             closed()}),

        row("the close box ends the program with no question", OnQt | OnWin32,
            {{OnFake, closeBoxSkip}, {OnWeb, noCloseBox}}, {type(u"x"), closeBox(), closed()}),

        row("Escape closes nothing and changes nothing", OnWindows, escapeKey,
            {press(Key::Escape), selectedIn(C::Text1, u"100"), click(C::Text5), press(Key::Escape),
             enter(), focusIn(C::Text5), tab(), focusIn(C::Command2), press(Key::Escape),
             focusIn(C::Command2), tab(), tab(), focusIn(C::Option2), press(Key::Escape),
             textIs(C::Text3, u"10"), textIs(C::Text5, u"2007")}),

        // Enter types 13 with Shift too; Ctrl+Enter types a line feed (10), which is no
        // advance key and which a one-line field does not take; Alt+Enter types nothing.
        row("Shift+Enter walks like Enter, Ctrl+Enter and Alt+Enter stay in the field", OnAll,
            nullptr,
            {type(u"250"), press(Key::CtrlEnter), focusIn(C::Text1), textIs(C::Text1, u"250"),
             press(Key::AltEnter), focusIn(C::Text1), textIs(C::Text1, u"250"),
             press(Key::ShiftEnter), selectedIn(C::Text2, u"1"), type(u"4"), press(Key::ShiftEnter),
             focusIn(C::Combo1), press(Key::ShiftEnter), focusIn(C::Command1), press(Key::AltEnter),
             focusIn(C::Command1), textIs(C::Text5, u"2007"), enter(), textIs(C::Text5, u"8.88")}),

        // The key's repeats walk on as its presses do, but a repeat presses no button.
        row("Enter held down walks to 计算 and presses nothing there", OnAll, nullptr,
            {press(Key::HeldEnter), focusIn(C::Command1), textIs(C::Text3, u"10"),
             textIs(C::Text5, u"2007"), enter(), textIs(C::Text3, u"1"), textIs(C::Text5, u"0.89"),
             selectedIn(C::Text1, u"100")}),

        row("Alt+Down opens the list at the diameter in the field and Escape closes it", OnWindows,
            dropDown,
            {type(u"250"), enter(), type(u"4"), enter(), press(Key::AltDown), listOpen(true),
             press(Key::Escape), listOpen(false), textIs(C::Combo1, u"12"), focusIn(C::Combo1),
             press(Key::AltDown), listOpen(true), press(Key::Down), enter(), listOpen(false),
             textIs(C::Combo1, u"14"), focusIn(C::Command1)}),

        // Another program's window in between moves no focus in this one: the field that
        // had it gets it back with its text, selection and caret as they were.
        row("coming back from another window keeps what was typed and where", OnWindows,
            otherWindows,
            {type(u"25"), leave(), comeBack(), caretIn(C::Text1, 2), type(u"0"),
             textIs(C::Text1, u"250"), enter(), selectedIn(C::Text2, u"1"), leave(), comeBack(),
             selectedIn(C::Text2, u"1"), type(u"4"), textIs(C::Text2, u"4")}),

        row("a click on the way back selects another field and places the caret in the same one",
            OnWindows, otherWindows,
            {type(u"25"), leave(), click(C::Text2), selectedIn(C::Text2, u"1"), leave(),
             click(C::Text2), caretIn(C::Text2, 1), leave(), click(C::Text1),
             selectedIn(C::Text1, u"25")}),

        row("a cell pasted from a spreadsheet keeps its first line", OnWindows, pasting,
            {paste(u"250\r\n"), textIs(C::Text1, u"250"), enter(), type(u"4"), enter(),
             paste(u"16\r\n"), textIs(C::Combo1, u"16"), enter(), enter(),
             textIs(C::Text5, u"15.8"), paste(u"1,200\r\n"), textIs(C::Text1, u"1,200"), enter(),
             enter(), enter(), enter(), textIs(C::Text3, u"48"), textIs(C::Text5, u"75.84")}),
    };
}

} // namespace

const std::vector<Scenario> &scenarioBook()
{
    static const std::vector<Scenario> book = makeBook();
    return book;
}
