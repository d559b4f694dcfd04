#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace media {

using Bytes = std::vector<std::uint8_t>;

// Little-endian writers for the RIFF and bitmap headers.
inline void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

inline void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

inline void putTag(Bytes& out, std::string_view fourcc) {
    for (char c : fourcc) out.push_back(static_cast<std::uint8_t>(c));
}

inline std::uint32_t get32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

}  // namespace media
