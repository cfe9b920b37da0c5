// recorded-gain FILE.wav GAIN (--within | --beyond) TOLERANCE
// FILE holds what a host recorded in one pass: the plug-in's input in the
// first channel, its outputs in the others. Prints the input's peak and the
// largest difference between an output and the input times GAIN. With
// --within it succeeds when that difference is at most TOLERANCE (the
// outputs are the input at that gain), with --beyond when it is larger.
// Either way a silent input fails: it would prove nothing.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Below this the input is taken for silence.
constexpr double kLeastPeak = 0.01;

} // namespace

int main(int argc, char** argv) {
    const bool within = argc == 5 && std::strcmp(argv[3], "--within") == 0;
    const bool beyond = argc == 5 && std::strcmp(argv[3], "--beyond") == 0;
    if (!within && !beyond) {
        std::fprintf(stderr,
                     "usage: recorded-gain FILE.wav GAIN (--within | --beyond) TOLERANCE\n");
        return 2;
    }
    const double gain = std::strtod(argv[2], nullptr);
    const double tolerance = std::strtod(argv[4], nullptr);
    SF_INFO info{};
    SNDFILE* file = sf_open(argv[1], SFM_READ, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "recorded-gain: cannot read %s: %s\n", argv[1], sf_strerror(nullptr));
        return 2;
    }
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    if (info.channels < 2 || got <= 0) {
        std::fprintf(stderr, "recorded-gain: %s holds no input and output frames\n", argv[1]);
        return 1;
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    double peak = 0.0;
    double largest = 0.0;
    for (std::size_t f = 0; f < static_cast<std::size_t>(got); ++f) {
        const auto input = static_cast<double>(frames[f * channels]);
        peak = std::max(peak, std::fabs(input));
        for (std::size_t c = 1; c < channels; ++c) {
            largest = std::max(
                largest, std::fabs(static_cast<double>(frames[f * channels + c]) - input * gain));
        }
    }
    std::printf("%lld frames: input peak %.6g, largest difference from input x %g: %.6g\n",
                static_cast<long long>(got), peak, gain, largest);
    if (peak < kLeastPeak) {
        std::fprintf(stderr, "recorded-gain: the input is silent\n");
        return 1;
    }
    return (within ? largest <= tolerance : largest > tolerance) ? 0 : 1;
}
