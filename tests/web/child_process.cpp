#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

// The process groups running now, so that a test ended by a signal ends them too.
constexpr int maxGroups = 16;
volatile sig_atomic_t groups[maxGroups];

void endGroupsAndExit(int signal)
{
    for (int i = 0; i < maxGroups; ++i) {
        if (groups[i] > 0)
            ::kill(-groups[i], SIGKILL);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void remember(int pid, int replaced)
{
    static const bool handled = [] {
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            ::signal(signal, endGroupsAndExit);
        return true;
    }();
    (void)handled;
    for (int i = 0; i < maxGroups; ++i) {
        if (groups[i] == replaced) {
            groups[i] = pid;
            return;
        }
    }
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const std::string &logFile,
                           const std::vector<std::string> &environment)
    : m_logFile(logFile)
{
    const std::string program =
        argv.at(0).find('/') == std::string::npos ? findProgram(argv[0]) : argv[0];
    if (program.empty() || ::access(program.c_str(), X_OK) != 0)
        throw std::runtime_error(argv[0] + " is not installed");
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const int log = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log < 0)
        throw std::runtime_error("cannot write " + logFile);
    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (m_pid == 0) {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // and if the tests are killed outright
        for (const std::string &variable : environment)
            ::putenv(const_cast<char *>(variable.c_str()));
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, 0);
        ::dup2(log, 1);
        ::dup2(log, 2);
        ::execv(program.c_str(), args.data());
        ::_exit(127);
    }
    ::setpgid(m_pid, m_pid);
    ::close(log);
    remember(m_pid, 0);
}

bool ChildProcess::running()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        ::kill(-m_pid, SIGKILL); // what it left in its group
        remember(0, m_pid);
        m_pid = -1;
        return false;
    }
    return true;
}

void ChildProcess::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(-m_pid, SIGTERM);
    int status = 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(-m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // What it started in its group and left behind.
    ::kill(-m_pid, SIGKILL);
    remember(0, m_pid);
    m_pid = -1;
}

std::string ChildProcess::logTail() const
{
    std::ifstream in(m_logFile);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

std::string findProgram(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

TempDir::TempDir(const std::string &prefix)
{
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored; // a browser may still be writing to it: what is left stays
    std::filesystem::remove_all(m_path, ignored);
}
