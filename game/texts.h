#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace game {

inline constexpr std::string_view announceText = "ピコラッタスタート";
inline constexpr std::string_view yourTurnText = "あなたの番";
inline constexpr std::string_view successText = "OK Next Level ! Push スタート";

// "はずれ !　正解は" (an ordinary space before "!", U+3000 after it) and the missed sequence.
std::string failureText(std::string_view target);

// "あなたのピコラッタ指数は" + the length in decimal + "です".
std::string indexText(std::int32_t failLength);

}  // namespace game
