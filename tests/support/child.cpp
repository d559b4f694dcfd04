#include "child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace support {
namespace {

std::vector<std::string> merged(const std::vector<std::string>& changes) {
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        bool replaced = false;
        for (const auto& change : changes) replaced = replaced || nameOf(change) == nameOf(entry);
        if (!replaced) env.push_back(entry);
    }
    for (const auto& change : changes)
        if (change.find('=') != std::string::npos) env.push_back(change);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

Child::Child(std::vector<std::string> argv, const std::vector<std::string>& env,
             const std::string& log) {
    std::vector<std::string> environment = merged(env);
    auto args = pointers(argv);
    auto vars = pointers(environment);
    const pid_t parent = getpid();
    started_ = Clock::now();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int out = log.empty() ? open("/dev/null", O_WRONLY)
                                    : open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(out, 1);
        dup2(out, 2);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        execvpe(args[0], args.data(), vars.data());
        _exit(127);
    }
}

Child::~Child() { stop(); }

bool Child::reap(int options) {
    if (status_) return true;
    int status = 0;
    const pid_t got = waitpid(pid_, &status, options);
    if (got != pid_) return false;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

bool Child::running() { return !reap(WNOHANG); }

void Child::signal(int number) {
    if (running()) kill(pid_, number);
}

std::optional<int> Child::wait(std::chrono::milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    while (running()) {
        if (Clock::now() >= until) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

void Child::stop(std::chrono::milliseconds grace) {
    if (!running()) return;
    kill(pid_, SIGTERM);
    if (wait(grace)) return;
    kill(pid_, SIGKILL);
    reap(0);
}

std::string output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

}  // namespace support
