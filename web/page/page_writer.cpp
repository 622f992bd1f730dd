#include "page_writer.h"

#include "author_line.h"
#include "enter_key_hints.h"
#include "form1.h"
#include "hit_areas.h"
#include "page_text.h"
#include "stored_form.h"

namespace {

std::string attribute(const char *name, const std::string &value)
{
    return std::string(" ") + name + "=\"" + escapeHtml(value) + "\"";
}

std::string text(const char16_t *value)
{
    return escapeHtml(utf8Text(value));
}

std::string number(Control control)
{
    return std::to_string(static_cast<int>(control));
}

std::string caption(const StoredControl &stored)
{
    return stored.caption ? utf8Text(stored.caption) : utf8Text(authorLine());
}

// What a field of the page is told for a phone's keyboard: a number pad (the page's
// script asks for the letters' keyboard where the number pad has no Enter key), and
// what the keyboard's Enter key says: where Enter goes from the field.
std::string fieldAttributes(const StoredControl &stored)
{
    return attribute("type", "text") + attribute("value", caption(stored))
           + attribute("aria-label", utf8Text(nameOf(stored.control)))
           + " autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" "
             "spellcheck=\"false\" inputmode=\"decimal\""
           + attribute("enterkeyhint", enterKeyHint(stored.control));
}

std::string controlElement(const StoredControl &stored)
{
    const std::string id = controlName(stored.control);
    const std::string common = attribute("data-control", number(stored.control));
    const std::string hidden = stored.visible ? "" : " hidden";
    switch (stored.kind) {
    case ControlKind::Label: {
        const bool clickable = Form1::handlesClick(stored.control);
        return "<div" + attribute("id", id)
               + attribute("class", clickable ? "c lbl click" : "c lbl") + common + hidden + ">"
               + escapeHtml(caption(stored)) + "</div>\n";
    }
    case ControlKind::TextBox:
        return "<input" + attribute("id", id) + attribute("class", "c tb") + common
               + fieldAttributes(stored) + hidden + ">\n";
    case ControlKind::ComboBox:
        // An editable drop-down: the field, the button that drops the list down (no tab
        // stop, as in a Windows combo box) and the list, which the load handler fills.
        return "<div" + attribute("id", id + "-box") + attribute("class", "c cb") + hidden + ">"
               + "<input" + attribute("id", id) + common + fieldAttributes(stored)
               + " role=\"combobox\" aria-expanded=\"false\""
               + attribute("aria-controls", id + "-list") + " aria-autocomplete=\"none\">" + "<div"
               + attribute("id", id + "-button") + " aria-hidden=\"true\"></div>" + "<div"
               + attribute("id", id + "-list") + " role=\"listbox\""
               + attribute("aria-label", utf8Text(nameOf(stored.control)))
               + " hidden></div></div>\n";
    case ControlKind::CommandButton:
        return "<button" + attribute("id", id) + attribute("class", "c btn") + common
               + " type=\"button\"" + hidden + ">" + escapeHtml(caption(stored)) + "</button>\n";
    case ControlKind::OptionButton:
        // Its stored caption never shows at its width; it carries the name of the label
        // that stands for it, as the desktop windows do.
        return "<input" + attribute("id", id) + attribute("class", "c opt") + common
               + " type=\"radio\" name=\"mode\""
               + attribute("aria-label", utf8Text(nameOf(stored.control)))
               + (stored.control == optionSetAtStart ? " checked" : "") + hidden + ">\n";
    }
    return "";
}

std::string hitAreaRule(const HitArea &hit)
{
    const auto tw = [](int value) { return "calc(" + std::to_string(value) + "*var(--tw))"; };
    return "#" + std::string(controlName(hit.control)) + "-hit{left:" + tw(hit.area.left)
           + ";top:" + tw(hit.area.top) + ";width:" + tw(hit.area.width())
           + ";height:" + tw(hit.area.height()) + "}\n";
}

std::string hitAreaElement(const HitArea &hit)
{
    const std::string id = controlName(hit.control);
    return "<div" + attribute("id", id + "-hit") + " class=\"hit\"" + attribute("data-for", id)
           + " aria-hidden=\"true\"></div>\n";
}

// Shown instead of the window by a browser without WebAssembly (a Chinese browser in
// its compatibility mode runs Internet Explorer's engine). The check is ES3, so that
// every browser runs it.
constexpr char noWasm[] =
    R"(<div id="NoWasm" style="display:none">这个浏览器打不开钢筋重量计算。请用新版的 Edge、Chrome、Firefox 或 Safari 打开本页；360、QQ、搜狗等浏览器请在地址栏右侧切换到“极速模式”。</div>
<noscript><style>#Form1{display:none}</style><div id="NoScript">钢筋重量计算需要 JavaScript。请在浏览器的设置中允许本页运行 JavaScript。</div></noscript>
<script>
(function () {
    if (typeof WebAssembly !== "object") {
        document.getElementById("Form1").style.display = "none";
        document.getElementById("NoWasm").style.display = "block";
    }
})();
</script>
)";

constexpr char messageBox[] =
    R"(<div id="MsgBox" role="alertdialog" aria-modal="true" aria-labelledby="MsgBox-title" aria-describedby="MsgBox-text" hidden><div id="MsgBox-frame"><div id="MsgBox-title">)";
constexpr char messageBoxEnd[] =
    R"(</div><div id="MsgBox-text"></div><div id="MsgBox-footer"><button id="MsgBox-OK" class="btn" type="button">确定</button></div></div></div>
)";

} // namespace

std::string writePage(const PageParts &parts)
{
    const auto areas = hitAreas();
    if (!areas)
        return {};
    std::string css = writeStyle(parts);
    for (const HitArea &hit : *areas)
        css += hitAreaRule(hit);

    const std::string title = text(formCaption);
    std::string page = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n";
    // The module first, before anything else the head names: the browser asks for it
    // as soon as it has read this far. The head's script (below) takes it up; its fetch
    // is of the same mode (crossorigin: the credentials of a same-origin fetch).
    if (!parts.singleFile)
        page += "<link rel=\"preload\"" + attribute("href", parts.moduleFile)
                + " as=\"fetch\" crossorigin>\n";
    page += "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n"
            "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
            "<meta name=\"theme-color\" content=\"#dfe3e8\">\n<title>"
            + title + "</title>\n<link rel=\"icon\"" + attribute("href", parts.iconUrl) + ">\n";
    if (!parts.singleFile) {
        page += "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
                "<link rel=\"apple-touch-icon\" href=\"icon-192.png\">\n";
        // The module's bytes are taken up as the parser reaches the head; the page's
        // script comes beside them and runs once the document is parsed, holding up
        // neither the parser nor the first frame.
        if (parts.headScript.find("</script") != std::string::npos)
            return {};
        page += "<script>\n" + parts.headScript + "</script>\n<script defer"
                + attribute("src", parts.scriptFile) + "></script>\n";
    }
    page += "<style>\n" + css + "</style>\n</head>\n<body>\n";

    page += "<div id=\"Form1\" role=\"dialog\" aria-labelledby=\"Form1-title\""
            + attribute("data-control", number(Control::Form1))
            + attribute("data-width-twips", std::to_string(clientWidthTwips + 2 * frameTwips))
            + attribute("data-height-twips",
                        std::to_string(clientHeightTwips + titleBarTwips + 2 * frameTwips))
            + ">\n<div id=\"Form1-title\"><img id=\"Form1-icon\" alt=\"\""
            + attribute("src", parts.iconUrl) + ">" + title + "</div>\n<div id=\"Form1-client\">\n";
    // Beneath the controls, so that a press on a control itself reaches the control.
    for (const HitArea &hit : *areas)
        page += hitAreaElement(hit);
    // DOM order is tab order.
    for (const StoredControl &stored : storedControls)
        page += controlElement(stored);
    page += "</div>\n</div>\n";
    page += messageBox + title + messageBoxEnd;
    page += noWasm;

    if (parts.singleFile) {
        if (parts.script.find("</script") != std::string::npos
            || parts.facesLicence.find("</script") != std::string::npos)
            return {};
        page += "<script type=\"text/plain\" id=\"Faces-licence\">\n" + parts.facesLicence
                + "</script>\n";
        page += "<script type=\"text/plain\" id=\"Module-base64\">" + parts.moduleBase64
                + "</script>\n<script>\n" + parts.script + "</script>\n";
    }
    return page + "</body>\n</html>\n";
}
