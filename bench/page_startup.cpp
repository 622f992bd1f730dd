// Start-up of the page in headless Chromium over http://127.0.0.1, against a floor
// page: the same generated HTML (the sixteen controls in the same styles and faces)
// with every script taken out and one line put in that focuses 单根长度 and selects
// its text, as the page's start does. Ready is the time from the navigation's start
// to the page setting data-ready (the window drawn, the focus in 单根长度 with its text
// selected), and drawn the first frame after it. Page and floor load in turns, the
// first of each pair alternating, warm (cache and service worker in place) and cold
// (the browser's cache and the origin's storage cleared before each load). For the
// page it also prints where its time goes, from Resource Timing, the marks the page
// sets (rebar-module-requested, -compiled, -instantiated, rebar-window-built,
// rebar-loaded, ...) and the bench's own, each with the time since the one before; and
// the sizes, gzip -9, of the module and of everything the first load takes.
//   page_startup --site=FOLDER [--runs=N]

#include "browser.h"
#include "site_server.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page's HTML with no script: its module, its worker's registration and any other
// script go, and with them whatever preloads the module; one line focuses Text1.
std::string floorOf(const std::string &index)
{
    std::string floor = index;
    // Every <script ...>...</script>, and every <link> that preloads or names the
    // manifest. (The HTML is the generator's: tags in lower case.)
    for (std::size_t at; (at = floor.find("<script")) != std::string::npos;) {
        const std::size_t end = floor.find("</script>", at);
        floor.erase(at, end == std::string::npos ? std::string::npos : end + 9 - at);
    }
    for (std::size_t at = 0; (at = floor.find("<link", at)) != std::string::npos;) {
        const std::size_t end = floor.find('>', at);
        const std::string tag = floor.substr(at, end + 1 - at);
        if (tag.find("preload") != std::string::npos || tag.find("manifest") != std::string::npos)
            floor.erase(at, tag.size());
        else
            at = end;
    }
    const std::string focus =
        "<script>const t = document.getElementById('Text1'); t.focus(); t.select(); "
        "document.documentElement.dataset.ready = '1';</script>";
    const std::size_t body = floor.rfind("</body>");
    floor.insert(body == std::string::npos ? floor.size() : body, focus);
    return floor;
}

// Installed before each document's own scripts: notes when data-ready is set, with the
// focus and selection then, and the first frame after it; and, as marks of the bench's
// own ("at ..."), when the page asks for its module, compiles and instantiates it (the
// WebAssembly calls wrapped, nothing else changed), when the document is parsed and
// when its faces are in.
const char watchReady[] = R"(
new MutationObserver((records, observer) => {
    if (document.documentElement.dataset.ready !== '1') return;
    observer.disconnect();
    performance.mark('bench-ready');
    const e = document.activeElement;
    window.benchFocus = e ? [e.id, e.selectionStart, e.selectionEnd, e.value.length] : [];
    requestAnimationFrame(() => setTimeout(() => performance.mark('bench-drawn'), 0));
}).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-ready']});
const mark = name => performance.mark('at ' + name);
const wrap = (object, name, before, after) => {
    const original = object[name];
    if (typeof original !== 'function') return;
    object[name] = function () {
        mark(before);
        return original.apply(this, arguments).then(result => { mark(after); return result; });
    };
};
wrap(WebAssembly, 'compile', 'compile: called', 'compile: done');
wrap(WebAssembly, 'compileStreaming', 'compile (streaming): called', 'compile (streaming): done');
wrap(WebAssembly, 'instantiate', 'instantiate: called', 'instantiate: done');
wrap(WebAssembly, 'instantiateStreaming', 'instantiate (streaming): called',
     'instantiate (streaming): done');
const originalFetch = window.fetch;
window.fetch = function (resource) {
    if (String(resource).endsWith('.wasm')) mark('fetch of the module called');
    return originalFetch.apply(this, arguments);
};
document.addEventListener('DOMContentLoaded', () => mark('document parsed (DOMContentLoaded)'));
if (document.fonts) document.fonts.ready.then(() => mark('faces in (document.fonts.ready)'));
)";

struct Load {
    double ready = 0, drawn = 0;
    std::map<std::string, double> marks;                                // the page's own
    std::vector<std::pair<std::string, std::vector<double>>> resources; // name: start, end
    bool focused = false;
    bool controlled = false; // served through the service worker
};

Load load(Browser &browser, const std::string &url, bool cold, const std::string &origin)
{
    browser.navigate("about:blank");
    if (cold) {
        browser.cdp("Network.clearBrowserCache");
        browser.cdp("Storage.clearDataForOrigin",
                    Json::object({{"origin", origin}, {"storageTypes", "all"}}));
    }
    browser.navigate(url);
    const Json result = browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
const start = Date.now();
(function poll() {
    const drawn = performance.getEntriesByName('bench-drawn');
    if (!drawn.length) {
        if (Date.now() - start > 20000) return done(null);
        return setTimeout(poll, 5);
    }
    const marks = {};
    for (const m of performance.getEntriesByType('mark')) marks[m.name] = m.startTime;
    const nav = performance.getEntriesByType('navigation')[0];
    const resources = [['document', [nav.startTime, nav.responseEnd]]];
    for (const r of performance.getEntriesByType('resource'))
        resources.push([r.name, [r.startTime, r.responseEnd]]);
    const controlled = !!(navigator.serviceWorker && navigator.serviceWorker.controller);
    done({marks, resources, focus: window.benchFocus, controlled});
})();
)");
    if (result.isNull())
        throw std::runtime_error(url + " did not become ready");
    Load out;
    for (const auto &[name, time] : result["marks"].members())
        out.marks[name] = time.number();
    out.ready = out.marks.at("bench-ready");
    out.drawn = out.marks.at("bench-drawn");
    out.marks.erase("bench-ready");
    out.marks.erase("bench-drawn");
    for (const Json &r : result["resources"].items())
        out.resources.push_back({r[0].string(), {r[1][0].number(), r[1][1].number()}});
    out.controlled = result["controlled"].boolean();
    const Json &focus = result["focus"];
    out.focused = focus.size() == 4 && focus[0].string() == "Text1" && focus[1].integer() == 0
                  && focus[2].integer() == focus[3].integer();
    return out;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::size_t gzipSize(const fs::path &file)
{
    const std::string command = "gzip -9 -n -c '" + file.string() + "' | wc -c";
    FILE *out = ::popen(command.c_str(), "r");
    unsigned long size = 0;
    if (!out || std::fscanf(out, "%lu", &size) != 1)
        size = 0;
    if (out)
        ::pclose(out);
    return size;
}

// One round of interleaved loads; returns the files the page's loads took.
std::set<std::string> measureRound(Browser &browser, SiteServer &server, int runs, bool cold)
{
    const std::string origin = server.url().substr(0, server.url().size() - 1);
    const std::string page = server.url() + "index.html";
    const std::string floor = server.url() + "floor.html";
    std::vector<double> pageReady, floorReady, pageDrawn, floorDrawn, ratios;
    std::map<std::string, std::vector<double>> marks, floorMarks, fetched;
    std::set<std::string> files;
    int unfocused = 0, pageControlled = 0, floorControlled = 0;
    // Warm: a first load of each puts the cache and the worker in place; the page
    // registers its worker after its load event, so the first load waits for it.
    if (!cold) {
        load(browser, page, false, origin);
        const Json worker = browser.executeAsync(R"(
const done = arguments[arguments.length - 1];
if (!navigator.serviceWorker) return done(false);
const timeout = setTimeout(() => done(false), 10000);
navigator.serviceWorker.ready.then(() => { clearTimeout(timeout); done(true); });
)");
        if (!worker.boolean())
            std::printf("  (the page's service worker was not in place after its first load)\n");
        load(browser, floor, false, origin);
    }
    for (int run = 0; run < runs; ++run) {
        Load p, f;
        if (run % 2) {
            f = load(browser, floor, cold, origin);
            p = load(browser, page, cold, origin);
        } else {
            p = load(browser, page, cold, origin);
            f = load(browser, floor, cold, origin);
        }
        unfocused += !p.focused + !f.focused;
        pageControlled += p.controlled;
        floorControlled += f.controlled;
        pageReady.push_back(p.ready);
        floorReady.push_back(f.ready);
        pageDrawn.push_back(p.drawn);
        floorDrawn.push_back(f.drawn);
        ratios.push_back(p.ready / f.ready);
        for (const auto &[name, time] : p.marks)
            marks[name].push_back(time);
        for (const auto &[name, time] : f.marks)
            floorMarks[name].push_back(time);
        for (const auto &[name, span] : p.resources) {
            const std::string file =
                name == "document" ? "index.html" : name.substr(name.rfind('/') + 1);
            files.insert(file);
            fetched[file + " start"].push_back(span[0]);
            fetched[file + " end"].push_back(span[1]);
        }
    }
    std::printf("\n%s, %d loads of each, medians in ms from the navigation's start:\n",
                cold ? "Cold (cache and storage cleared before each load)"
                     : "Warm (cache and service worker in place)",
                runs);
    std::printf("  ready: page %.1f, floor %.1f, page / floor %.2f (median of the pairs' "
                "ratios %.2f)\n",
                median(pageReady), median(floorReady), median(pageReady) / median(floorReady),
                median(ratios));
    std::printf("  first frame after ready: page %.1f, floor %.1f\n", median(pageDrawn),
                median(floorDrawn));
    std::printf("  served through the service worker: page %d, floor %d of %d loads each\n",
                pageControlled, floorControlled, runs);
    if (unfocused)
        std::printf("  WRONG: %d loads were ready without 单根长度 focused and selected\n",
                    unfocused);
    std::printf("  the page's resources (start, end):\n");
    for (const auto &[name, times] : fetched) {
        if (name.size() > 4 && name.compare(name.size() - 4, 4, " end") == 0)
            continue;
        const std::string file = name.substr(0, name.size() - 6);
        std::printf("    %-32s %7.1f %7.1f\n", file.c_str(), median(times),
                    median(fetched[file + " end"]));
    }
    std::vector<std::pair<double, std::string>> ordered;
    for (const auto &[name, times] : marks)
        ordered.push_back({median(times), name});
    std::sort(ordered.begin(), ordered.end());
    // Where the time goes: each mark's median, and how long after the mark before it.
    std::printf("  marks (the page's own, and the bench's \"at ...\"):   page   (+ms)   floor\n");
    double previous = 0;
    for (const auto &[time, name] : ordered) {
        const auto floorTime = floorMarks.find(name);
        std::printf("    %-44s %7.1f %7.1f", name.c_str(), time, time - previous);
        if (floorTime != floorMarks.end())
            std::printf(" %7.1f", median(floorTime->second));
        std::printf("\n");
        previous = time;
    }
    std::printf("    %-44s %7.1f %7.1f %7.1f\n", "ready", median(pageReady),
                median(pageReady) - previous, median(floorReady));
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    std::string site;
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--site=", 0) == 0)
            site = arg.substr(7);
        else if (arg.rfind("--runs=", 0) == 0)
            runs = std::stoi(arg.substr(7));
    }
    if (site.empty() || !fs::exists(fs::path(site) / "index.html")) {
        std::fprintf(stderr, "usage: page_startup --site=FOLDER [--runs=N]\n");
        return 2;
    }
    try {
        // The site and its floor, in a folder of the bench's own.
        TempDir copy("rebar-bench-site");
        fs::copy(site, copy.path(), fs::copy_options::recursive);
        std::ofstream(fs::path(copy.path()) / "floor.html", std::ios::binary)
            << floorOf(readFile(fs::path(site) / "index.html"));

        std::printf("Sizes, gzip -9:\n");
        std::size_t all = 0;
        for (const auto &entry : fs::directory_iterator(site)) {
            const std::size_t size = gzipSize(entry.path());
            std::printf("  %-32s %7zu bytes (%zu as stored)\n", entry.path().filename().c_str(),
                        size, fs::file_size(entry.path()));
            all += size;
        }
        std::printf("  the whole site                   %7zu bytes\n", all);

        SiteServer server(copy.path());
        Browser browser{BrowserOptions{}};
        browser.cdp("Page.enable");
        browser.cdp("Page.addScriptToEvaluateOnNewDocument",
                    Json::object({{"source", watchReady}}));
        std::printf("\nChromium %s, headless, %d cores\n",
                    browser.execute("return navigator.userAgent.match(/Chrome\\/([0-9.]+)/)[1];")
                        .string()
                        .c_str(),
                    static_cast<int>(std::thread::hardware_concurrency()));
        measureRound(browser, server, runs, false);
        const std::set<std::string> first = measureRound(browser, server, runs, true);
        std::size_t firstSize = 0;
        std::printf("\nWhat the first load takes, gzip -9:");
        for (const std::string &file : first) {
            const fs::path path = fs::path(site) / (file.empty() ? "index.html" : file);
            if (!fs::exists(path))
                continue;
            firstSize += gzipSize(path);
            std::printf(" %s", path.filename().c_str());
        }
        std::printf("\n  %zu bytes\n", firstSize);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
