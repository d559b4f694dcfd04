#pragma once

#include <QPoint>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace support {
class Recorder;
}

namespace player {

using Clock = std::chrono::steady_clock;

// The probed pixels' colours (0xRRGGBB) from a moment on.
struct Frame {
    Clock::time_point at;
    std::vector<std::uint32_t> colours;
};

// Watches a few pixels of the screen from a thread of its own, about every millisecond, and
// keeps every change. It also counts the windows on the desktop and, given a recording, learns
// when its first sample was played.
class Watcher {
public:
    Watcher(const std::string& display, std::vector<QPoint> probes,
            const support::Recorder* recording = nullptr);
    ~Watcher();

    using Colours = std::vector<std::uint32_t>;

    std::vector<Frame> frames() const;
    std::size_t frameCount() const;
    // The first frame from `from` on whose colours satisfy `done`, waiting for it as long as
    // the timeout; nothing if none came.
    std::optional<Frame> waitFor(std::size_t& from, const std::function<bool(const Colours&)>& done,
                                 std::chrono::milliseconds timeout) const;
    int mostWindows() const { return mostWindows_; }
    // The latest moment at which the recording's first sample can have been played, as far as
    // its growth shows; max() before anything has been recorded.
    Clock::time_point recordingStart() const;

private:
    void run(std::string display);
    void noteRecording();

    const std::vector<QPoint> probes_;
    const support::Recorder* recording_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Frame> frames_;
    Clock::time_point recordingStart_ = Clock::time_point::max();
    std::size_t header_ = 0;
    std::atomic<int> mostWindows_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace player
