#include "page_driver.h"

#include "stored_form.h"
#include "utf8.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace {

// WebDriver's key values.
const std::string enterKey = "\xEE\x80\x86";       // U+E006 Return: code Enter
const std::string keypadEnterKey = "\xEE\x80\x87"; // U+E007 Enter: code NumpadEnter
const std::string tabKey = "\xEE\x80\x84";
const std::string shiftKey = "\xEE\x80\x88";
const std::string controlKey = "\xEE\x80\x89";
const std::string altKey = "\xEE\x80\x8A";
const std::string escapeKey = "\xEE\x80\x8C";
const std::string spaceKey = "\xEE\x80\x8D";
const std::string upKey = "\xEE\x80\x93";
const std::string downKey = "\xEE\x80\x95";
const std::string f4Key = "\xEE\x80\xB4";

// Characters a US keyboard types with Shift held.
bool needsShift(char16_t c)
{
    return (c >= u'A' && c <= u'Z')
           || std::u16string_view(u"~!@#$%^&*()_+{}|:\"<>?").find(c) != std::u16string_view::npos;
}

std::string idOf(Control control)
{
    return controlName(control);
}

// The centre of an element's box, or of the end of a field, in viewport pixels; null
// when the element is not rendered.
const char boxScript[] = R"(
const e = document.getElementById(arguments[0]);
if (!e || e.getClientRects().length === 0) return null;
const r = e.getBoundingClientRect();
return [arguments[1] ? r.right - 3 : r.left + r.width / 2, r.top + r.height / 2];
)";

} // namespace

void openPage(Browser &browser, const std::string &url)
{
    browser.navigate(url);
    const Json ready = browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
const start = Date.now();
(function poll() {
    if (document.documentElement.dataset.ready === '1') return done(true);
    if (Date.now() - start > 20000) return done(false);
    setTimeout(poll, 5);
})();
)");
    if (!ready.boolean())
        throw std::runtime_error("the page at " + url + " did not become ready in 20 s");
}

PageDriver::PageDriver(Browser &browser, const std::string &url) : m_browser(browser)
{
    m_page = m_browser.window();
    openPage(m_browser, url);
    // A note of the window's blur and focus events, to tell that another window did take
    // the focus and give it back: it only listens.
    m_browser.execute(R"(
window.rebarTestWindowFocus = [];
addEventListener('blur', () => rebarTestWindowFocus.push('blur'));
addEventListener('focus', () => rebarTestWindowFocus.push('focus'));
)");
}

PageDriver::~PageDriver()
{
    try {
        m_browser.releaseActions();
        if (!m_other.empty()) {
            m_browser.switchTo(m_other);
            m_browser.closeWindow();
            m_browser.switchTo(m_page);
        }
    } catch (const std::exception &) {
        // The next row opens its page afresh.
    }
}

Json PageDriver::read(const std::string &script, Json args)
{
    if (m_away)
        throw std::logic_error("the page is read only while its window is the active one");
    return m_browser.execute(script, std::move(args));
}

void PageDriver::keys(const std::vector<std::vector<std::string>> &chords)
{
    Json actions = Json::array();
    for (const std::vector<std::string> &chord : chords) {
        for (const std::string &key : chord)
            actions.push(Json::object({{"type", "keyDown"}, {"value", key}}));
        for (auto key = chord.rbegin(); key != chord.rend(); ++key)
            actions.push(Json::object({{"type", "keyUp"}, {"value", *key}}));
    }
    m_browser.perform(
        Json::array({Json::object({{"type", "key"}, {"id", "keyboard"}, {"actions", actions}})}));
}

void PageDriver::type(const std::u16string &text)
{
    std::vector<std::vector<std::string>> chords;
    for (const char16_t c : text) {
        const std::string character = utf8(std::u16string(1, c));
        if (needsShift(c))
            chords.push_back({shiftKey, character});
        else
            chords.push_back({character});
    }
    keys(chords);
    settle();
}

void PageDriver::press(Key key)
{
    // In the order of Key.
    static const std::vector<std::string> chords[] = {{enterKey},
                                                      {keypadEnterKey},
                                                      {tabKey},
                                                      {shiftKey, tabKey},
                                                      {escapeKey},
                                                      {spaceKey},
                                                      {upKey},
                                                      {downKey},
                                                      {f4Key},
                                                      {altKey, downKey},
                                                      {shiftKey, enterKey},
                                                      {controlKey, enterKey},
                                                      {altKey, enterKey},
                                                      {enterKey}};
    if (key != Key::HeldEnter) {
        keys({chords[static_cast<int>(key)]});
        settle();
        return;
    }
    // Held down: WebDriver has no key repeats (a second key-down of a key held down is
    // the same key-down again in Chromium, nothing in WebKit). The display's keyboard
    // has: the key goes down for 0.9 s, in which the X server repeats it (after 660 ms,
    // every 40 ms: about six repeats), and comes up; the events go where the focus is.
    xdotool("keydown Return sleep 0.9 keyup Return");
    settle();
}

void PageDriver::clickAt(double x, double y)
{
    // A user's second click on the same spot, not a double click.
    if (std::abs(x - m_lastX) < 4 && std::abs(y - m_lastY) < 4)
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
    m_lastX = x;
    m_lastY = y;
    m_browser.press("mouse", static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void PageDriver::click(Control control)
{
    // A click into an inactive window: the window becomes the active one first.
    if (m_away)
        comeBack();
    const ControlKind kind = storedControl(control).kind;
    const bool atEnd = kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
    const Json at = read(boxScript, Json::array({idOf(control), atEnd}));
    if (at.isNull())
        throw std::logic_error(idOf(control) + " is not shown");
    clickAt(at[0].number(), at[1].number());
    settle();
}

void PageDriver::paste(const std::u16string &clipboard)
{
    // The display's clipboard, which both browsers read as any X program does: xclip
    // owns it with the text until the next owner comes.
    const std::string line =
        "DISPLAY=" + m_browser.options().display + " xclip -selection clipboard -i";
    FILE *in = ::popen(line.c_str(), "w");
    const std::string text = utf8(clipboard);
    if (!in || std::fwrite(text.data(), 1, text.size(), in) != text.size() || ::pclose(in) != 0)
        throw std::logic_error("the display's clipboard cannot be set (xclip)");
    keys({{controlKey, "v"}});
    settle();
}

void PageDriver::pickItem(const std::u16string &item)
{
    const Json at = read(R"(
const list = document.getElementById('Combo1-list');
if (!list || list.hidden || list.getClientRects().length === 0) return null;
for (const option of list.querySelectorAll('[role=option]')) {
    if (option.textContent.trim() !== arguments[0]) continue;
    const r = option.getBoundingClientRect();
    const x = r.left + r.width / 2, y = r.top + r.height / 2;
    // Only an item the list shows: the click lands on it.
    const hit = document.elementFromPoint(x, y);
    return hit && option.contains(hit) ? [x, y] : null;
}
return null;
)",
                         Json::array({utf8(item)}));
    if (at.isNull())
        throw std::logic_error("no open list showing that item");
    clickAt(at[0].number(), at[1].number());
    settle();
}

void PageDriver::leave()
{
    if (m_browser.engine() == Engine::WebKit)
        m_pageWindow = xdotool("getactivewindow");
    if (m_other.empty())
        m_other = m_browser.newWindow("window");
    m_browser.switchTo(m_other);
    m_away = true;
    if (m_browser.engine() != Engine::WebKit)
        return;
    // The window manager activates the new window once it is mapped; the other one,
    // when it is shown again, is activated as a click on it would.
    for (int wait = 0; wait < 100; ++wait) {
        const std::string active = xdotool("getactivewindow");
        if (active != m_pageWindow && !active.empty()) {
            if (m_otherWindow.empty())
                m_otherWindow = active;
            return;
        }
        if (!m_otherWindow.empty())
            xdotool("windowactivate --sync " + m_otherWindow);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::logic_error("the other window did not become the active one");
}

std::string PageDriver::xdotool(const std::string &command)
{
    const std::string line = "DISPLAY=" + m_browser.options().display + " xdotool " + command;
    FILE *out = ::popen(line.c_str(), "r");
    if (!out)
        throw std::runtime_error("cannot run xdotool");
    std::string answer;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out))
        answer += buffer;
    if (::pclose(out) != 0)
        throw std::logic_error("xdotool " + command + " failed");
    while (!answer.empty() && answer.back() == '\n')
        answer.pop_back();
    return answer;
}

void PageDriver::comeBack()
{
    m_browser.switchTo(m_page);
    // WebKitWebDriver's switch gives its window no focus: the window manager does, as
    // on Alt+Tab. (Chromium's switch makes its window the active one itself.)
    if (m_browser.engine() == Engine::WebKit)
        xdotool("windowactivate --sync " + m_pageWindow);
    m_away = false;
    // The page lost the focus to the other window and has it back, once the window
    // system has made its window the active one.
    m_browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
const start = Date.now();
(function poll() {
    if (document.hasFocus() || Date.now() - start > 3000) return done();
    setTimeout(poll, 10);
})();
)");
    const Json seen = read(R"(
const seen = rebarTestWindowFocus.splice(0);
return [seen.join(' '), document.hasFocus()];
)");
    const std::string &events = seen[0].string();
    if (events.rfind("blur", 0) != 0 || events.size() < 10
        || events.compare(events.size() - 5, 5, "focus") != 0 || !seen[1].boolean())
        throw std::logic_error("the page's window was not left and made active again: its "
                               "window events were \""
                               + events + "\"");
    settle();
}

void PageDriver::settle()
{
    if (m_away)
        return;
    const auto wait = [&] {
        m_browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
setTimeout(() => requestAnimationFrame(() => setTimeout(done, 0)), 0);
)");
    };
    wait();
    // The message boxes, each answered by a click on its 确定.
    for (int boxes = 0; boxes < 10; ++boxes) {
        const Json box = read(R"(
const box = document.getElementById('MsgBox');
if (!box || box.hidden || box.getClientRects().length === 0) return null;
return document.getElementById('MsgBox-text').textContent;
)");
        if (box.isNull())
            return;
        m_prompts.push_back(fromUtf8(box.string()));
        const Json at = read(boxScript, Json::array({"MsgBox-OK", false}));
        if (at.isNull())
            throw std::runtime_error("the message box shows no 确定");
        clickAt(at[0].number(), at[1].number());
        wait();
    }
    throw std::runtime_error("message boxes keep coming");
}

std::u16string PageDriver::text(Control control)
{
    const Json value = read(R"(
const e = document.getElementById(arguments[0]);
return e ? ('value' in e ? e.value : e.textContent) : null;
)",
                            Json::array({idOf(control)}));
    if (value.isNull())
        throw std::logic_error(idOf(control) + " is not on the page");
    return fromUtf8(value.string());
}

Control PageDriver::focus()
{
    const Json id = read("const e = document.activeElement; return e ? e.id : '';");
    for (int c = 0; c <= static_cast<int>(Control::Option2); ++c) {
        const auto control = static_cast<Control>(c);
        if (control != Control::Form1 && id.string() == controlName(control))
            return control;
    }
    return Control::Form1;
}

ScenarioDriver::Selection PageDriver::selection(Control control)
{
    const Json range = read(R"(
const e = document.getElementById(arguments[0]);
return [e.selectionStart, e.selectionEnd];
)",
                            Json::array({idOf(control)}));
    return {range[0].integer(), range[1].integer() - range[0].integer()};
}

bool PageDriver::optionSet(Control option)
{
    return read("return document.getElementById(arguments[0]).checked;",
                Json::array({idOf(option)}))
        .boolean();
}

bool PageDriver::visible(Control control)
{
    return read(R"(
const e = document.getElementById(arguments[0]);
return !!e && !e.hidden && e.getClientRects().length > 0
    && getComputedStyle(e).visibility !== 'hidden';
)",
                Json::array({idOf(control)}))
        .boolean();
}

std::vector<std::u16string> PageDriver::takePrompts()
{
    return std::exchange(m_prompts, {});
}

bool PageDriver::closed()
{
    return read("return !!document.getElementById('Exited');").boolean();
}

bool PageDriver::listOpen()
{
    return read(R"(
const list = document.getElementById('Combo1-list');
return !!list && !list.hidden && list.getClientRects().length > 0;
)")
        .boolean();
}

int PageDriver::listItems()
{
    return read("return document.querySelectorAll('#Combo1-list [role=option]').length;").integer();
}
