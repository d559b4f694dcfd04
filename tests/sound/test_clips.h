#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Distinct sample runs that never contain silence (0x80), so each can be found in an output.
Bytes samples(std::size_t count, std::uint32_t seed);

// A RIFF WAVE image in the clips' format (8-bit mono 22050 Hz), odd data followed by its pad byte.
// formatTag other than 1 makes an image no player accepts.
Bytes waveImage(std::span<const std::uint8_t> data, std::uint16_t formatTag = 1);

// The clip's length in milliseconds at 22050 samples per second.
double lengthMs(std::size_t sampleCount);

Bytes readFile(const std::string& path);

// Where run first occurs in bytes at or after from; bytes.size() when it does not.
std::size_t find(const Bytes& bytes, const Bytes& run, std::size_t from = 0);

// Whether bytes[from, to) is all silence (0x80).
bool silent(const Bytes& bytes, std::size_t from, std::size_t to);
