// The page's style sheet: every length in twips or points times the page's scale, so
// that one custom property (--scale, set by the page's script) scales the window.

#include "page_text.h"
#include "page_writer.h"
#include "stored_form.h"

namespace {

std::string twips(int value)
{
    return "calc(" + std::to_string(value) + "*var(--tw))";
}

std::string rgb(Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + ","
           + std::to_string(colour.blue) + ")";
}

// The font families of a stored face: the face itself, its English name, then the
// stand-ins in the order the desktop windows take them.
std::string families(const char16_t *face)
{
    const std::u16string name = face;
    if (name == u"华文新魏")
        return "\"华文新魏\",STXinwei,\"楷体\",KaiTi,\"Rebar Kai\",\"AR PL KaitiM GB\","
               "\"AR PL UKai CN\",serif";
    return "\"" + utf8Text(name)
           + "\",SimSun,NSimSun,\"Rebar Song\",\"AR PL SungtiL GB\",\"AR PL UMing CN\","
             "\"Noto Serif CJK SC\",serif";
}

std::string font(const StoredFont &stored)
{
    return std::string(stored.bold ? "bold " : "") + "calc(" + decimal(stored.points)
           + "*var(--pt)) " + families(stored.face);
}

std::string controlRule(const StoredControl &stored)
{
    // The combo box's place is its frame's; its field, button and list sit inside.
    const std::string id = stored.kind == ControlKind::ComboBox
                               ? std::string(controlName(stored.control)) + "-box"
                               : controlName(stored.control);
    std::string rule = "#" + id + "{left:" + twips(stored.left) + ";top:" + twips(stored.top)
                       + ";width:" + twips(stored.width) + ";height:" + twips(stored.height);
    if (stored.font != FontKind::Window)
        rule += ";font:" + font(storedFont(stored.font));
    switch (stored.colours) {
    case ColourKind::Result:
        rule += ";color:" + rgb(blue) + ";background:" + rgb(lightBlue);
        break;
    case ColourKind::BlueText:
        rule += ";color:" + rgb(blue);
        break;
    case ColourKind::Standard:
        break;
    }
    return rule + "}\n";
}

// What does not come from the stored window: the page, the frame, the controls' looks
// (after Windows 10's), the list, the message box.
constexpr char fixedRules[] =
    R"(html{-webkit-text-size-adjust:100%;text-size-adjust:100%;touch-action:manipulation}
body{margin:0;background:#dfe3e8;color:#000}
[hidden]{display:none!important}
#Form1{position:relative;box-sizing:content-box;margin:calc(24*var(--px)) auto 0;border:calc(15*var(--tw)) solid #7a7a7a;background:#fff;box-shadow:0 calc(4*var(--px)) calc(16*var(--px)) rgba(0,0,0,.25)}
@media (max-width:480px){#Form1{margin-top:0;box-shadow:none}}
#Form1-title{display:flex;align-items:center;gap:calc(105*var(--tw));padding-left:calc(120*var(--tw));font:calc(9*var(--pt)) var(--ui);user-select:none;-webkit-user-select:none}
#Form1-icon{width:calc(240*var(--tw));height:calc(240*var(--tw))}
#Form1-client{position:relative;background:#f0f0f0;font:var(--window-font);user-select:none;-webkit-user-select:none;-webkit-tap-highlight-color:transparent}
.c{position:absolute;box-sizing:border-box;margin:0}
.hit{position:absolute}
.lbl{white-space:pre;overflow:hidden;line-height:1.25;pointer-events:none}
.lbl.click{pointer-events:auto;cursor:default}
.tb,#Combo1{font:inherit;-webkit-user-select:text;user-select:text;outline:none;border-radius:0}
.tb{border:calc(15*var(--tw)) solid #7a7a7a;padding:0 calc(15*var(--tw));background:#fff;color:#000}
.tb:focus,.cb:focus-within{border-color:#0078d7}
.cb{border:calc(15*var(--tw)) solid #7a7a7a;background:#fff}
#Combo1{position:absolute;left:0;top:0;height:100%;width:calc(100% - 255*var(--tw));box-sizing:border-box;border:0;margin:0;padding:0 calc(30*var(--tw));background:transparent}
#Combo1-button{position:absolute;right:0;top:0;width:calc(255*var(--tw));height:100%}
#Combo1-button::after{content:"";position:absolute;left:50%;top:50%;border:calc(60*var(--tw)) solid transparent;border-top-color:#000;transform:translate(-50%,-25%)}
#Combo1-button:hover{background:#e5f1fb}
#Combo1-list{position:absolute;z-index:3;left:calc(-15*var(--tw));top:100%;width:calc(100% + 30*var(--tw));box-sizing:border-box;max-height:calc(1920*var(--tw) + 30*var(--tw));overflow-y:auto;background:#fff;border:calc(15*var(--tw)) solid #646464}
#Combo1-list [role=option]{height:calc(240*var(--tw));line-height:calc(240*var(--tw));padding:0 calc(30*var(--tw));white-space:nowrap;cursor:default}
@media (pointer:coarse){#Combo1-list{max-height:calc(2880*var(--tw) + 30*var(--tw))}#Combo1-list [role=option]{height:calc(360*var(--tw));line-height:calc(360*var(--tw))}}
#Combo1-list .active{background:#0078d7;color:#fff}
.btn{border:calc(15*var(--tw)) solid #adadad;background:#e1e1e1;color:#000;padding:0;border-radius:0;outline:none;cursor:default}
.btn:hover{background:#e5f1fb;border-color:#0078d7}
.btn:active{background:#cce4f7;border-color:#005499}
.btn:focus{border-color:#0078d7;box-shadow:inset 0 0 0 calc(15*var(--tw)) #0078d7}
.btn:focus-visible{outline:calc(15*var(--tw)) dotted #000;outline-offset:calc(-45*var(--tw))}
.opt{-webkit-appearance:none;appearance:none;border:0;padding:0;border-radius:0;outline:none;background:radial-gradient(circle at calc(98*var(--tw)) 50%,#fff 0 calc(82*var(--tw)),#333 calc(82*var(--tw)) calc(98*var(--tw)),transparent calc(98*var(--tw)))}
.opt:checked{background:radial-gradient(circle at calc(98*var(--tw)) 50%,#333 0 calc(38*var(--tw)),transparent calc(38*var(--tw))),radial-gradient(circle at calc(98*var(--tw)) 50%,#fff 0 calc(82*var(--tw)),#333 calc(82*var(--tw)) calc(98*var(--tw)),transparent calc(98*var(--tw)))}
.opt:focus-visible{outline:calc(15*var(--tw)) dotted #000;outline-offset:calc(-15*var(--tw))}
.show-hit-areas .hit{background:rgba(255,0,0,.25);outline:1px solid #d00;outline-offset:-1px}
.show-hit-areas .c{opacity:.75}
.show-hit-areas .c:not(.lbl),.show-hit-areas .lbl.click{outline:1px solid #00d}
#MsgBox{position:fixed;z-index:10;inset:0;background:transparent}
#MsgBox-frame{position:absolute;min-width:calc(2400*var(--tw));max-width:calc(100vw - 16*var(--px));box-sizing:border-box;border:calc(15*var(--tw)) solid #7a7a7a;background:#fff;box-shadow:0 calc(6*var(--px)) calc(20*var(--px)) rgba(0,0,0,.3);font:calc(9*var(--pt)) var(--ui)}
#MsgBox-title{display:flex;align-items:center;height:calc(360*var(--tw));padding-left:calc(120*var(--tw));user-select:none;-webkit-user-select:none}
#MsgBox-text{padding:calc(390*var(--tw)) calc(450*var(--tw)) calc(420*var(--tw));white-space:pre-line;line-height:1.5}
#MsgBox-footer{display:flex;justify-content:flex-end;padding:calc(165*var(--tw)) calc(165*var(--tw));background:#f0f0f0}
#MsgBox-OK{min-width:calc(1125*var(--tw));height:calc(345*var(--tw));font:inherit;position:relative}
#Exited,#NoWasm,#NoScript{margin:calc(48*var(--px)) auto;padding:0 calc(16*var(--px));max-width:calc(480*var(--px));text-align:center;font:calc(12*var(--pt)) var(--ui);line-height:1.8}
)";

} // namespace

std::string writeStyle(const PageParts &parts)
{
    std::string css = ":root{--scale:1;--px:calc(var(--scale)*1px);--tw:calc(var(--px)/15);"
                      "--pt:calc(var(--px)*4/3);color-scheme:light;--window-font:"
                      + font(storedFont(FontKind::Window))
                      + ";--ui:\"Microsoft YaHei UI\",\"Microsoft YaHei\",\"PingFang SC\","
                        "\"Noto Sans CJK SC\",\"Rebar Song\",sans-serif}\n";
    css += "@font-face{font-family:\"Rebar Song\";src:url(" + parts.songFontUrl
           + ") format(\"truetype\");font-display:block}\n";
    css += "@font-face{font-family:\"Rebar Kai\";src:url(" + parts.kaiFontUrl
           + ") format(\"truetype\");font-display:block}\n";
    css += fixedRules;
    css += "#Form1-title{height:" + twips(titleBarTwips) + "}\n";
    css += "#Form1-client{width:" + twips(clientWidthTwips) + ";height:" + twips(clientHeightTwips)
           + "}\n";
    for (const StoredControl &stored : storedControls)
        css += controlRule(stored);
    css += "#Form1{width:" + twips(clientWidthTwips) + "}\n";
    return css;
}
