// Playback through a private PulseAudio server whose null sink is recorded with parec.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/sound.h"
#include "tests/sound/test_clips.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kSink = "melquad_test";

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Starts argv with the test's environment changed by extra ("NAME=value" sets, "NAME" removes),
// its output discarded; 0 on failure.
pid_t spawn(std::vector<std::string> argv, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const auto changed = [&](const std::string& x) {
            return entry.substr(0, entry.find('=')) == x.substr(0, x.find('='));
        };
        if (std::none_of(extra.begin(), extra.end(), changed)) env.emplace_back(entry);
    }
    for (const auto& x : extra) {
        if (x.find('=') != std::string::npos) env.push_back(x);
    }
    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> out;
        for (auto& s : strings) out.push_back(s.data());
        out.push_back(nullptr);
        return out;
    };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, pointers(argv).data(),
                                    pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

void stop(pid_t& pid, int signal) {
    if (pid == 0) return;
    kill(pid, signal);
    waitpid(pid, nullptr, 0);
    pid = 0;
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

Clock::duration at(std::size_t offset) {
    return std::chrono::microseconds(static_cast<std::int64_t>(offset) * 1'000'000 / 22050);
}

// A private server with one null sink in the clips' format, and a recording of what it plays.
class PulseServer : public testing::Test {
protected:
    void SetUp() override {
        if (output("for p in pulseaudio parec pactl; do command -v $p; done | wc -l") != "3\n") {
            GTEST_SKIP() << "pulseaudio, parec or pactl missing";
        }
        std::string dir = testing::TempDir() + "melquad_pulse_XXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        dir_ = dir;
        server_ = "unix:" + (dir_ / "native").string();
        setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
        setenv("PULSE_SERVER", server_.c_str(), 1);
        ASSERT_NO_FATAL_FAILURE(startServer());
    }

    void TearDown() override {
        stop(recorder_, SIGINT);
        stop(server_pid_, SIGTERM);
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    void startServer() {
        server_pid_ = spawn(
            {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--realtime=no", "--high-priority=no", "-L",
             "module-native-protocol-unix socket=" + (dir_ / "native").string() +
                 " auth-anonymous=1",
             "-L",
             std::string("module-null-sink format=u8 rate=22050 channels=1 sink_name=") + kSink},
            {"HOME=" + dir_.string(), "DISPLAY"});
        ASSERT_NE(server_pid_, 0);
        const auto deadline = Clock::now() + 10s;
        while (output("pactl list short sinks 2>/dev/null").find(kSink) == std::string::npos) {
            ASSERT_LT(Clock::now(), deadline) << "server did not come up";
            std::this_thread::sleep_for(50ms);
        }
    }

    void stopServer() { stop(server_pid_, SIGTERM); }

    // Starts recording and watches it arrive for a while, to learn when its first sample played.
    void record() {
        recorder_ =
            spawn({"parec", "-d", std::string(kSink) + ".monitor", "--format=u8", "--rate=22050",
                   "--channels=1", "--file-format=wav", "--latency-msec=10", recording().string()});
        ASSERT_NE(recorder_, 0);
        arrivals_.clear();
        for (const auto until = Clock::now() + 500ms; Clock::now() < until;) {
            std::error_code error;
            const auto size = fs::file_size(recording(), error);
            if (!error) arrivals_.emplace_back(Clock::now(), size);
            std::this_thread::sleep_for(1ms);
        }
    }

    struct Heard {
        Bytes samples;
        Clock::time_point start;  // the latest moment its first sample can have been played
    };

    Heard recorded() {
        stop(recorder_, SIGINT);
        const Bytes file = readFile(recording().string());
        const Bytes tag{'d', 'a', 't', 'a'};
        const auto data = std::search(file.begin(), file.end(), tag.begin(), tag.end());
        EXPECT_NE(data, file.end()) << "no recording";
        const auto header = std::min<std::size_t>(data - file.begin() + 8, file.size());
        Heard heard{Bytes(file.begin() + static_cast<std::ptrdiff_t>(header), file.end()),
                    Clock::time_point::max()};
        for (const auto& [when, size] : arrivals_) {
            if (size > header) heard.start = std::min(heard.start, when - at(size - header));
        }
        return heard;
    }

    fs::path recording() const { return dir_ / "recording.wav"; }

    fs::path dir_;
    std::string server_;
    pid_t server_pid_ = 0;
    pid_t recorder_ = 0;
    std::vector<std::pair<Clock::time_point, std::size_t>> arrivals_;
};

TEST_F(PulseServer, ClipsAreHeardExactlyAndPlayReturnsAfterTheirLastSample) {
    // A fresh server drops the start of a recording begun as its first stream starts.
    Sound sound;
    std::this_thread::sleep_for(3s);
    ASSERT_NO_FATAL_FAILURE(record());

    const Bytes clips[] = {samples(13430, 11), samples(9443, 12), samples(10951, 13)};
    std::vector<Clock::time_point> calls, returns;
    for (const Bytes& clip : clips) {
        calls.push_back(Clock::now());
        sound.play(waveImage(clip));
        returns.push_back(Clock::now());
    }
    std::this_thread::sleep_for(300ms);
    const Heard heard = recorded();
    ASSERT_NE(heard.start, Clock::time_point::max());

    std::size_t from = 0;
    for (std::size_t i = 0; i < std::size(clips); ++i) {
        const std::size_t first = find(heard.samples, clips[i], from);
        ASSERT_LT(first, heard.samples.size()) << "clip " << i << " not heard in order";
        EXPECT_TRUE(silent(heard.samples, from, first)) << "noise before clip " << i;
        from = first + clips[i].size();
        const auto lastHeard = heard.start + at(from);
        std::cout << "  clip " << i << ": length " << ms(at(clips[i].size())) << " ms, play "
                  << ms(returns[i] - calls[i]) << " ms, first sample heard at most "
                  << ms(heard.start + at(first) - calls[i])
                  << " ms after the call, play returned at least " << ms(returns[i] - lastHeard)
                  << " ms after the last\n";
        EXPECT_GE(returns[i], lastHeard);
    }
}

double playMs(Sound& sound, std::span<const std::uint8_t> wave) {
    const auto start = Clock::now();
    sound.play(wave);
    return ms(Clock::now() - start);
}

TEST_F(PulseServer, LostServerLeavesPlaysTheirLengthAndSoundComesBack) {
    Sound sound;
    std::this_thread::sleep_for(1s);
    const Bytes image = waveImage(samples(9443, 21));
    const double length = ms(at(9443));
    std::thread loss([this] {
        std::this_thread::sleep_for(100ms);
        stopServer();
    });
    for (int i = 0; i < 2; ++i) {  // the server goes away during the first
        const double played = playMs(sound, image);
        std::cout << "  server lost: length " << length << " ms, play " << played << " ms\n";
        EXPECT_GE(played, length - 1);
        EXPECT_LE(played, length + 50);
    }
    loss.join();

    ASSERT_NO_FATAL_FAILURE(startServer());
    ASSERT_NO_FATAL_FAILURE(record());
    std::this_thread::sleep_for(3s);  // the device is asked for again only every few seconds
    const Bytes back[] = {samples(9443, 22), samples(9443, 23), samples(9443, 24)};
    for (const Bytes& clip : back) {
        std::cout << "  server back: play " << playMs(sound, waveImage(clip)) << " ms\n";
    }
    std::this_thread::sleep_for(300ms);  // the recorder writes what it hears a little later
    const Bytes heard = recorded().samples;
    // The play that finds the device again is silent; those after it are heard whole.
    EXPECT_LT(find(heard, back[1]), heard.size());
    EXPECT_LT(find(heard, back[2]), heard.size());
}

}  // namespace
