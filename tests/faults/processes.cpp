#include "processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <thread>

extern char** environ;

namespace {

constexpr const char* kSink = "melquad_faults";

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& set,
            const std::vector<std::string>& unset, const std::string& output) {
    std::vector<std::string> env(set);
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& s : set) replaced |= s.substr(0, s.find('=')) == name;
        for (const auto& u : unset) replaced |= u == name;
        if (!replaced) env.push_back(entry);
    }
    std::vector<std::string> args(argv);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, pointers(args).data(),
                                    pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

void stop(pid_t& pid, int signal) {
    if (pid == 0) return;
    ::kill(pid, signal);
    waitpid(pid, nullptr, 0);
    pid = 0;
}

std::string outputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

PrivatePulse::PrivatePulse(std::filesystem::path dir) : dir_(std::move(dir)) {}

PrivatePulse::~PrivatePulse() {
    stopRecording();
    stop(server_, SIGTERM);
}

bool PrivatePulse::available() {
    return outputOf("for p in pulseaudio parec pactl; do command -v $p; done | wc -l") == "3\n";
}

bool PrivatePulse::start() {
    using namespace std::chrono_literals;
    std::filesystem::remove(dir_ / "native");
    server_ = spawn(
        {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
         "--realtime=no", "--high-priority=no", "-L",
         "module-native-protocol-unix socket=" + (dir_ / "native").string() + " auth-anonymous=1",
         "-L", std::string("module-null-sink format=u8 rate=22050 channels=1 sink_name=") + kSink},
        {"HOME=" + dir_.string()}, {"DISPLAY"});
    if (server_ == 0) return false;
    const std::string ask = "pactl -s " + address() + " list short sinks 2>/dev/null";
    for (const auto until = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(50ms)) {
        if (outputOf(ask).find(kSink) != std::string::npos) return true;
    }
    return false;
}

void PrivatePulse::kill() {
    stop(server_, SIGKILL);
    stopRecording();  // a recorder loses its server too
}

bool PrivatePulse::record(const std::filesystem::path& wav) {
    recorder_ = spawn({"parec", "-s", address(), "-d", std::string(kSink) + ".monitor",
                       "--format=u8", "--rate=22050", "--channels=1", "--file-format=wav",
                       "--latency-msec=10", wav.string()});
    return recorder_ != 0;
}

void PrivatePulse::stopRecording() { stop(recorder_, SIGINT); }
