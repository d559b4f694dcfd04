#include "servers.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace player {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

XServer::XServer() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    // Xvfb writes the display number it took to this descriptor once it accepts clients.
    server_ = std::make_unique<Child>(
        std::vector<std::string>{"sh", "-c",
                                 "exec Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "
                                 "3>&" +
                                     std::to_string(pipeEnds[1])});
    close(pipeEnds[1]);
    std::string number;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeEnds[0]);
    if (!number.empty()) display_ = ":" + number;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "melquad_player_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
}

SoundServer::SoundServer() {
    const fs::path dir = dir_.path();
    server_ = std::make_unique<Child>(
        std::vector<std::string>{
            // Priorities as a desktop's server has them (its sink thread real-time), so that
            // the tests' own load does not break the sound up.
            "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "--realtime=yes", "--high-priority=yes", "-L",
            "module-native-protocol-unix socket=" + (dir / "native").string() + " auth-anonymous=1",
            "-L",
            std::string("module-null-sink format=u8 rate=22050 channels=1 sink_name=") + sink},
        std::vector<std::string>{"HOME=" + dir.string(), "DISPLAY"}, (dir / "server.log").string());
    const std::string query = "PULSE_SERVER=" + address() + " pactl list short sinks 2>/dev/null";
    for (const auto until = Clock::now() + 10s; Clock::now() < until && server_->running();) {
        if (output(query).find(sink) != std::string::npos) {
            up_ = true;
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
}

std::chrono::microseconds SoundServer::renderAhead() const {
    const std::string sinks = output("PULSE_SERVER=" + address() + " pactl list sinks 2>/dev/null");
    const std::string key = "configured ";
    const auto at = sinks.find(key);
    if (at == std::string::npos) return {};
    return std::chrono::microseconds(std::atoll(sinks.c_str() + at + key.size()));
}

std::string SoundServer::address() const { return "unix:" + (dir_.path() / "native").string(); }

Recorder::Recorder(const SoundServer& server) : file_(server.folder() / "recording.wav") {
    parec_ = std::make_unique<Child>(
        std::vector<std::string>{"parec", "-d", std::string(SoundServer::sink) + ".monitor",
                                 "--format=u8", "--rate=22050", "--channels=1", "--file-format=wav",
                                 "--latency-msec=10", file_.string()},
        std::vector<std::string>{"PULSE_SERVER=" + server.address()});
}

Recorder::~Recorder() = default;

namespace {

// Where the samples start in a WAVE file's bytes; 0 when its data chunk has not begun.
std::size_t samplesStart(const std::vector<std::uint8_t>& file) {
    const std::string tag = "data";
    const auto data = std::search(file.begin(), file.end(), tag.begin(), tag.end());
    if (file.end() - data < 8) return 0;
    return static_cast<std::size_t>(data - file.begin()) + 8;
}

std::vector<std::uint8_t> readFile(const fs::path& path, std::size_t limit = SIZE_MAX) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    for (std::istreambuf_iterator<char> it(in), end; it != end && bytes.size() < limit; ++it)
        bytes.push_back(static_cast<std::uint8_t>(*it));
    return bytes;
}

}  // namespace

std::size_t Recorder::headerBytes() const { return samplesStart(readFile(file_, 256)); }

std::vector<std::uint8_t> Recorder::finish() {
    parec_->signal(SIGINT);
    parec_->wait(3000ms);
    parec_.reset();
    const std::vector<std::uint8_t> file = readFile(file_);
    const std::size_t start = samplesStart(file);
    if (start == 0) return {};
    // The chunk's size, written when parec closes the file, leaves out the pad byte that
    // follows an odd chunk.
    std::size_t size = file.size() - start;
    const std::uint8_t* sizeField = &file[start - 4];
    const std::size_t stated =
        sizeField[0] | sizeField[1] << 8 | sizeField[2] << 16 | std::size_t{sizeField[3]} << 24;
    if (stated <= size) size = stated;
    return {file.begin() + static_cast<std::ptrdiff_t>(start),
            file.begin() + static_cast<std::ptrdiff_t>(start + size)};
}

}  // namespace player
