#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace support {

using Clock = std::chrono::steady_clock;

// A child process started from this one. It dies with the thread that started it, so nothing
// is left running when a test crashes; destroying the object stops it (SIGTERM, then SIGKILL).
class Child {
public:
    // argv[0] is looked up in PATH. `env` entries (NAME=value) replace the inherited ones; an
    // entry "NAME" alone removes NAME. Output goes to `log`, or nowhere when it is empty.
    Child(std::vector<std::string> argv, const std::vector<std::string>& env = {},
          const std::string& log = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    Clock::time_point started() const { return started_; }
    bool running();
    void signal(int number);
    // The exit code once it has ended by itself (-1 when killed by a signal); nothing if it is
    // still running after the timeout.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    // SIGTERM, and SIGKILL if it has not gone within the grace time.
    void stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));

private:
    bool reap(int options);

    pid_t pid_ = 0;
    Clock::time_point started_;
    std::optional<int> status_;
};

// Runs a command through the shell and returns what it printed.
std::string output(const std::string& command);

}  // namespace support
