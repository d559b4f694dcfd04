#include "phases.h"

#include <sstream>

#include "game/texts.h"

namespace stress {
namespace {

bool onlyColourLetters(const std::string& s) {
    return s.find_first_not_of("RBYG") == std::string::npos;
}

std::string brokenInitial(const Snapshot& s) {
    if (!s.startEnabled || s.judgeEnabled || s.quartersEnabled != 0)
        return "before the first round only Start takes input";
    if (s.overlayShown || s.indexShown || s.statusSize != 28 || s.level != 1)
        return "before the first round the window is as created";
    if (!s.target.empty() || !s.entered.empty()) return "before the first round nothing is held";
    return "";
}

std::string brokenPlayersTurn(const Snapshot& s, const Finished& f) {
    if (s.startEnabled || !s.judgeEnabled || s.quartersEnabled != 4)
        return "the player's turn has Start disabled, Judge and the quarters enabled";
    // The entry is empty at the hand-over and holds the player's clicks since.
    if (s.statusText != game::yourTurnText) return "the player's turn shows its text";
    if (!f.undisturbed) return "";
    if (s.overlayShown || s.indexShown || s.statusSize != 28)
        return "a round hides the overlay and the index line and sets the status to 28 points";
    if (s.level != f.levelBefore || s.target.size() < static_cast<std::size_t>(f.levelBefore) + 1)
        return "a round shows at least Level + 1 colours";
    return "";
}

std::string brokenSuccess(const Snapshot& s, const Finished& f) {
    if (!s.startEnabled || s.judgeEnabled) return "after a success Start is enabled, Judge not";
    if (!s.overlayShown || !s.overlaySmile) return "after a success the smiling face is shown";
    if (s.statusText != game::successText || s.statusSize != 20)
        return "after a success the status line reads its text at 20 points";
    if (!s.target.empty() || !s.entered.empty()) return "a success clears both sequences";
    if (s.level != f.levelBefore + 1) return "a success raises the level by one";
    if (s.indexShown != f.indexShownBefore) return "a success leaves the index line alone";
    return "";
}

std::string brokenFailure(const Snapshot& s, const Finished& f) {
    // Every replayed position ends by enabling Start, resetting the level and showing the index.
    if (s.failLength > 0 && (!s.startEnabled || s.level != 1 || !s.indexShown))
        return "a replay leaves Start enabled, Level 1 and the index line shown";
    if (s.failLength > 0 && s.indexText != game::indexText(s.failLength))
        return "the index line reports FailLength";
    if (!f.undisturbed) return "";
    if (s.statusText != game::failureText(f.targetBefore) || s.statusSize != 18)
        return "after a failure the status line spells the missed sequence at 18 points";
    if (!s.judgeEnabled || s.overlayShown)
        return "after a failure Judge is enabled, the overlay hidden";
    if (s.target != f.targetBefore || s.failLength != static_cast<std::int32_t>(s.target.size()))
        return "a failure keeps the sequence and reports its length";
    if (!s.entered.starts_with(f.enteredBefore) ||
        s.entered.size() < f.enteredBefore.size() + f.targetBefore.size())
        return "the replay extends the entry by the sequence";
    return "";
}

}  // namespace

std::string brokenAnytime(const Snapshot& s) {
    if (!onlyColourLetters(s.target) || !onlyColourLetters(s.entered))
        return "Target and Entered hold only R, B, Y and G";
    if (s.letter.size() > 1 || !onlyColourLetters(s.letter)) return "Letter is one colour letter";
    if (s.level < 1) return "Level is at least 1";
    if (s.recording != 0 && s.recording != 1) return "Recording is 0 or 1";
    if (s.failLength < 0) return "FailLength is not negative";
    if (s.quartersEnabled != 0 && s.quartersEnabled != 4)
        return "the quarters are enabled together";
    return "";
}

std::string brokenAtRest(const Snapshot& s, const Finished& last) {
    if (std::string broken = brokenAnytime(s); !broken.empty()) return broken;
    if (s.recording != 0) return "Recording is 0 outside a playback";
    if (last.phase == Phase::Initial) return brokenInitial(s);
    if (s.quartersEnabled != 4) return "the quarters stay enabled after the first round";
    if (last.phase == Phase::PlayersTurn) return brokenPlayersTurn(s, last);
    if (last.phase == Phase::Success) return brokenSuccess(s, last);
    return brokenFailure(s, last);
}

std::string describe(const Snapshot& s) {
    std::ostringstream out;
    out << "Start " << s.startEnabled << ", Judge " << s.judgeEnabled << ", quarters "
        << s.quartersEnabled << ", overlay " << s.overlayShown << (s.overlaySmile ? " smile" : "")
        << ", index " << s.indexShown << " \"" << s.indexText << "\", status \"" << s.statusText
        << "\" " << s.statusSize << " pt, Letter \"" << s.letter << "\", Target \"" << s.target
        << "\", Entered \"" << s.entered << "\", Recording " << s.recording << ", Level " << s.level
        << ", FailLength " << s.failLength;
    return out.str();
}

}  // namespace stress
