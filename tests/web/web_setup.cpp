#include "web_setup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

WebSetup WebSetup::fromArguments(int argc, char **argv)
{
    WebSetup setup;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&](std::string_view option) {
            return arg.substr(0, option.size()) == option ? std::string(arg.substr(option.size()))
                                                          : std::string();
        };
        if (arg == "--engine=chromium")
            setup.engine = Engine::Chromium;
        else if (arg == "--engine=webkit")
            setup.engine = Engine::WebKit;
        else if (!value("--site=").empty())
            setup.site = value("--site=");
        else if (!value("--one-file=").empty())
            setup.oneFile = value("--one-file=");
        else if (arg == "--require")
            setup.require = true;
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            std::exit(2);
        }
    }
    return setup;
}

std::optional<std::string> WebSetup::missing() const
{
    if (const auto why = Browser::missing(engine))
        return why;
    if (site.empty() || !std::filesystem::exists(site + "/index.html"))
        return "the site is not built (" + site + "/index.html): run scripts/web.sh";
    return std::nullopt;
}

void WebSetup::skipAll(const std::string &why) const
{
    std::printf("%s: %s\n", require ? "FAIL" : "SKIP", why.c_str());
    std::fflush(stdout);
    std::exit(require ? 1 : 77);
}
