#include "watcher.h"

#include <filesystem>

#include "pulse.h"
#include "screen.h"

namespace player {

using namespace std::chrono_literals;

Watcher::Watcher(const std::string& display, std::vector<QPoint> probes,
                 const support::Recorder* recording)
    : probes_(std::move(probes)), recording_(recording) {
    thread_ = std::thread(&Watcher::run, this, display);
}

Watcher::~Watcher() {
    stop_ = true;
    thread_.join();
}

void Watcher::run(std::string display) {
    Screen screen(display);
    auto windowsDue = Clock::now();
    auto recordingDue = Clock::now();
    std::vector<std::uint32_t> colours(probes_.size());
    while (!stop_) {
        for (std::size_t i = 0; i < probes_.size(); ++i) colours[i] = screen.pixel(probes_[i]);
        // Whatever was read had been painted by now.
        const auto now = Clock::now();
        {
            std::lock_guard lock(mutex_);
            if (frames_.empty() || frames_.back().colours != colours) {
                frames_.push_back({now, colours});
                changed_.notify_all();
            }
        }
        if (now >= windowsDue) {
            mostWindows_ = std::max(mostWindows_.load(), screen.shownWindows());
            windowsDue = now + 100ms;
        }
        if (recording_ != nullptr && now >= recordingDue) {
            noteRecording();
            recordingDue = now + 5ms;
        }
        std::this_thread::sleep_for(1ms);
    }
}

void Watcher::noteRecording() {
    if (header_ == 0) header_ = recording_->headerBytes();
    if (header_ == 0) return;
    std::error_code error;
    const auto size = std::filesystem::file_size(recording_->file(), error);
    const auto seen = Clock::now();
    if (error || size <= header_) return;
    // The last sample on file has been played by now, so the first one that long before.
    const auto before = std::chrono::microseconds((size - header_ - 1) * 1'000'000 / 22050);
    std::lock_guard lock(mutex_);
    recordingStart_ = std::min(recordingStart_, seen - before);
}

std::vector<Frame> Watcher::frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

std::size_t Watcher::frameCount() const {
    std::lock_guard lock(mutex_);
    return frames_.size();
}

std::optional<Frame> Watcher::waitFor(std::size_t& from,
                                      const std::function<bool(const Colours&)>& done,
                                      std::chrono::milliseconds timeout) const {
    const auto until = Clock::now() + timeout;
    std::unique_lock lock(mutex_);
    for (;;) {
        for (; from < frames_.size(); ++from)
            if (done(frames_[from].colours)) return frames_[from];
        if (changed_.wait_until(lock, until) == std::cv_status::timeout && from == frames_.size())
            return std::nullopt;
    }
}

Clock::time_point Watcher::recordingStart() const {
    std::lock_guard lock(mutex_);
    return recordingStart_;
}

}  // namespace player
