// The page's own suite, in headless Chromium: what only a page has.
//   - each control's rendered box against its stored place and size, on a phone's
//     360 px wide viewport and at 100 % on a desktop's, and nothing scrolling sideways;
//   - the accessible names and roles, read from Chromium's accessibility tree, against
//     the stored window's names;
//   - the phone's input: a finger's taps, a virtual keyboard's text (which comes as
//     text, with no key events), and hit areas of at least 24 × 24 px;
//   - offline: once its service worker is in, the page loads and calculates with the
//     server gone;
//   - the start: the module asked for from the head and fetched once, compiled at once
//     or, where the browser refuses that, asynchronously; the marks of where the time
//     goes;
//   - the one-file page, from a file:// address.
//   test_page --site=FOLDER --one-file=FILE [--require]

#include "author_line.h"
#include "page_driver.h"
#include "row_name.h"
#include "site_server.h"
#include "stored_form.h"
#include "utf8.h"
#include "web_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

WebSetup setup;
SiteServer *site = nullptr;

std::string indexUrl()
{
    return site->url() + "index.html";
}

// Two browsers, each started once: a desktop's window, and a phone's (Chromium's
// mobile emulation: 360 CSS px wide, 3 device pixels to one, touch).
Browser &desktop()
{
    static Browser browser{BrowserOptions{}};
    return browser;
}

Browser &phone()
{
    static Browser browser{[] {
        BrowserOptions options;
        options.mobileWidth = 360;
        return options;
    }()};
    return browser;
}

constexpr double twipsPerPixel = 15; // at 96 dpi, the scale of 1

// ---------------------------------------------------------------------------------
// Boxes

struct Box {
    double left, top, width, height;
};

struct Layout {
    Box client{};
    std::map<std::string, Box> boxes; // by id; a control not rendered is missing
    double documentWidth = 0;         // what scrolls: documentElement.scrollWidth
    double viewportWidth = 0;
};

Box boxOf(const Json &rect)
{
    return {rect[0].number(), rect[1].number(), rect[2].number(), rect[3].number()};
}

// The page at rest after a real click on 联系, which shows the author line: every
// control is rendered then.
Layout measure(Browser &browser)
{
    PageDriver page(browser, indexUrl());
    page.click(Control::Command3);
    Json ids = Json::array({"Form1-client", "Combo1-box", "Combo1-button"});
    for (const StoredControl &stored : storedControls)
        ids.push(controlName(stored.control));
    const Json measured = browser.execute(R"(
const out = {documentWidth: document.documentElement.scrollWidth,
             viewportWidth: document.documentElement.clientWidth, boxes: {}};
for (const id of arguments[0]) {
    const e = document.getElementById(id);
    if (!e || e.getClientRects().length === 0) continue;
    const r = e.getBoundingClientRect();
    out.boxes[id] = [r.left, r.top, r.width, r.height];
}
return out;
)",
                                          Json::array({ids}));
    Layout layout;
    layout.documentWidth = measured["documentWidth"].number();
    layout.viewportWidth = measured["viewportWidth"].number();
    for (const auto &[id, rect] : measured["boxes"].members())
        layout.boxes[id] = boxOf(rect);
    layout.client = layout.boxes.at("Form1-client");
    return layout;
}

enum class Screen { Phone, Desktop };

const Layout &layoutOn(Screen screen)
{
    static std::map<Screen, Layout> measured;
    auto found = measured.find(screen);
    if (found == measured.end())
        found =
            measured.emplace(screen, measure(screen == Screen::Phone ? phone() : desktop())).first;
    return found->second;
}

// The scale the page draws the window at: its client area against the stored one.
double scaleOf(const Layout &layout)
{
    return layout.client.width * twipsPerPixel / clientWidthTwips;
}

struct BoxRow {
    std::string name;
    Screen screen;
    Control control;
};

std::vector<BoxRow> boxRows()
{
    std::vector<BoxRow> rows;
    for (const Screen screen : {Screen::Desktop, Screen::Phone}) {
        for (const StoredControl &stored : storedControls) {
            rows.push_back({std::string(controlName(stored.control))
                                + (screen == Screen::Phone ? " on a 360 px phone" : " at 100 %"),
                            screen, stored.control});
        }
    }
    return rows;
}

void PrintTo(const BoxRow &row, std::ostream *out)
{
    *out << row.name;
}

class Boxes : public testing::TestWithParam<BoxRow> {};

TEST_P(Boxes, ControlAtItsStoredPlaceAndSize)
{
    const BoxRow &row = GetParam();
    const Layout &layout = layoutOn(row.screen);
    const double scale = scaleOf(layout);
    const StoredControl &stored = storedControl(row.control);
    const std::string id = controlName(row.control);
    ASSERT_TRUE(layout.boxes.count(id)) << id << " is not rendered";
    Box box = layout.boxes.at(id);
    if (row.control == Control::Combo1) {
        // The combo box is the frame around its field and its drop button.
        ASSERT_TRUE(layout.boxes.count("Combo1-box")) << "Combo1 has no frame #Combo1-box";
        box = layout.boxes.at("Combo1-box");
    }
    const auto at = [&](int twips) { return twips * scale / twipsPerPixel; };
    // Half a pixel of the scaled window either way, as the browser rounds its layout.
    const double slack = 0.5 * std::max(1.0, scale) + 0.01;
    EXPECT_NEAR(box.left - layout.client.left, at(stored.left), slack) << "left of " << id;
    EXPECT_NEAR(box.top - layout.client.top, at(stored.top), slack) << "top of " << id;
    EXPECT_NEAR(box.width, at(stored.width), slack) << "width of " << id;
    EXPECT_NEAR(box.height, at(stored.height), slack) << "height of " << id;
}

INSTANTIATE_TEST_SUITE_P(Page, Boxes, testing::ValuesIn(boxRows()), ByRowName());

struct ScreenRow {
    const char *name;
    Screen screen;
};

const ScreenRow screens[] = {{"at 100 % on a desktop", Screen::Desktop},
                             {"on a 360 px phone", Screen::Phone}};

void PrintTo(const ScreenRow &row, std::ostream *out)
{
    *out << row.name;
}

class Window : public testing::TestWithParam<ScreenRow> {};

TEST_P(Window, WholeOnTheScreenAndNothingScrollsSideways)
{
    const Layout &layout = layoutOn(GetParam().screen);
    const double scale = scaleOf(layout);
    if (GetParam().screen == Screen::Desktop) {
        EXPECT_NEAR(scale, 1.0, 0.001) << "the window is not drawn at 100 %";
    }
    EXPECT_NEAR(layout.client.height, clientHeightTwips * scale / twipsPerPixel, 0.5 * scale)
        << "the client area's height";
    EXPECT_GE(layout.client.left, 0);
    EXPECT_LE(layout.client.left + layout.client.width, layout.viewportWidth);
    EXPECT_LE(layout.documentWidth, layout.viewportWidth) << "the page scrolls sideways";
}

INSTANTIATE_TEST_SUITE_P(Page, Window, testing::ValuesIn(screens), ByRowName());

// ---------------------------------------------------------------------------------
// Accessible names

struct Accessible {
    std::string role;
    std::string name;
};

// Each element's role and name in Chromium's accessibility tree, by the element's id.
// A label's name is the text it holds, as its text children carry it.
std::map<std::string, Accessible> accessibilityTree(Browser &browser)
{
    browser.cdp("Accessibility.enable");
    const Json tree = browser.cdp("Accessibility.getFullAXTree");
    std::map<std::string, const Json *> byNodeId;
    for (const Json &node : tree["nodes"].items())
        byNodeId[node["nodeId"].string()] = &node;
    const auto valueOf = [](const Json &node, const char *key) {
        const Json *field = node.find(key);
        const Json *value = field && field->isObject() ? field->find("value") : nullptr;
        return value && value->isString() ? value->string() : std::string();
    };
    std::map<std::string, Accessible> found;
    for (const Json &node : tree["nodes"].items()) {
        const Json *backend = node.find("backendDOMNodeId");
        if (!backend)
            continue;
        const Json described =
            browser.cdp("DOM.describeNode", Json::object({{"backendNodeId", backend->integer()}}));
        const Json *attributes = described["node"].find("attributes");
        std::string id;
        for (std::size_t i = 0; attributes && i + 1 < attributes->size(); i += 2) {
            if ((*attributes)[i].string() == "id")
                id = (*attributes)[i + 1].string();
        }
        if (id.empty())
            continue;
        Accessible accessible{valueOf(node, "role"), valueOf(node, "name")};
        if (accessible.name.empty() && node.find("childIds")) {
            for (const Json &child : node["childIds"].items()) {
                const auto text = byNodeId.find(child.string());
                if (text != byNodeId.end() && valueOf(*text->second, "role") == "StaticText")
                    accessible.name += valueOf(*text->second, "name");
            }
        }
        found[id] = accessible;
    }
    return found;
}

struct NameRow {
    const char *name;
    Control control;
    const char *role;
};

const NameRow nameRows[] = {
    {"the window", Control::Form1, "dialog"},
    {"Label1", Control::Label1, nullptr},
    {"Label2", Control::Label2, nullptr},
    {"Label3", Control::Label3, nullptr},
    {"Label4", Control::Label4, nullptr},
    {"Label5", Control::Label5, nullptr},
    {"Label6, the author line", Control::Label6, nullptr},
    {"Text1", Control::Text1, "textbox"},
    {"Text2", Control::Text2, "textbox"},
    {"Text3", Control::Text3, "textbox"},
    {"Text5", Control::Text5, "textbox"},
    {"Combo1", Control::Combo1, "combobox"},
    {"Command1", Control::Command1, "button"},
    {"Command2", Control::Command2, "button"},
    {"Command3", Control::Command3, "button"},
    {"Option1", Control::Option1, "radio"},
    {"Option2", Control::Option2, "radio"},
};

const std::map<std::string, Accessible> &namesOnThePage()
{
    static const std::map<std::string, Accessible> names = [] {
        PageDriver page(desktop(), indexUrl());
        page.click(Control::Command3); // the author line shows
        return accessibilityTree(desktop());
    }();
    return names;
}

void PrintTo(const NameRow &row, std::ostream *out)
{
    *out << row.name;
}

class AccessibleNames : public testing::TestWithParam<NameRow> {};

TEST_P(AccessibleNames, AsTheStoredWindowNamesThem)
{
    const NameRow &row = GetParam();
    const std::string id = controlName(row.control);
    const std::string expected = row.control == Control::Form1    ? utf8(formCaption)
                                 : row.control == Control::Label6 ? utf8(authorLine())
                                                                  : utf8(nameOf(row.control));
    const auto &names = namesOnThePage();
    const auto found = names.find(id);
    ASSERT_NE(found, names.end()) << id << " is not in the accessibility tree";
    EXPECT_EQ(found->second.name, expected) << "the accessible name of " << id;
    if (row.role) {
        EXPECT_EQ(found->second.role, row.role) << "the role of " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Page, AccessibleNames, testing::ValuesIn(nameRows), ByRowName());

// ---------------------------------------------------------------------------------
// The phone: a finger and a virtual keyboard

// A tap of one finger at the centre of `id`.
void tap(Browser &browser, const std::string &id)
{
    const Json at = browser.execute(R"(
const r = document.getElementById(arguments[0]).getBoundingClientRect();
return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];
)",
                                    Json::array({id}));
    browser.press("touch", at[0].integer(), at[1].integer());
}

// What a phone's virtual keyboard sends: text, with no key of its own.
void keyboardText(Browser &browser, const std::string &text)
{
    browser.cdp("Input.insertText", Json::object({{"text", text}}));
}

struct Focus {
    std::string id;
    std::string value;
    int start, end;
};

Focus focusOn(Browser &browser)
{
    const Json f = browser.execute(R"(
const e = document.activeElement;
return [e ? e.id : '', e && 'value' in e ? e.value : '', e ? e.selectionStart : -1,
        e ? e.selectionEnd : -1];
)");
    return {f[0].string(), f[1].string(), f[2].isNull() ? -1 : f[2].integer(),
            f[3].isNull() ? -1 : f[3].integer()};
}

std::string valueOf(Browser &browser, const char *id)
{
    return browser.execute("return document.getElementById(arguments[0]).value;", Json::array({id}))
        .string();
}

// Waits for what the input started to run.
void settle(Browser &browser)
{
    browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
setTimeout(() => requestAnimationFrame(() => setTimeout(done, 0)), 0);
)");
}

TEST(Phone, ATapIntoAFieldSelectsItsText)
{
    PageDriver page(phone(), indexUrl());
    tap(phone(), "Text2");
    settle(phone());
    const Focus f = focusOn(phone());
    EXPECT_EQ(f.id, "Text2");
    EXPECT_EQ(f.value, "1");
    EXPECT_EQ(f.start, 0);
    EXPECT_EQ(f.end, 1) << "the text is not all selected";
}

TEST(Phone, VirtualKeyboardTextAndDAdvanceAndTheDStaysOut)
{
    PageDriver page(phone(), indexUrl());
    keyboardText(phone(), "250");
    settle(phone());
    EXPECT_EQ(valueOf(phone(), "Text1"), "250");
    keyboardText(phone(), "d");
    settle(phone());
    EXPECT_EQ(valueOf(phone(), "Text1"), "250") << "the d reached the field";
    Focus f = focusOn(phone());
    EXPECT_EQ(f.id, "Text2");
    EXPECT_EQ(f.start, 0);
    EXPECT_EQ(f.end, 1) << "the count's text is not all selected";
    keyboardText(phone(), "4");
    keyboardText(phone(), "D");
    settle(phone());
    EXPECT_EQ(valueOf(phone(), "Text2"), "4");
    EXPECT_EQ(focusOn(phone()).id, "Combo1");
    keyboardText(phone(), "d");
    settle(phone());
    EXPECT_EQ(valueOf(phone(), "Combo1"), "12");
    EXPECT_EQ(focusOn(phone()).id, "Command1");
    tap(phone(), "Command1");
    settle(phone());
    EXPECT_EQ(valueOf(phone(), "Text3"), "10");
    EXPECT_EQ(valueOf(phone(), "Text5"), "8.88");
}

struct HitRow {
    const char *name;
    const char *id;
    const char *sameTap; // an element whose tap does what the control's does, or ""
};

const HitRow hitRows[] = {
    {"Text1", "Text1", ""},
    {"Text2", "Text2", ""},
    {"Combo1", "Combo1", "Combo1-box"},
    {"Text3", "Text3", ""},
    {"Text5", "Text5", ""},
    {"Command1", "Command1", ""},
    {"Command2", "Command2", ""},
    {"Command3", "Command3", ""},
    // The labels beside the option circles set them too.
    {"Option1", "Option1", "Label3"},
    {"Option2", "Option2", "Label1"},
};

void PrintTo(const HitRow &row, std::ostream *out)
{
    *out << row.name;
}

class HitAreas : public testing::TestWithParam<HitRow> {};

// Through the control's centre, across and down, how far a tap still reaches it: the
// control itself, an element marked data-for it (the page's enlarged hit areas), or an
// element whose tap does the same.
TEST_P(HitAreas, AtLeast24By24Pixels)
{
    const HitRow &row = GetParam();
    static PageDriver page(phone(), indexUrl());
    const Json spans = phone().execute(R"(
const [id, same] = arguments;
const r = document.getElementById(id).getBoundingClientRect();
const cx = r.left + r.width / 2, cy = r.top + r.height / 2;
const reaches = (x, y) => {
    for (let e = document.elementFromPoint(x, y); e; e = e.parentElement)
        if (e.id === id || e.dataset.for === id || (same && e.id === same)) return true;
    return false;
};
// The run of points a quarter pixel apart, from the centre each way, that reach it.
const run = (dx, dy) => {
    let n = 0;
    while (n < 200 && reaches(cx + dx * (n + 1) / 4, cy + dy * (n + 1) / 4)) ++n;
    return n / 4;
};
const what = (x, y) => { const e = document.elementFromPoint(x, y); return e ? e.id || e.tagName : ''; };
const left = run(-1, 0), right = run(1, 0), up = run(0, -1), down = run(0, 1);
return [left + right, up + down, reaches(cx, cy),
        [what(cx - left - 0.5, cy), what(cx + right + 0.5, cy), what(cx, cy - up - 0.5),
         what(cx, cy + down + 0.5)]];
)",
                                       Json::array({row.id, row.sameTap}));
    ASSERT_TRUE(spans[2].boolean()) << "a tap at the centre of " << row.id << " misses it";
    const std::string beyond = " (beyond: " + spans[3][0].string() + ", " + spans[3][1].string()
                               + ", " + spans[3][2].string() + ", " + spans[3][3].string() + ")";
    EXPECT_GE(spans[0].number(), 24) << "a tap reaches it across this wide only" << beyond;
    EXPECT_GE(spans[1].number(), 24) << "a tap reaches it down this high only" << beyond;
}

INSTANTIATE_TEST_SUITE_P(Phone, HitAreas, testing::ValuesIn(hitRows), ByRowName());

// ---------------------------------------------------------------------------------
// Offline, and the one file

// One bar the book's way: 250 cm, 4 bars, the stored 12 mm.
void calculateOneBar(PageDriver &page)
{
    page.type(u"250");
    page.press(Key::Enter);
    page.type(u"4");
    page.press(Key::Enter);
    page.press(Key::Enter);
    page.press(Key::Enter);
    EXPECT_EQ(utf8(page.text(Control::Text3)), "10");
    EXPECT_EQ(utf8(page.text(Control::Text5)), "8.88");
    EXPECT_TRUE(page.takePrompts().empty());
}

TEST(Offline, OnceInstalledThePageLoadsAndCalculatesWithTheServerGone)
{
    Browser browser{BrowserOptions{}}; // a profile of its own, with no worker yet
    {
        PageDriver first(browser, indexUrl());
        const Json controlled = browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
if (!('serviceWorker' in navigator)) return done('no service worker');
navigator.serviceWorker.ready.then(() => {
    const start = Date.now();
    (function poll() {
        if (navigator.serviceWorker.controller) return done('');
        if (Date.now() - start > 10000) return done('the worker took no control');
        setTimeout(poll, 20);
    })();
});
)");
        ASSERT_TRUE(controlled.string().empty()
                    || controlled.string() == "the worker took no control")
            << controlled.string();
        if (!controlled.string().empty()) {
            // A worker that claims no open page takes the next load.
            openPage(browser, indexUrl());
            ASSERT_TRUE(browser.execute("return !!navigator.serviceWorker.controller;").boolean())
                << "the service worker controls no page";
        }
    }
    site->stop();
    struct Restart {
        ~Restart() { site->start(); }
    } restart;
    PageDriver offline(browser, indexUrl());
    EXPECT_TRUE(browser.execute("return !!navigator.serviceWorker.controller;").boolean())
        << "the page was not served by its worker";
    calculateOneBar(offline);
}

// ---------------------------------------------------------------------------------
// Start-up

// The page's own start-up marks, in the order they were set.
std::vector<std::string> startMarks(Browser &browser)
{
    std::vector<std::string> names;
    const Json marks =
        browser.execute("return performance.getEntriesByType('mark').map(m => m.name)"
                        ".filter(n => n.startsWith('rebar-'));");
    for (const Json &name : marks.items())
        names.push_back(name.string());
    return names;
}

std::ptrdiff_t placeOf(const std::vector<std::string> &marks, const std::string &name)
{
    const auto found = std::find(marks.begin(), marks.end(), name);
    return found == marks.end() ? -1 : found - marks.begin();
}

std::string joined(const std::vector<std::string> &marks)
{
    std::string out;
    for (const std::string &name : marks)
        out += (out.empty() ? "" : ", ") + name;
    return out;
}

// The module is asked for from the head, before the page's script has run, and fetched
// once (the head's fetch takes up the preload's response); the page's script finds the
// window, compiles and instantiates the module and starts it.
TEST(Start, TheModuleIsAskedForFromTheHeadAndFetchedOnce)
{
    PageDriver page(desktop(), indexUrl());
    const std::vector<std::string> marks = startMarks(desktop());
    const auto requested = placeOf(marks, "rebar-module-requested");
    const auto fetched = placeOf(marks, "rebar-module-fetched");
    const auto built = placeOf(marks, "rebar-window-built");
    const auto compiled = placeOf(marks, "rebar-module-compiled");
    const auto instantiated = placeOf(marks, "rebar-module-instantiated");
    const auto loaded = placeOf(marks, "rebar-loaded");
    EXPECT_EQ(requested, 0) << joined(marks);
    EXPECT_LT(requested, fetched) << joined(marks);
    EXPECT_LT(requested, built) << joined(marks);
    EXPECT_LT(fetched, compiled) << joined(marks);
    EXPECT_LT(built, compiled) << joined(marks);
    EXPECT_LT(compiled, instantiated) << joined(marks);
    EXPECT_LT(instantiated, loaded) << joined(marks);
    EXPECT_EQ(loaded + 1, static_cast<std::ptrdiff_t>(marks.size())) << joined(marks);
    EXPECT_EQ(desktop()
                  .execute("return performance.getEntriesByType('resource')"
                           ".filter(r => r.name.endsWith('/rebar-weight.wasm')).length;")
                  .integer(),
              1)
        << "the module was fetched twice: the head's fetch did not take up the preload";
    calculateOneBar(page);
}

// A browser that compiles a module of this size only off the main thread (Chrome
// before it allowed more than 4 KB there) refuses the compilation at once; the page
// then compiles and instantiates it asynchronously.
TEST(Start, WhereTheModuleCannotBeCompiledAtOnceItIsCompiledAsynchronously)
{
    Browser browser{BrowserOptions{}};
    browser.cdp("Page.enable");
    browser.cdp("Page.addScriptToEvaluateOnNewDocument", Json::object({{"source", R"(
const compiledOnlyOffTheMainThread = WebAssembly.Module;
WebAssembly.Module = function () {
    window.rebarTestRefused = (window.rebarTestRefused || 0) + 1;
    throw new RangeError('WebAssembly.Module(): Buffer size is larger than 4KB');
};
WebAssembly.Module.imports = compiledOnlyOffTheMainThread.imports;
WebAssembly.Module.exports = compiledOnlyOffTheMainThread.exports;
)"}}));
    PageDriver page(browser, indexUrl());
    EXPECT_GE(browser.execute("return window.rebarTestRefused || 0;").integer(), 1)
        << "the page did not try to compile the module at once";
    const std::vector<std::string> marks = startMarks(browser);
    EXPECT_LT(placeOf(marks, "rebar-module-fetched"), placeOf(marks, "rebar-module-compiled"))
        << joined(marks);
    EXPECT_LT(placeOf(marks, "rebar-module-compiled"), placeOf(marks, "rebar-loaded"))
        << joined(marks);
    calculateOneBar(page);
}

TEST(OneFile, FromAFileAddressThePageCalculates)
{
    if (setup.oneFile.empty() || !std::filesystem::exists(setup.oneFile)) {
        if (setup.require)
            FAIL() << "the one-file page is not built: " << setup.oneFile;
        GTEST_SKIP() << "the one-file page is not built: " << setup.oneFile;
    }
    PageDriver page(desktop(), "file://" + std::filesystem::absolute(setup.oneFile).string());
    const std::vector<std::string> marks = startMarks(desktop());
    EXPECT_EQ(placeOf(marks, "rebar-module-requested"), -1)
        << "the one-file page carries its module: " << joined(marks);
    EXPECT_LT(placeOf(marks, "rebar-module-fetched"), placeOf(marks, "rebar-module-compiled"))
        << joined(marks);
    EXPECT_NE(placeOf(marks, "rebar-loaded"), -1) << joined(marks);
    calculateOneBar(page);
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    setup = WebSetup::fromArguments(argc, argv);
    if (setup.engine != Engine::Chromium)
        setup.skipAll("the page's own suite reads Chromium's accessibility tree and phone "
                      "emulation");
    if (const auto why = setup.missing())
        setup.skipAll(*why);
    std::unique_ptr<SiteServer> server;
    try {
        server = std::make_unique<SiteServer>(setup.site);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    site = server.get();
    return RUN_ALL_TESTS();
}
