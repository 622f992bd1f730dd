#include "site_server.h"

#include "http_client.h"

#include <chrono>
#include <stdexcept>
#include <thread>

SiteServer::SiteServer(std::string folder)
    : m_folder(std::move(folder)), m_port(freePort()),
      m_logs(std::make_unique<TempDir>("rebar-site"))
{
    start();
}

void SiteServer::start()
{
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"python3", "-m", "http.server", "--bind", "127.0.0.1",
                                 "--directory", m_folder, std::to_string(m_port)},
        m_logs->path() + "/http.log");
    for (int wait = 0; !portAnswers(m_port); ++wait) {
        if (wait > 400 || !m_process->running())
            throw std::runtime_error("the static file server did not start: "
                                     + m_process->logTail());
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}
