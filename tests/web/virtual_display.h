#pragma once

#include "child_process.h"

#include <memory>
#include <string>

// An X display of the tests' own (Xvfb, on the first free display number), for a
// browser with windows: Chromium's windows take and lose the focus there as on a
// desktop, and WebKit's MiniBrowser has no other way to run. GTK's windows take the
// focus only from a window manager: with `windowManager`, a small one runs on it.
class VirtualDisplay {
public:
    explicit VirtualDisplay(bool windowManager = false);
    /// ":99"
    const std::string &name() const { return m_name; }
    static bool available();
    static bool windowManagerAvailable();

private:
    void startWindowManager();

    std::unique_ptr<TempDir> m_logs;
    std::unique_ptr<ChildProcess> m_process;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::string m_name;
};
