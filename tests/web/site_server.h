#pragma once

#include "child_process.h"

#include <memory>
#include <string>

// The built site served over http://127.0.0.1 by Python's static file server, started
// by the tests on a free port; it can be stopped and started again on the same port
// (the offline check).
class SiteServer {
public:
    /// Serves `folder`; throws when it does not start.
    explicit SiteServer(std::string folder);
    ~SiteServer() = default;

    /// http://127.0.0.1:port/
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    void stop() { m_process.reset(); }
    void start();

private:
    std::string m_folder;
    int m_port;
    std::unique_ptr<TempDir> m_logs;
    std::unique_ptr<ChildProcess> m_process;
};
