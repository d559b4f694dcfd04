#include "tones.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "wave.h"

namespace media {
namespace {

using Signal = std::vector<double>;

constexpr double rate = sampleRate;
constexpr double peak = 0.7;  // headroom below full scale

struct Timbre {
    std::array<double, 5> harmonics;  // amplitude of the fundamental and its overtones
    double decay;                     // seconds for the note to fall to 1/e
};

constexpr Timbre soft{{1.0, 0.18, 0.05, 0.0, 0.0}, 0.45};
constexpr Timbre bell{{1.0, 0.45, 0.25, 0.12, 0.0}, 0.25};
constexpr Timbre hollow{{1.0, 0.0, 0.3, 0.0, 0.12}, 1.0};

// Seconds; a note may glide exponentially from `hertz` to `endHertz`.
struct Note {
    double start;
    double length;
    double hertz;
    double endHertz = 0;
    double loudness = 1.0;
};

std::size_t toSamples(double seconds) { return std::size_t(std::lround(seconds * rate)); }

// 0 at the edge, 1 from `width` samples in.
double ramp(std::size_t fromEdge, std::size_t width) {
    if (fromEdge >= width) return 1.0;
    return 0.5 * (1.0 - std::cos(std::numbers::pi * double(fromEdge) / double(width)));
}

void add(Signal& signal, const Note& note, const Timbre& timbre) {
    std::size_t first = std::min(toSamples(note.start), signal.size());
    std::size_t count = std::min(toSamples(note.length), signal.size() - first);
    double endHertz = note.endHertz > 0 ? note.endHertz : note.hertz;
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double t = double(i) / rate;
        double hertz = note.hertz * std::pow(endHertz / note.hertz, double(i) / double(count));
        double envelope = ramp(i, toSamples(0.006)) * ramp(count - 1 - i, toSamples(0.012)) *
                          std::exp(-t / timbre.decay);
        double value = 0;
        for (std::size_t k = 0; k < timbre.harmonics.size(); ++k)
            value += timbre.harmonics[k] * std::sin(double(k + 1) * phase);
        signal[first + i] += note.loudness * envelope * value;
        phase += 2 * std::numbers::pi * hertz / rate;
    }
}

// Fades both ends to exact silence, scales to the peak and quantises.
Bytes finish(Signal signal) {
    std::size_t n = signal.size();
    for (std::size_t i = 0; i < n; ++i)
        signal[i] *= ramp(i, toSamples(0.005)) * ramp(n - 1 - i, toSamples(0.015));
    double loudest = 0;
    for (double v : signal) loudest = std::max(loudest, std::abs(v));
    double gain = loudest > 0 ? peak / loudest : 0;
    Bytes samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::uint8_t>(128 + std::lround(signal[i] * gain * 127));
    return samples;
}

}  // namespace

Bytes startJingle(std::size_t samples) {
    Signal s(samples);
    double length = double(samples) / rate;
    const double rising[] = {note::G4, note::C5, note::E5, note::G5};
    for (int i = 0; i < 4; ++i) add(s, {0.15 * i, 0.17, rising[i]}, soft);
    for (double hertz : {note::C5, note::E5, note::G5, note::C6})
        add(s, {0.62, length - 0.62, hertz, 0, 0.5}, {soft.harmonics, 0.55});
    return finish(std::move(s));
}

Bytes colourTone(std::size_t samples, double hertz) {
    Signal s(samples);
    add(s, {0, double(samples) / rate, hertz}, soft);
    return finish(std::move(s));
}

Bytes successChime(std::size_t samples) {
    Signal s(samples);
    double length = double(samples) / rate;
    const double rising[] = {note::C6, note::E6, note::G6};
    for (int i = 0; i < 3; ++i) add(s, {0.08 * i, 0.1, rising[i]}, bell);
    add(s, {0.24, length - 0.24, note::C7}, bell);
    add(s, {0.24, length - 0.24, note::G6, 0, 0.5}, bell);
    return finish(std::move(s));
}

Bytes failureTone(std::size_t samples) {
    Signal s(samples);
    double length = double(samples) / rate;
    add(s, {0, 0.2, note::Eb4}, hollow);
    add(s, {0.19, length - 0.19, note::C4, note::D3}, hollow);
    return finish(std::move(s));
}

}  // namespace media
