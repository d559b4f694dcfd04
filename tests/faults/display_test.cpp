// The built program started where there is no display to open.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Ended {
    bool exited = false;
    int code = -1;    // when exited
    int signal = 0;   // when killed by one
    std::string err;  // standard error
};

// Runs the program in dir with cores allowed and this environment change; waits up to 20 s.
Ended run(const std::vector<std::string>& argv, const fs::path& dir,
          const std::vector<std::string>& set, const std::vector<std::string>& unset) {
    // Everything is made ready before the fork: the child only calls what is safe there.
    std::vector<std::string> env(set);
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        bool dropped = false;
        for (const auto& s : set) dropped |= s.substr(0, s.find('=')) == name;
        for (const auto& u : unset) dropped |= u == name;
        if (!dropped) env.push_back(entry);
    }
    std::vector<char*> envp, args;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy(argv);
    for (auto& a : argCopy) args.push_back(a.data());
    args.push_back(nullptr);
    const fs::path errPath = dir / "stderr.txt";
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDWR);
    const rlimit cores{RLIM_INFINITY, RLIM_INFINITY};

    const pid_t pid = fork();
    if (pid == 0) {
        setrlimit(RLIMIT_CORE, &cores);
        if (chdir(dir.c_str()) != 0) _exit(126);
        dup2(null, 0);
        dup2(null, 1);
        dup2(err, 2);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(err);
    close(null);
    Ended ended;
    int status = 0;
    for (auto until = std::chrono::steady_clock::now() + 20s;; std::this_thread::sleep_for(10ms)) {
        if (waitpid(pid, &status, WNOHANG) == pid) break;
        if (std::chrono::steady_clock::now() > until) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << argv[0] << " did not end";
            break;
        }
    }
    ended.exited = WIFEXITED(status);
    ended.code = ended.exited ? WEXITSTATUS(status) : -1;
    ended.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    std::ifstream in(errPath);
    std::ostringstream text;
    text << in.rdbuf();
    ended.err = text.str();
    return ended;
}

bool hasCore(const fs::path& dir) {
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().starts_with("core")) return true;
    return false;
}

// A display number that no X server holds.
std::string absentDisplay() {
    for (int n = 150; n < 250; ++n)
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
    return ":249";
}

TEST(NoDisplay, OneLineOnStandardErrorAndAFailureExitWithoutACore) {
    std::string dir = testing::TempDir() + "melquad_display_XXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);

    // Where cores go: a crash in this directory leaves one, unless the system takes them away.
    const Ended crash = run({"/bin/sh", "-c", "kill -SEGV $$"}, dir, {}, {});
    ASSERT_EQ(crash.signal, SIGSEGV);
    const bool coresShow = hasCore(dir);
    for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());

    const std::string display = absentDisplay();
    const Ended ended = run({MELQUAD_EXECUTABLE}, dir, {"DISPLAY=" + display},
                            {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"});
    std::cout << "  DISPLAY=" << display << ": exit " << ended.code << ", signal " << ended.signal
              << ", standard error: " << ended.err;
    EXPECT_TRUE(ended.exited) << "ended by signal " << ended.signal;
    EXPECT_NE(ended.code, 0);
    EXPECT_EQ(std::count(ended.err.begin(), ended.err.end(), '\n'), 1) << ended.err;
    EXPECT_TRUE(ended.err.starts_with("melquad: ")) << ended.err;
    EXPECT_NE(ended.err.find(display), std::string::npos) << "names the display";
    if (coresShow)
        EXPECT_FALSE(hasCore(dir));
    else
        std::cout << "  (cores are not written to the working directory here; not checked)\n";
    fs::remove_all(dir);
}

}  // namespace
