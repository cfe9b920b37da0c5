#include "bench_signals.h"

#include <cmath>
#include <random>

namespace {

// Sampled half a sample off its zeros, so that no sample is exactly 0.0.
std::vector<float> sine(double period, double amplitude) {
    std::vector<float> wave(kSignalLength);
    for (int32 i = 0; i < kSignalLength; ++i) {
        wave[static_cast<std::size_t>(i)] =
            static_cast<float>(amplitude * std::sin(2.0 * M_PI * (i + 0.5) / period));
    }
    return wave;
}

} // namespace

const char* signalName(Signal signal) {
    switch (signal) {
    case Signal::silence:
        return "silence";
    case Signal::sine:
        return "sine100";
    case Signal::noise:
        return "noise";
    case Signal::longPositive:
        return "longPositive";
    case Signal::denormal:
        return "denormal";
    }
    return "?";
}

std::vector<float> makeSignal(Signal signal) {
    switch (signal) {
    case Signal::silence:
        return std::vector<float>(kSignalLength, 0.0f);
    case Signal::sine:
        // A steady tone: a cycle of 100 samples recorded every 300.
        return sine(100.0, 0.5);
    case Signal::noise: {
        // A new cycle every dozen samples or so: the most phase changes.
        std::mt19937 random(20240601);
        std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
        std::vector<float> wave(kSignalLength);
        for (float& x : wave) {
            x = sample(random);
        }
        return wave;
    }
    case Signal::longPositive:
        // Half periods of 16384 samples: every recording is cut at the
        // buffer's 11025 samples and replayed whole.
        return sine(32768.0, 0.5);
    case Signal::denormal:
        // A tone decayed below the smallest normal float (about 1.2e-38):
        // every sample but the zeros is subnormal.
        return sine(100.0, 1e-39);
    }
    return {};
}
