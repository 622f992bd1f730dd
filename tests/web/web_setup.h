#pragma once

#include "browser.h"

#include <optional>
#include <string>

// What the page's test programs are told on their command line:
//   --engine=chromium|webkit   the browser (Chromium by default)
//   --site=FOLDER              the built site (index.html and what it loads)
//   --one-file=FILE            the one-file page
//   --require                  a missing browser or site fails rather than skips
// A program that cannot run exits 77 (CTest's skip) with the reason, or 1 with
// --require.
struct WebSetup {
    Engine engine = Engine::Chromium;
    std::string site;
    std::string oneFile;
    bool require = false;

    /// Reads the options gtest left in argv; exits on an unknown one.
    static WebSetup fromArguments(int argc, char **argv);
    /// Why the tests cannot run here, or nullopt.
    std::optional<std::string> missing() const;
    /// Prints `why` and ends the program: 77, or 1 when required.
    [[noreturn]] void skipAll(const std::string &why) const;
};
