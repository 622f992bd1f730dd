#pragma once

#include <string>
#include <vector>

// A program the tests start and stop: a WebDriver server, the static file server, a
// display. It runs in a process group of its own, its output going to `logFile`; stop()
// (or the destructor) ends that group and waits for it.
class ChildProcess {
public:
    /// Starts `argv[0]` (looked up on PATH) with `argv`; throws when it cannot.
    ChildProcess(const std::vector<std::string> &argv, const std::string &logFile,
                 const std::vector<std::string> &environment = {});
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    int pid() const { return m_pid; }
    /// False once it has ended by itself.
    bool running();
    void stop();
    /// The end of its log, for failure messages.
    std::string logTail() const;

private:
    int m_pid = -1;
    std::string m_logFile;
};

/// The full path of `program` on PATH, or empty.
std::string findProgram(const std::string &program);

/// A fresh folder under the temporary folder, removed with what it holds on destruction.
class TempDir {
public:
    explicit TempDir(const std::string &prefix);
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};
