#include "virtual_display.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

bool VirtualDisplay::available()
{
    return !findProgram("Xvfb").empty();
}

bool VirtualDisplay::windowManagerAvailable()
{
    return !findProgram("matchbox-window-manager").empty();
}

VirtualDisplay::VirtualDisplay(bool windowManager)
    : m_logs(std::make_unique<TempDir>("rebar-display"))
{
    // Xvfb writes the display number it took to the descriptor -displayfd names.
    const std::string log = m_logs->path() + "/xvfb.log";
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp"},
        log);
    for (int wait = 0; wait < 400 && m_process->running(); ++wait) {
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
            if (!in.eof() && !line.empty()
                && line.find_first_not_of("0123456789") == std::string::npos) {
                m_name = ":" + line;
                if (windowManager)
                    startWindowManager();
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    throw std::runtime_error("Xvfb did not start: " + m_process->logTail());
}

void VirtualDisplay::startWindowManager()
{
    std::string log;
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_windowManager = std::make_unique<ChildProcess>(
            std::vector<std::string>{"matchbox-window-manager", "-use_titlebar", "no"},
            m_logs->path() + "/window-manager.log", std::vector<std::string>{"DISPLAY=" + m_name});
        // It has taken the display once it owns the window manager's selection; a
        // window mapped before that would not be managed.
        for (int wait = 0; wait < 200 && m_windowManager->running(); ++wait) {
            const std::string probe =
                "xprop -display " + m_name + " -root _NET_SUPPORTING_WM_CHECK";
            if (std::system((probe + " 2>/dev/null | grep -q 'window id'").c_str()) == 0)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        log = m_windowManager->logTail();
    }
    throw std::runtime_error("the window manager did not start: " + log);
}
