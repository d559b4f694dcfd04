#pragma once

#include <cstdint>
#include <string>

namespace stress {

// What the window shows and what the game holds at one moment.
struct Snapshot {
    bool startEnabled = false;
    bool judgeEnabled = false;
    int quartersEnabled = 0;  // how many of the four
    bool overlayShown = false;
    bool overlaySmile = false;  // the overlay's picture is the smiling face
    bool indexShown = false;
    std::string indexText;
    std::string statusText;
    int statusSize = 0;
    std::string letter;
    std::string target;
    std::string entered;
    std::int32_t recording = 0;
    std::int32_t level = 0;
    std::int32_t failLength = 0;
};

// The first rule that must hold at every moment and does not, or "".
std::string brokenAnytime(const Snapshot& s);

// The presentations that leave the game in a phase of its state tables.
enum class Phase { Initial, PlayersTurn, Success, Failure };

// The presentation that finished last, and what it started from.
struct Finished {
    Phase phase = Phase::Initial;
    // No round or judgement ran nested inside it, so its whole row of the table holds; otherwise
    // only what it sets after its last pump.
    bool undisturbed = true;
    std::int32_t levelBefore = 1;
    std::string targetBefore;
    std::string enteredBefore;
    bool indexShownBefore = false;
};

// The first rule that must hold whenever control is back in the event loop and does not, or "".
std::string brokenAtRest(const Snapshot& s, const Finished& last);

// One line naming every field, for a failure message.
std::string describe(const Snapshot& s);

}  // namespace stress
