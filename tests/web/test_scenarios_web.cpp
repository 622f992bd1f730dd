// The book of scenarios on the page, in a browser driven through WebDriver: a fresh
// page for each row, served over http://127.0.0.1 by the test's own file server. The
// browser has windows on a display of the test's own (Xvfb), so that another window
// takes the focus from the page as another program's does, and the display's
// clipboard and keyboard are there for what WebDriver lacks (pasting, a key held
// down). WebKit's windows also get a window manager, which GTK needs for the focus.
//   test_scenarios_web --site=FOLDER [--engine=chromium|webkit] [--require]

#include "page_driver.h"
#include "row_name.h"
#include "scenario.h"
#include "site_server.h"
#include "virtual_display.h"
#include "web_setup.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Session {
    std::unique_ptr<VirtualDisplay> display;
    std::unique_ptr<SiteServer> site;
    std::unique_ptr<Browser> browser;
};
Session *session = nullptr;

class Book : public testing::TestWithParam<Scenario> {};

TEST_P(Book, OnThePage)
{
    const Scenario &row = GetParam();
    if (const char *reason = row.skipReason(OnWeb))
        GTEST_SKIP() << "not on this window: " << reason;
    PageDriver driver(*session->browser, session->site->url() + "index.html");
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    const WebSetup setup = WebSetup::fromArguments(argc, argv);
    if (const auto why = setup.missing())
        setup.skipAll(*why);
    if (!VirtualDisplay::available())
        setup.skipAll("Xvfb is not installed");
    // WebKit's windows are GTK's, which take the focus only from a window manager.
    const bool windowManager = setup.engine == Engine::WebKit;
    if (windowManager && !VirtualDisplay::windowManagerAvailable())
        setup.skipAll("matchbox-window-manager is not installed");
    Session started;
    try {
        started.display = std::make_unique<VirtualDisplay>(windowManager);
        started.site = std::make_unique<SiteServer>(setup.site);
        BrowserOptions options;
        options.engine = setup.engine;
        options.headless = false;
        options.display = started.display->name();
        started.browser = std::make_unique<Browser>(options);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s could not be started: %s\n", Browser::name(setup.engine),
                     error.what());
        return 1;
    }
    session = &started;
    const int result = RUN_ALL_TESTS();
    session = nullptr;
    return result;
}
