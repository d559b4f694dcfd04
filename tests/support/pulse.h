#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "child.h"

namespace support {

// A private PulseAudio server in a folder of the caller's, with one null sink in the clips'
// format (8-bit mono 22050 Hz). It can be stopped, killed and started again in the same folder.
class PrivatePulse {
public:
    static constexpr const char* sink = "melquad_test";
    static bool available();  // pulseaudio, pactl and parec are installed

    // `realtime`: priorities as a desktop's server has them (its sink thread real-time), so that
    // the test's own load does not break the sound up.
    explicit PrivatePulse(std::filesystem::path folder, bool realtime = false);

    bool start();                 // returns once the sink is there
    void stop();                  // as a server shut down
    void kill();                  // as a crash would: no goodbye to the clients
    std::string address() const;  // for PULSE_SERVER
    // How far ahead of time the sink renders, and so how early its monitor passes samples on,
    // as configured for the streams connected now; zero if unknown.
    std::chrono::microseconds renderAhead() const;

private:
    std::filesystem::path folder_;
    bool realtime_;
    std::unique_ptr<Child> server_;
};

// Records the sink's monitor into a WAVE file with parec.
class Recorder {
public:
    Recorder(const PrivatePulse& server, std::filesystem::path file);
    const std::filesystem::path& file() const { return file_; }
    // Bytes before the first sample in the file, once parec has written its header; 0 before.
    std::size_t headerBytes() const;
    // Ends the recording and returns its samples.
    std::vector<std::uint8_t> finish();

private:
    std::filesystem::path file_;
    std::unique_ptr<Child> parec_;
};

}  // namespace support
