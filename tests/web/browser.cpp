#include "browser.h"

#include "http_client.h"

#include <glob.h>

#include <chrono>
#include <thread>

namespace {

// MiniBrowser, which WebKitWebDriver starts, ships in the WebKitGTK library package.
std::string miniBrowser()
{
    glob_t found{};
    std::string path;
    if (::glob("/usr/lib/*/webkit2gtk-4.*/MiniBrowser", 0, nullptr, &found) == 0
        && found.gl_pathc > 0)
        path = found.gl_pathv[found.gl_pathc - 1];
    ::globfree(&found);
    return path;
}

const char *serverProgram(Engine engine)
{
    return engine == Engine::Chromium ? "chromedriver" : "WebKitWebDriver";
}

Json chromiumCapabilities(const BrowserOptions &options, const std::string &profile)
{
    Json args =
        Json::array({"--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--disable-default-apps", "--user-data-dir=" + profile,
                     "--window-size=" + std::to_string(options.windowWidth) + ","
                         + std::to_string(options.windowHeight)});
    if (options.headless)
        args.push("--headless=new");
    else
        args.push("--ozone-platform=x11");
    Json chrome = Json::object({{"binary", findProgram("chromium")}, {"args", args}});
    if (options.mobileWidth > 0) {
        chrome.set("mobileEmulation",
                   Json::object({{"deviceMetrics", Json::object({{"width", options.mobileWidth},
                                                                 {"height", 740},
                                                                 {"pixelRatio", 3},
                                                                 {"mobile", true},
                                                                 {"touch", true}})}}));
    }
    return Json::object({{"browserName", "chrome"}, {"goog:chromeOptions", chrome}});
}

Json webkitCapabilities()
{
    return Json::object(
        {{"webkitgtk:browserOptions",
          Json::object({{"binary", miniBrowser()}, {"args", Json::array({"--automation"})}})}});
}

} // namespace

const char *Browser::name(Engine engine)
{
    return engine == Engine::Chromium ? "Chromium" : "WebKit";
}

std::optional<std::string> Browser::missing(Engine engine)
{
    if (findProgram(serverProgram(engine)).empty())
        return std::string(serverProgram(engine)) + " is not installed";
    if (engine == Engine::Chromium && findProgram("chromium").empty())
        return std::string("chromium is not installed");
    if (engine == Engine::WebKit && miniBrowser().empty())
        return std::string("WebKitGTK's MiniBrowser is not installed");
    return std::nullopt;
}

Browser::Browser(const BrowserOptions &options)
    : m_options(options), m_profile(std::make_unique<TempDir>("rebar-browser"))
{
    if (const auto why = missing(options.engine))
        throw std::runtime_error(*why);
    m_port = freePort();
    std::vector<std::string> environment;
    if (!options.display.empty())
        environment.push_back("DISPLAY=" + options.display);
    m_server = std::make_unique<ChildProcess>(
        std::vector<std::string>{serverProgram(options.engine), "--port=" + std::to_string(m_port)},
        m_profile->path() + "/driver.log", environment);
    for (int wait = 0; !portAnswers(m_port); ++wait) {
        if (wait > 200 || !m_server->running())
            throw std::runtime_error(std::string(serverProgram(options.engine))
                                     + " did not start: " + m_server->logTail());
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    const Json always = options.engine == Engine::Chromium
                            ? chromiumCapabilities(options, m_profile->path() + "/profile")
                            : webkitCapabilities();
    const Json body = Json::object({{"capabilities", Json::object({{"alwaysMatch", always}})}});
    const HttpResponse answer = httpRequest(m_port, "POST", "/session", body.dump());
    const Json reply = Json::parse(answer.body)["value"];
    if (const Json *error = reply.find("error"))
        throw WebDriverError(error->string(), reply["message"].string());
    m_session = reply["sessionId"].string();
}

Browser::~Browser()
{
    try {
        if (!m_session.empty())
            httpRequest(m_port, "DELETE", "/session/" + m_session, {}, 20);
    } catch (const std::exception &) {
        // The server is stopped below whatever the session did.
    }
    m_server.reset();
}

Json Browser::command(const std::string &method, const std::string &path, const Json &body)
{
    const std::string text =
        method == "POST" ? (body.isNull() ? Json::object() : body).dump() : std::string();
    const HttpResponse answer = httpRequest(m_port, method, "/session/" + m_session + path, text);
    Json reply;
    try {
        reply = Json::parse(answer.body);
    } catch (const std::runtime_error &) {
        throw WebDriverError("unreadable answer",
                             std::to_string(answer.status) + " " + answer.body.substr(0, 300));
    }
    const Json *value = reply.isObject() ? reply.find("value") : nullptr;
    if (!value)
        throw WebDriverError("unreadable answer", answer.body.substr(0, 300));
    if (answer.status >= 400 || (value->isObject() && value->find("error"))) {
        const Json *message = value->isObject() ? value->find("message") : nullptr;
        throw WebDriverError(value->isObject() && value->find("error")
                                 ? (*value)["error"].string()
                                 : std::to_string(answer.status),
                             message && message->isString() ? message->string() : answer.body);
    }
    return *value;
}

void Browser::navigate(const std::string &url)
{
    command("POST", "/url", Json::object({{"url", url}}));
}

Json Browser::execute(const std::string &script, Json args)
{
    return command("POST", "/execute/sync",
                   Json::object({{"script", script}, {"args", std::move(args)}}));
}

Json Browser::executeAsync(const std::string &script, Json args)
{
    return command("POST", "/execute/async",
                   Json::object({{"script", script}, {"args", std::move(args)}}));
}

void Browser::perform(const Json &sources)
{
    command("POST", "/actions", Json::object({{"actions", sources}}));
}

void Browser::press(const std::string &pointerType, int x, int y)
{
    perform(Json::array({Json::object(
        {{"type", "pointer"},
         {"id", pointerType == "touch" ? "finger" : "mouse"},
         {"parameters", Json::object({{"pointerType", pointerType}})},
         {"actions", Json::array({Json::object({{"type", "pointerMove"},
                                                {"duration", 0},
                                                {"origin", "viewport"},
                                                {"x", x},
                                                {"y", y}}),
                                  Json::object({{"type", "pointerDown"}, {"button", 0}}),
                                  Json::object({{"type", "pointerUp"}, {"button", 0}})})}})}));
}

void Browser::releaseActions()
{
    command("DELETE", "/actions");
}

std::string Browser::window()
{
    return command("GET", "/window").string();
}

std::string Browser::newWindow(const std::string &type)
{
    return command("POST", "/window/new", Json::object({{"type", type}}))["handle"].string();
}

void Browser::switchTo(const std::string &handle)
{
    command("POST", "/window", Json::object({{"handle", handle}}));
}

void Browser::closeWindow()
{
    command("DELETE", "/window");
}

Json Browser::cdp(const std::string &method, const Json &params)
{
    if (m_options.engine != Engine::Chromium)
        throw std::logic_error("the DevTools protocol is Chromium's");
    return command("POST", "/goog/cdp/execute",
                   Json::object({{"cmd", method}, {"params", params}}));
}
