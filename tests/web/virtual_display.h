#pragma once

#include "child_process.h"

#include <memory>
#include <string>

// An X display of the tests' own (Xvfb, on the first free display number), for a
// browser with windows: Chromium's windows take and lose the focus there as on a
// desktop, and WebKit's MiniBrowser has no other way to run.
class VirtualDisplay {
public:
    VirtualDisplay();
    /// ":99"
    const std::string &name() const { return m_name; }
    static bool available();

private:
    std::unique_ptr<TempDir> m_logs;
    std::unique_ptr<ChildProcess> m_process;
    std::string m_name;
};
