#include "control_table.h"

#include <stdexcept>

namespace {

using K = ControlKind;
using F = FontKind;
using C = ColourKind;

} // namespace

// The option buttons are as wide as their circle, so their captions never show; they
// carry the captions of the labels that stand for them, which is the name a screen
// reader gives them.
const std::array<ControlSpec, controlCount> controlTable{{
    {Control::Label1, K::Label, L"单根长度(cm)", 360, 240, 1095, 255, 0, F::Window, C::Standard,
     true},
    {Control::Text1, K::TextBox, L"100", 360, 480, 975, 270, 3, F::Window, C::Standard, true},
    {Control::Label2, K::Label, L"根数", 2160, 240, 495, 255, 1, F::Window, C::Standard, true},
    {Control::Text2, K::TextBox, L"1", 2040, 480, 615, 270, 4, F::Window, C::Standard, true},
    {Control::Label4, K::Label, L"钢筋直径(mm)", 3480, 240, 1095, 255, 8, F::Window, C::Standard,
     true},
    {Control::Combo1, K::ComboBox, L"12", 3600, 480, 855, 300, 5, F::Window, C::Standard, true},
    {Control::Command1, K::CommandButton, L"计算", 3360, 960, 1215, 450, 6, F::Calculate,
     C::Standard, true},
    {Control::Label3, K::Label, L"总长度(m)", 360, 1020, 975, 255, 2, F::Window, C::Standard, true},
    {Control::Text3, K::TextBox, L"10", 1560, 960, 1335, 270, 7, F::Window, C::Result, true},
    {Control::Label5, K::Label, L"钢筋重量(Kg)", 360, 1560, 1095, 255, 9, F::Window, C::Standard,
     true},
    {Control::Text5, K::TextBox, L"2007", 1560, 1440, 1335, 375, 10, F::Result, C::Result, true},
    {Control::Command2, K::CommandButton, L"退出", 3360, 1440, 1215, 375, 11, F::Exit, C::Standard,
     true},
    {Control::Label6, K::Label, nullptr, 1200, 1960, 3375, 255, 12, F::Window, C::BlueText, false},
    {Control::Command3, K::CommandButton, L"联系", 360, 1920, 735, 255, 13, F::Window, C::Standard,
     true},
    {Control::Option1, K::OptionButton, L"总长度(m)", 120, 990, 255, 255, 14, F::Window,
     C::Standard, true},
    {Control::Option2, K::OptionButton, L"单根长度(cm)", 120, 200, 255, 255, 15, F::Window,
     C::Standard, true},
}};

const ControlSpec &specOf(Control control)
{
    for (const ControlSpec &stored : controlTable) {
        if (stored.control == control)
            return stored;
    }
    throw std::out_of_range("no such control in the window");
}
