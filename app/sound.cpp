#include "app/sound.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The clips' own format: the device takes their samples exactly as stored.
constexpr int kRate = 22050;
constexpr SDL_AudioFormat kFormat = AUDIO_U8;
constexpr Uint8 kChannels = 1;
// Small, since a flash lasts until play returns and the device's buffers are waited for;
// 256 frames break up under load.
constexpr Uint16 kFrames = 512;
// A device that is not there is asked for again at most this often.
constexpr auto kRetryInterval = 2s;
constexpr auto kPoll = 1ms;

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// Bytes in the image's "data" chunk (as far as the image holds them); 0 when there is none.
std::size_t dataBytes(std::span<const std::uint8_t> wave) {
    if (wave.size() < 12 || std::memcmp(wave.data(), "RIFF", 4) != 0 ||
        std::memcmp(wave.data() + 8, "WAVE", 4) != 0) {
        return 0;
    }
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::size_t size = le32(&wave[at + 4]);
        if (std::memcmp(&wave[at], "data", 4) == 0) return std::min(size, wave.size() - at - 8);
        at += 8 + size + (size & 1);
    }
    return 0;
}

Clock::duration samplesLength(std::size_t count) {
    return std::chrono::microseconds(static_cast<std::int64_t>(count) * 1'000'000 / kRate);
}

}  // namespace

struct Sound::Device {
    bool audio = false;  // the audio subsystem is up
    SDL_AudioDeviceID id = 0;
    Uint32 bufferBytes = 0;
    Clock::time_point retryAt{};

    void open();
    void close();
    void play(std::span<const std::uint8_t> wave, Clock::time_point giveUp);
    void drain(const Uint8* samples, Uint32 bytes, Clock::time_point giveUp);
    // Whether the queue runs dry on a live device before giveUp.
    bool waitForQueue(Clock::time_point giveUp) const;
    bool alive() const { return SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED; }
};

void Sound::Device::open() {
    const auto now = Clock::now();
    if (now < retryAt) return;
    retryAt = now + kRetryInterval;

    // SDL would otherwise take SIGINT and SIGTERM away from the process.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    audio = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!audio) return;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = kFormat;
    want.channels = kChannels;
    want.samples = kFrames;
    SDL_AudioSpec have{};
    id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) {
        close();  // a later try then chooses a driver afresh
        return;
    }
    bufferBytes = have.size;
}

void Sound::Device::close() {
    if (id != 0) SDL_CloseAudioDevice(id);
    id = 0;
    if (audio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio = false;
}

void Sound::Device::play(std::span<const std::uint8_t> wave, Clock::time_point giveUp) {
    if (wave.size() > INT_MAX) return;
    SDL_RWops* rw = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
    if (rw == nullptr) return;
    SDL_AudioSpec clip{};
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(rw, 1, &clip, &samples, &bytes) == nullptr) return;
    if (bytes > 0 && clip.freq == kRate && clip.format == kFormat && clip.channels == kChannels) {
        drain(samples, bytes, giveUp);
    }
    SDL_FreeWAV(samples);
}

bool Sound::Device::waitForQueue(Clock::time_point giveUp) const {
    while (alive()) {
        if (SDL_GetQueuedAudioSize(id) == 0) return true;
        if (Clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

void Sound::Device::drain(const Uint8* samples, Uint32 bytes, Clock::time_point giveUp) {
    bool drained = false;
    if (SDL_QueueAudio(id, samples, bytes) == 0) {
        SDL_PauseAudioDevice(id, 0);
        drained = waitForQueue(giveUp);
        // SDL has just taken the clip's last piece: it is heard once that piece and the
        // server's buffer (about one of SDL's) have played.
        const Uint32 last = (bytes - 1) % bufferBytes + 1;
        if (drained) std::this_thread::sleep_for(samplesLength(last + bufferBytes));
        SDL_PauseAudioDevice(id, 1);
    }
    SDL_ClearQueuedAudio(id);
    if (!drained) close();  // lost, or stuck: a later play asks for it again
}

Sound::Sound() : device_(new Device) { device_->open(); }

Sound::~Sound() {
    device_->close();
    delete device_;
}

void Sound::play(std::span<const std::uint8_t> wave) {
    const auto start = Clock::now();
    const auto length = samplesLength(dataBytes(wave));
    if (device_->id != 0) {
        // A device that never drains is treated as lost rather than holding the game up.
        device_->play(wave, start + 3 * length + 1s);
    } else {
        // A device found now serves from the next clip on: a fresh stream drops or breaks up
        // what it is given at first, and this clip's silence lets it settle.
        device_->open();
    }
    std::this_thread::sleep_until(start + length);
}
