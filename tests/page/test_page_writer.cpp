// The page against the stored window it is written from: every control with its name,
// number, kind, caption, accessible name, place and size in twips, font, colours and
// visibility, in tab order; the hit areas; what each of the two pages carries.

#include "author_line.h"
#include "form1.h"
#include "hit_areas.h"
#include "page_text.h"
#include "page_writer.h"
#include "stored_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

PageParts siteParts()
{
    PageParts parts;
    parts.iconUrl = "data:image/png;base64,AAAA";
    return parts;
}

const std::string &sitePage()
{
    static const std::string page = writePage(siteParts());
    return page;
}

// The start tag of the one element whose id is `id`; empty when there is none or more.
std::string startTag(const std::string &page, const std::string &id)
{
    const std::string needle = " id=\"" + id + "\"";
    const std::size_t at = page.find(needle);
    if (at == std::string::npos || page.find(needle, at + 1) != std::string::npos)
        return {};
    const std::size_t open = page.rfind('<', at);
    return page.substr(open, page.find('>', at) - open + 1);
}

// The value of an attribute of a start tag; "(none)" when it has none.
std::string attributeOf(const std::string &tag, const std::string &name)
{
    const std::string needle = " " + name + "=\"";
    const std::size_t at = tag.find(needle);
    if (at == std::string::npos)
        return "(none)";
    const std::size_t start = at + needle.size();
    return tag.substr(start, tag.find('"', start) - start);
}

bool hasAttribute(const std::string &tag, const std::string &name)
{
    return tag.find(" " + name + " ") != std::string::npos
           || tag.find(" " + name + ">") != std::string::npos
           || tag.find(" " + name + "=") != std::string::npos;
}

// The text after an element's start tag, up to the next tag.
std::string contentOf(const std::string &page, const std::string &id)
{
    const std::string tag = startTag(page, id);
    const std::size_t start = page.find(tag) + tag.size();
    return page.substr(start, page.find('<', start) - start);
}

// The declarations of the last style rule "#id{...}": the one written from the stored
// window, after the page's fixed look.
std::string ruleOf(const std::string &page, const std::string &id)
{
    const std::string needle = "\n#" + id + "{";
    const std::size_t at = page.rfind(needle);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + needle.size();
    return page.substr(start, page.find('}', start) - start);
}

std::string tw(int twips)
{
    return "calc(" + std::to_string(twips) + "*var(--tw))";
}

std::string caption(const StoredControl &stored)
{
    return escapeHtml(stored.caption ? utf8Text(stored.caption) : utf8Text(authorLine()));
}

std::string name(Control control)
{
    return controlName(control);
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
        EXPECT_EQ(attributeOf(tag, "enterkeyhint"),
                  Form1::handlesKeyPress(stored.control) ? "next" : "done");
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
    const std::string &site = sitePage();
    EXPECT_NE(site.find("<script src=\"rebar-weight.js\"></script>"), std::string::npos);
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

    // Nothing comes from another site.
    for (const std::string *page : {&site, &one}) {
        EXPECT_EQ(page->find("http:"), std::string::npos);
        EXPECT_EQ(page->find("https:"), std::string::npos);
        EXPECT_EQ(page->find("\"//"), std::string::npos);
    }

    parts.script = "var end = \"</script>\";\n";
    EXPECT_EQ(writePage(parts), "") << "an inline script must not end its own element";
}

TEST(HitAreas, everyControlThatTakesPressesHasOne)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    const std::string &page = sitePage();
    for (const StoredControl &stored : storedControls) {
        const bool pressed =
            stored.kind != ControlKind::Label || Form1::handlesClick(stored.control);
        const auto found = std::count_if(areas->begin(), areas->end(), [&](const HitArea &hit) {
            return hit.control == stored.control || hit.partner == stored.control;
        });
        EXPECT_EQ(found, pressed ? 1 : 0) << name(stored.control);
    }
    for (const HitArea &hit : *areas) {
        const std::string id = name(hit.control) + "-hit";
        EXPECT_EQ(attributeOf(startTag(page, id), "data-for"), name(hit.control));
        EXPECT_EQ(ruleOf(page, id), "left:" + tw(hit.area.left) + ";top:" + tw(hit.area.top)
                                        + ";width:" + tw(hit.area.width())
                                        + ";height:" + tw(hit.area.height()));
        // Beneath every control, so that a press on a control reaches the control.
        EXPECT_LT(page.find(" id=\"" + id + "\""), page.find(" id=\"Label1\""));
    }
}

// An option button and the label that switches to it are one target.
TEST(HitAreas, optionButtonsGoWithTheirLabels)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    for (const HitArea &hit : *areas) {
        const StoredControl &stored = storedControl(hit.control);
        if (stored.kind != ControlKind::OptionButton) {
            EXPECT_EQ(hit.partner, Control::Form1);
            continue;
        }
        EXPECT_EQ(hit.partner, stored.namedBy);
        const TwipsRect circle = drawnRect(stored);
        const TwipsRect label = drawnRect(storedControl(stored.namedBy));
        EXPECT_EQ(hit.drawn.left, std::min(circle.left, label.left));
        EXPECT_EQ(hit.drawn.right, std::max(circle.right, label.right));
        EXPECT_EQ(hit.drawn.top, std::min(circle.top, label.top));
        EXPECT_EQ(hit.drawn.bottom, std::max(circle.bottom, label.bottom));
    }
}

TEST(HitAreas, atLeast24PixelsAroundWhatIsDrawnInsideTheWindow)
{
    // WCAG 2.5.8: 24 × 24 CSS pixels, 15 twips each.
    EXPECT_EQ(minimumTargetTwips, 24 * 15);
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    for (const HitArea &hit : *areas) {
        const TwipsRect &a = hit.area;
        EXPECT_GE(a.width(), minimumTargetTwips) << name(hit.control);
        EXPECT_GE(a.height(), minimumTargetTwips) << name(hit.control);
        EXPECT_TRUE(a.left <= hit.drawn.left && a.top <= hit.drawn.top && a.right >= hit.drawn.right
                    && a.bottom >= hit.drawn.bottom)
            << name(hit.control);
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= clientWidthTwips
                    && a.bottom <= clientHeightTwips)
            << name(hit.control);
    }
}

// Two hit areas meet only where the stored window itself draws two controls over each
// other (单根长度(cm) reaches one pixel into the field below it).
TEST(HitAreas, noneReachesIntoAnother)
{
    const auto areas = hitAreas();
    ASSERT_TRUE(areas);
    const auto overlap = [](const TwipsRect &a, const TwipsRect &b) {
        return TwipsRect{std::max(a.left, b.left), std::max(a.top, b.top),
                         std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    };
    const auto empty = [](const TwipsRect &r) { return r.right <= r.left || r.bottom <= r.top; };
    for (const HitArea &one : *areas) {
        for (const HitArea &other : *areas) {
            if (&one == &other)
                continue;
            const TwipsRect areasMeet = overlap(one.area, other.area);
            if (empty(areasMeet))
                continue;
            const TwipsRect drawnMeet = overlap(one.drawn, other.drawn);
            EXPECT_TRUE(!empty(drawnMeet) && areasMeet.left >= drawnMeet.left
                        && areasMeet.top >= drawnMeet.top && areasMeet.right <= drawnMeet.right
                        && areasMeet.bottom <= drawnMeet.bottom)
                << name(one.control) << " and " << name(other.control);
        }
    }
}

struct Base64Row {
    const char *bytes;
    const char *encoded;
};

// RFC 4648's test vectors.
const Base64Row base64Rows[] = {{"", ""},
                                {"f", "Zg=="},
                                {"fo", "Zm8="},
                                {"foo", "Zm9v"},
                                {"foob", "Zm9vYg=="},
                                {"fooba", "Zm9vYmE="},
                                {"foobar", "Zm9vYmFy"}};

TEST(PageText, base64)
{
    for (const Base64Row &row : base64Rows)
        EXPECT_EQ(base64(row.bytes), row.encoded) << row.bytes;
    EXPECT_EQ(base64(std::string("\xff\xfe\x00", 3)), "//4A");
}

struct DecimalRow {
    double value;
    const char *text;
};

const DecimalRow decimalRows[] = {{9.0, "9"},           {14.25, "14.25"},     {10.0, "10"},
                                  {0.5, "0.5"},         {-0.5, "-0.5"},       {1.0 / 3.0, "0.333"},
                                  {2.0 / 3.0, "0.667"}, {-12.0625, "-12.063"}};

TEST(PageText, decimal)
{
    for (const DecimalRow &row : decimalRows)
        EXPECT_EQ(decimal(row.value), row.text) << row.value;
}

TEST(PageText, utf8AndEscapes)
{
    EXPECT_EQ(utf8Text(u"钢筋(mm)"), "\xe9\x92\xa2\xe7\xad\x8b(mm)");
    EXPECT_EQ(utf8Text(u"\U0001F600"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(utf8Text(u"é"), "\xc3\xa9");
    EXPECT_EQ(escapeHtml("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
}

} // namespace
