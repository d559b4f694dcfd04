#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "child.h"

namespace player {

// An Xvfb server on a display number of its own choosing, stopped with the object.
class XServer {
public:
    XServer();
    const std::string& display() const { return display_; }  // ":N", empty if it did not start

private:
    std::unique_ptr<Child> server_;
    std::string display_;
};

// A private folder under the system's temporary one, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A private PulseAudio server with one null sink in the clips' format (8-bit mono 22050 Hz).
class SoundServer {
public:
    static constexpr const char* sink = "melquad_player";

    SoundServer();
    bool up() const { return up_; }
    std::string address() const;  // for PULSE_SERVER
    // How far ahead of time the sink renders, and so how early its monitor passes samples on,
    // as configured for the streams connected now; zero if unknown.
    std::chrono::microseconds renderAhead() const;
    const std::filesystem::path& folder() const { return dir_.path(); }

private:
    TempDir dir_;
    std::unique_ptr<Child> server_;
    bool up_ = false;
};

// Records the sink's monitor into a WAVE file with parec.
class Recorder {
public:
    explicit Recorder(const SoundServer& server);
    ~Recorder();
    const std::filesystem::path& file() const { return file_; }
    // Bytes before the first sample in the file, once parec has written its header; 0 before.
    std::size_t headerBytes() const;
    // Ends the recording and returns its samples.
    std::vector<std::uint8_t> finish();

private:
    std::filesystem::path file_;
    std::unique_ptr<Child> parec_;
};

}  // namespace player
