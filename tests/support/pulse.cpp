#include "pulse.h"

#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace support {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> readFile(const fs::path& path, std::size_t limit = SIZE_MAX) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    for (std::istreambuf_iterator<char> it(in), end; it != end && bytes.size() < limit; ++it)
        bytes.push_back(static_cast<std::uint8_t>(*it));
    return bytes;
}

// Where the samples start in a WAVE file's bytes; 0 when its data chunk has not begun.
std::size_t samplesStart(const std::vector<std::uint8_t>& file) {
    const std::string tag = "data";
    const auto data = std::search(file.begin(), file.end(), tag.begin(), tag.end());
    if (file.end() - data < 8) return 0;
    return static_cast<std::size_t>(data - file.begin()) + 8;
}

}  // namespace

bool PrivatePulse::available() {
    return output("for p in pulseaudio parec pactl; do command -v $p; done | wc -l") == "3\n";
}

PrivatePulse::PrivatePulse(fs::path folder, bool realtime)
    : folder_(std::move(folder)), realtime_(realtime) {}

bool PrivatePulse::start() {
    server_.reset();
    std::error_code ignored;
    fs::remove(folder_ / "native", ignored);  // left behind by a killed server
    const std::string priority = realtime_ ? "yes" : "no";
    server_ = std::make_unique<Child>(
        std::vector<std::string>{
            "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "--realtime=" + priority, "--high-priority=" + priority, "-L",
            "module-native-protocol-unix socket=" + (folder_ / "native").string() +
                " auth-anonymous=1",
            "-L",
            std::string("module-null-sink format=u8 rate=22050 channels=1 sink_name=") + sink},
        std::vector<std::string>{"HOME=" + folder_.string(), "DISPLAY"},
        (folder_ / "server.log").string());
    const std::string query = "PULSE_SERVER=" + address() + " pactl list short sinks 2>/dev/null";
    for (const auto until = Clock::now() + 10s; Clock::now() < until && server_->running();) {
        if (output(query).find(sink) != std::string::npos) return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

void PrivatePulse::stop() {
    if (server_) server_->stop();
}

void PrivatePulse::kill() {
    if (!server_) return;
    server_->signal(SIGKILL);
    server_->wait(3000ms);
}

std::string PrivatePulse::address() const { return "unix:" + (folder_ / "native").string(); }

std::chrono::microseconds PrivatePulse::renderAhead() const {
    const std::string sinks = output("PULSE_SERVER=" + address() + " pactl list sinks 2>/dev/null");
    const std::string key = "configured ";
    const auto at = sinks.find(key);
    if (at == std::string::npos) return {};
    return std::chrono::microseconds(std::atoll(sinks.c_str() + at + key.size()));
}

Recorder::Recorder(const PrivatePulse& server, fs::path file) : file_(std::move(file)) {
    parec_ = std::make_unique<Child>(
        std::vector<std::string>{"parec", "-d", std::string(PrivatePulse::sink) + ".monitor",
                                 "--format=u8", "--rate=22050", "--channels=1", "--file-format=wav",
                                 "--latency-msec=10", file_.string()},
        std::vector<std::string>{"PULSE_SERVER=" + server.address()});
}

std::size_t Recorder::headerBytes() const { return samplesStart(readFile(file_, 256)); }

std::vector<std::uint8_t> Recorder::finish() {
    if (parec_) {
        parec_->signal(SIGINT);
        parec_->wait(3000ms);
        parec_.reset();
    }
    const std::vector<std::uint8_t> file = readFile(file_);
    const std::size_t start = samplesStart(file);
    if (start == 0) return {};
    // The chunk's size, written when parec closes the file, leaves out the pad byte that
    // follows an odd chunk; a parec that lost its server leaves the size unwritten.
    std::size_t size = file.size() - start;
    const std::uint8_t* sizeField = &file[start - 4];
    const std::size_t stated =
        sizeField[0] | sizeField[1] << 8 | sizeField[2] << 16 | std::size_t{sizeField[3]} << 24;
    if (stated > 0 && stated <= size) size = stated;
    return {file.begin() + static_cast<std::ptrdiff_t>(start),
            file.begin() + static_cast<std::ptrdiff_t>(start + size)};
}

}  // namespace support
