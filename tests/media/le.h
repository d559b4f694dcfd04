#pragma once

#include <cstdint>
#include <span>
#include <string>

// Little-endian fields of an embedded item, read independently of the code that wrote them.
inline std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

inline std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return u16(b, at) | (u16(b, at + 2) << 16);
}

inline std::int32_t s32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

inline std::string tag(std::span<const std::uint8_t> b, std::size_t at, std::size_t size = 4) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), size);
}
