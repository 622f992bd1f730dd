// The page against the stored window it is written from: every control with its name,
// number, kind, caption, accessible name, place and size in twips, font, colours and
// visibility, in tab order; the window and the message box; what each of the two pages
// carries.

#include "author_line.h"
#include "form1.h"
#include "page_markup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string caption(const StoredControl &stored)
{
    return escapeHtml(stored.caption ? utf8Text(stored.caption) : utf8Text(authorLine()));
}

// What a phone's keyboard marks its Enter key with: Enter walks 单根长度 → 根数 →
// 钢筋直径 → 计算 and 总长度 → 计算, and stays in the result.
std::string enterKeyHintOf(Control field)
{
    switch (field) {
    case Control::Text1:
    case Control::Text2:
        return "next";
    case Control::Combo1:
    case Control::Text3:
        return "go";
    default:
        return "done";
    }
}

class PageControl : public testing::TestWithParam<StoredControl> {};

TEST_P(PageControl, isTheStoredControl)
{
    const StoredControl &stored = GetParam();
    const std::string &page = sitePage();
    const std::string id = name(stored.control);
    const std::string tag = startTag(page, id);
    ASSERT_FALSE(tag.empty()) << id << " is not in the page exactly once";
    EXPECT_EQ(attributeOf(tag, "data-control"), std::to_string(static_cast<int>(stored.control)));
    EXPECT_EQ(hasAttribute(tag, "hidden"), !stored.visible);

    std::string placed = id; // the element that bears the place: the combo box's frame
    switch (stored.kind) {
    case ControlKind::Label:
        EXPECT_EQ(tag.rfind("<div ", 0), 0u);
        EXPECT_EQ(contentOf(page, id), caption(stored));
        EXPECT_EQ(attributeOf(tag, "class"),
                  Form1::handlesClick(stored.control) ? "c lbl click" : "c lbl");
        break;
    case ControlKind::TextBox:
        EXPECT_EQ(tag.rfind("<input ", 0), 0u);
        EXPECT_EQ(attributeOf(tag, "type"), "text");
        EXPECT_EQ(attributeOf(tag, "value"), caption(stored));
        break;
    case ControlKind::ComboBox:
        placed = id + "-box";
        EXPECT_EQ(attributeOf(tag, "role"), "combobox");
        EXPECT_EQ(attributeOf(tag, "value"), caption(stored));
        EXPECT_EQ(attributeOf(tag, "aria-controls"), id + "-list");
        EXPECT_EQ(attributeOf(startTag(page, id + "-list"), "role"), "listbox");
        EXPECT_FALSE(startTag(page, id + "-button").empty());
        break;
    case ControlKind::CommandButton:
        EXPECT_EQ(tag.rfind("<button ", 0), 0u);
        EXPECT_EQ(attributeOf(tag, "type"), "button");
        EXPECT_EQ(contentOf(page, id), caption(stored));
        break;
    case ControlKind::OptionButton:
        EXPECT_EQ(attributeOf(tag, "type"), "radio");
        EXPECT_EQ(attributeOf(tag, "name"), "mode");
        EXPECT_EQ(hasAttribute(tag, "checked"), stored.control == optionSetAtStart);
        break;
    }
    // Fields, the combo box and the option buttons are named by their labels' captions.
    if (stored.kind != ControlKind::Label && stored.kind != ControlKind::CommandButton) {
        EXPECT_EQ(attributeOf(tag, "aria-label"), utf8Text(nameOf(stored.control)));
    }
    if (stored.kind == ControlKind::TextBox || stored.kind == ControlKind::ComboBox) {
        EXPECT_EQ(attributeOf(tag, "enterkeyhint"), enterKeyHintOf(stored.control));
        EXPECT_EQ(attributeOf(tag, "inputmode"), "decimal");
    }

    const std::string rule = ruleOf(page, placed);
    EXPECT_EQ(rule.rfind("left:" + tw(stored.left) + ";top:" + tw(stored.top)
                             + ";width:" + tw(stored.width) + ";height:" + tw(stored.height),
                         0),
              0u)
        << rule;
    const StoredFont font = storedFont(stored.font);
    const bool ownFont = rule.find(";font:") != std::string::npos;
    EXPECT_EQ(ownFont, stored.font != FontKind::Window) << rule;
    if (ownFont) {
        EXPECT_NE(rule.find(";font:" + std::string(font.bold ? "bold " : "") + "calc("
                            + decimal(font.points) + "*var(--pt)) \"" + utf8Text(font.face) + "\""),
                  std::string::npos)
            << rule;
    }
    const bool blueText = rule.find("color:rgb(0,0,255)") != std::string::npos;
    const bool lightBlueGround = rule.find("background:rgb(192,192,255)") != std::string::npos;
    EXPECT_EQ(blueText, stored.colours != ColourKind::Standard) << rule;
    EXPECT_EQ(lightBlueGround, stored.colours == ColourKind::Result) << rule;
}

INSTANTIATE_TEST_SUITE_P(Page, PageControl, testing::ValuesIn(storedControls),
                         [](const testing::TestParamInfo<StoredControl> &info) {
                             return name(info.param.control);
                         });

TEST(Page, domOrderIsTabOrder)
{
    const std::string &page = sitePage();
    std::size_t last = 0;
    for (const StoredControl &stored : storedControls) {
        const std::size_t at = page.find(" id=\"" + name(stored.control) + "\"");
        ASSERT_NE(at, std::string::npos);
        EXPECT_GT(at, last) << name(stored.control) << " comes before an earlier tab stop";
        last = at;
    }
}

TEST(Page, windowTitleAndMessageBox)
{
    const std::string &page = sitePage();
    EXPECT_NE(page.find("<title>钢筋重量计算</title>"), std::string::npos);
    EXPECT_EQ(attributeOf(startTag(page, "Form1"), "role"), "dialog");
    EXPECT_EQ(attributeOf(startTag(page, "Form1"), "aria-labelledby"), "Form1-title");
    EXPECT_NE(page.find(">钢筋重量计算</div>\n<div id=\"Form1-client\">"), std::string::npos);
    EXPECT_EQ(ruleOf(page, "Form1-client"),
              "width:" + tw(clientWidthTwips) + ";height:" + tw(clientHeightTwips));
    const std::string box = startTag(page, "MsgBox");
    EXPECT_EQ(attributeOf(box, "role"), "alertdialog");
    EXPECT_EQ(attributeOf(box, "aria-modal"), "true");
    EXPECT_TRUE(hasAttribute(box, "hidden"));
    EXPECT_EQ(contentOf(page, "MsgBox-title"), "钢筋重量计算");
    EXPECT_EQ(contentOf(page, "MsgBox-OK"), "确定");
    // The scale's page width: the client area and the frame on both sides.
    EXPECT_EQ(attributeOf(startTag(page, "Form1"), "data-width-twips"),
              std::to_string(clientWidthTwips + 2 * frameTwips));
}

TEST(Page, theTwoPagesCarryWhatEachNeeds)
{
    PageParts parts = siteParts();
    parts.headScript = "askForTheModule();\n";
    const std::string site = writePage(parts);
    // The head asks for the module (its script inline) and fetches the page's script,
    // which runs once the document is parsed.
    const std::size_t headEnd = site.find("</head>");
    const std::size_t asks = site.find("<script>\naskForTheModule();\n</script>");
    const std::string scriptTag = "<script defer src=\"rebar-weight.js\"></script>";
    const std::size_t script = site.find(scriptTag);
    EXPECT_LT(asks, headEnd);
    EXPECT_LT(script, headEnd);
    EXPECT_EQ(site.find("rebar-weight.js", script + scriptTag.size()), std::string::npos)
        << "the page's script is loaded twice";
    // The module is preloaded first of all, in the mode of the head's fetch.
    const std::size_t preload =
        site.find("<link rel=\"preload\" href=\"rebar-weight.wasm\" as=\"fetch\" crossorigin>");
    EXPECT_LT(preload, site.find("<meta", site.find("<meta charset") + 1));
    EXPECT_LT(preload, asks);
    EXPECT_NE(site.find("<link rel=\"manifest\" href=\"manifest.webmanifest\">"),
              std::string::npos);
    EXPECT_NE(site.find("src:url(rebar-song.ttf)"), std::string::npos);
    EXPECT_EQ(site.find("Module-base64"), std::string::npos);

    parts.singleFile = true;
    parts.script = "startPage();\n";
    parts.moduleBase64 = base64(std::string("\0asm", 4));
    parts.songFontUrl = "data:font/ttf;base64,U09ORw==";
    parts.facesLicence = "ARPHIC PUBLIC LICENSE\n";
    const std::string one = writePage(parts);
    EXPECT_NE(one.find("<script type=\"text/plain\" id=\"Faces-licence\">\nARPHIC PUBLIC "
                       "LICENSE\n</script>"),
              std::string::npos);
    EXPECT_EQ(site.find("Faces-licence"), std::string::npos);
    EXPECT_NE(one.find("<script type=\"text/plain\" id=\"Module-base64\">AGFzbQ==</script>"),
              std::string::npos);
    EXPECT_NE(one.find("<script>\nstartPage();\n</script>"), std::string::npos);
    EXPECT_NE(one.find("src:url(data:font/ttf;base64,U09ORw==)"), std::string::npos);
    EXPECT_EQ(one.find("manifest"), std::string::npos);
    EXPECT_EQ(one.find("rebar-weight.js"), std::string::npos);
    EXPECT_EQ(one.find("askForTheModule"), std::string::npos)
        << "the one-file page carries its module and asks for none";
    EXPECT_EQ(one.find("preload"), std::string::npos);

    // Nothing comes from another site.
    for (const std::string *page : {&site, &one}) {
        EXPECT_EQ(page->find("http:"), std::string::npos);
        EXPECT_EQ(page->find("https:"), std::string::npos);
        EXPECT_EQ(page->find("\"//"), std::string::npos);
    }

    parts.script = "var end = \"</script>\";\n";
    EXPECT_EQ(writePage(parts), "") << "an inline script must not end its own element";
    PageParts head = siteParts();
    head.headScript = "var end = \"</script>\";\n";
    EXPECT_EQ(writePage(head), "") << "the head's script must not end its own element";
}

} // namespace
