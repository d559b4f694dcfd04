#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// Starts argv with the test's environment changed by `set` ("NAME=value") and `unset` (names),
// standard output and error going to `output` (or nowhere); 0 when it cannot be started.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& set = {},
            const std::vector<std::string>& unset = {}, const std::string& output = "/dev/null");

// Sends the signal and reaps the process; the pid is 0 afterwards.
void stop(pid_t& pid, int signal);

// What a shell command prints on standard output.
std::string outputOf(const std::string& command);

// A private PulseAudio server with one null sink in the clips' format, and recordings of what
// that sink plays. Everything it started is stopped with it.
class PrivatePulse {
public:
    explicit PrivatePulse(std::filesystem::path dir);
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse&) = delete;
    PrivatePulse& operator=(const PrivatePulse&) = delete;

    static bool available();  // pulseaudio, pactl and parec are installed

    bool start();  // returns once the sink is there
    void kill();   // as a crash would: no goodbye to the clients
    bool record(const std::filesystem::path& wav);
    void stopRecording();

    std::string address() const { return "unix:" + (dir_ / "native").string(); }

private:
    std::filesystem::path dir_;
    pid_t server_ = 0;
    pid_t recorder_ = 0;
};
