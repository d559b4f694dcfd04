#include "wave.h"

namespace media {

Bytes waveFile(std::span<const std::uint8_t> samples) {
    std::uint32_t dataSize = std::uint32_t(samples.size());
    std::uint32_t pad = dataSize % 2;
    Bytes out;
    putTag(out, "RIFF");
    put32(out, 4 + (8 + 16) + (8 + dataSize + pad));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // channels
    put32(out, sampleRate);
    put32(out, sampleRate);  // bytes per second
    put16(out, 1);           // block alignment
    put16(out, 8);           // bits per sample
    putTag(out, "data");
    put32(out, dataSize);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad) out.push_back(0);
    return out;
}

}  // namespace media
