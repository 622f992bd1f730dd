#pragma once

#include "browser.h"
#include "scenario.h"

#include <string>
#include <vector>

// The page as the book of scenarios drives it: a fresh page for each row, each step
// sent as the keyboard and the mouse send input (the WebDriver Actions API, which the
// browser turns into the same key and pointer events a user's give), and the page read
// back by scripts that only read (value, activeElement, selectionStart/End, checked,
// hidden). After each action the driver looks for the message box; while it shows, it
// records its text and answers it by a real click on its 确定.
//
// The browser has windows on an X display of the test's own. Where WebDriver has no
// input of the kind, the display's own gives it: the clipboard is the display's, which
// xclip fills before a real Ctrl+V; a key held down is the display's keyboard (xdotool),
// which the X server repeats. Another program's window is another window of the
// browser, switched to through WebDriver; the browser's windows take and lose the
// focus as any program's do (WebKit's from the window manager, which xdotool asks, as
// Alt+Tab would).
class PageDriver : public ScenarioDriver {
public:
    /// Opens `url` and waits until the page says it is ready.
    PageDriver(Browser &browser, const std::string &url);
    ~PageDriver() override;

    void type(const std::u16string &text) override;
    void press(Key key) override;
    void click(Control control) override;
    void paste(const std::u16string &clipboard) override;
    void pickItem(const std::u16string &item) override;
    void leave() override;
    void comeBack() override;

    std::u16string text(Control control) override;
    Control focus() override;
    Selection selection(Control control) override;
    bool optionSet(Control option) override;
    bool visible(Control control) override;
    std::vector<std::u16string> takePrompts() override;
    bool closed() override;
    bool listOpen() override;
    int listItems() override;

private:
    /// Runs a reading script in the page (never while another window is active).
    Json read(const std::string &script, Json args = Json::array());
    /// Sends key actions: each item a key value pressed and let go, with the modifier
    /// values before it held around it.
    void keys(const std::vector<std::vector<std::string>> &chords);
    void clickAt(double x, double y);
    /// Waits for what the input started to run, then answers the message boxes shown.
    void settle();
    /// Runs xdotool on the browser's display and returns what it printed.
    std::string xdotool(const std::string &command);

    Browser &m_browser;
    std::string m_page;        // the page's window
    std::string m_other;       // another window, once left for
    std::string m_pageWindow;  // the page's X window, for the window manager (WebKit)
    std::string m_otherWindow; // the other one's
    bool m_away = false;
    double m_lastX = -1, m_lastY = -1;
    std::vector<std::u16string> m_prompts;
};

/// Loads `url` in the current window and waits for the page's data-ready.
void openPage(Browser &browser, const std::string &url);
