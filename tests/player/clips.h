#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace player {

using Clock = std::chrono::steady_clock;

// The samples of the embedded clip with this stored name, as the generator makes them.
std::span<const std::uint8_t> samplesOf(std::string_view clip);
Clock::duration lengthOf(std::string_view clip);
Clock::duration samplesLength(std::size_t count);  // at 22050 samples per second

// A clip the game should play, and when its first sample should be heard: `exact` cues come
// from what was seen (a quarter turning white, a press); the others only follow the previous
// clip, as the second of two flashes of one colour.
struct Cue {
    std::string clip;
    Clock::time_point at;
    bool exact = true;
    int flash = -1;  // the flash it sounds, as an index into what the player saw
};

// Where a cued clip was found in the recording, as times.
struct Heard {
    Cue cue;
    Clock::time_point onset, end;
};

// Finds the cued clips in the recorded samples, in their order, each at or after the previous
// one's end, with only silence between them and after the last. Stops at the first fault and
// describes it in `fault`. `start` is when the recording's first sample was played.
std::vector<Heard> hear(std::span<const std::uint8_t> recording, Clock::time_point start,
                        const std::vector<Cue>& cues, std::string& fault);

}  // namespace player
