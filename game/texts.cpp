#include "texts.h"

namespace game {

std::string failureText(std::string_view target) {
    return "はずれ !\u3000正解は" + std::string(target);
}

std::string indexText(std::int32_t failLength) {
    return "あなたのピコラッタ指数は" + std::to_string(failLength) + "です";
}

}  // namespace game
