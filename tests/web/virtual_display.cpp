#include "virtual_display.h"

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

bool VirtualDisplay::available()
{
    return !findProgram("Xvfb").empty();
}

VirtualDisplay::VirtualDisplay() : m_logs(std::make_unique<TempDir>("rebar-display"))
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
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    throw std::runtime_error("Xvfb did not start: " + m_process->logTail());
}
