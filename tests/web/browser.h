#pragma once

#include "child_process.h"
#include "json.h"

#include <memory>
#include <optional>
#include <string>

// A browser the tests drive through WebDriver (HTTP and JSON to the engine's own
// WebDriver server on 127.0.0.1): Chromium through chromedriver, WebKit through
// WebKitWebDriver and its MiniBrowser. The browser is started on construction with a
// fresh profile and ended, with its server, on destruction.

enum class Engine { Chromium, WebKit };

struct BrowserOptions {
    Engine engine = Engine::Chromium;
    /// Chromium without a window (--headless=new). Otherwise the browser needs a
    /// display: `display` or the DISPLAY it inherits.
    bool headless = true;
    std::string display;
    /// Chromium's phone emulation at this width in CSS pixels, with touch; 0 for none.
    int mobileWidth = 0;
    int windowWidth = 1280;
    int windowHeight = 900;
};

/// A WebDriver error, with the protocol's error code ("no such window") and message.
class WebDriverError : public std::runtime_error {
public:
    WebDriverError(const std::string &code, const std::string &message)
        : std::runtime_error(code + ": " + message), code(code)
    {}
    std::string code;
};

class Browser {
public:
    explicit Browser(const BrowserOptions &options);
    ~Browser();
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    /// Why the engine cannot be started here (its programs are missing), or nullopt.
    static std::optional<std::string> missing(Engine engine);
    static const char *name(Engine engine);

    Engine engine() const { return m_options.engine; }
    const BrowserOptions &options() const { return m_options; }

    /// One command of the session: POST (with a body) or GET/DELETE `path` under the
    /// session; returns the answer's "value", throws WebDriverError.
    Json command(const std::string &method, const std::string &path, const Json &body = nullptr);

    void navigate(const std::string &url);
    /// Runs `script` (a function body) with `args` and returns what it returns.
    Json execute(const std::string &script, Json args = Json::array());
    /// Runs `script`, whose last argument is the callback that ends it.
    Json executeAsync(const std::string &script, Json args = Json::array());
    /// The Actions API: the input sources with their ticks, as one sequence.
    void perform(const Json &sources);
    /// A mouse click, or a finger's tap ("touch"), at a point of the viewport.
    void press(const std::string &pointerType, int x, int y);
    /// Lets go of every key and button the Actions API holds down.
    void releaseActions();

    std::string window();
    /// Opens a new top-level window ("window") or tab ("tab") and returns its handle.
    std::string newWindow(const std::string &type = "window");
    void switchTo(const std::string &handle);
    /// Closes the current window.
    void closeWindow();

    /// A DevTools protocol command through chromedriver (Chromium only).
    Json cdp(const std::string &method, const Json &params = Json::object());

private:
    BrowserOptions m_options;
    std::unique_ptr<TempDir> m_profile;
    std::unique_ptr<ChildProcess> m_server;
    int m_port = 0;
    std::string m_session;
};
