// Test signals that show the effect at once. The effect records one cycle
// from an upward zero crossing to the next and replays it once; periodic
// waves of different shapes and periods make each replay audible and
// visible, silence shows that nothing is replayed without crossings.
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "signal_source.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

using SampleFunction = std::function<void(std::int64_t frame, float& left, float& right)>;

class GeneratedSignal final : public SignalSource {
public:
    GeneratedSignal(std::string name, std::int64_t frames, SampleFunction sample)
        : name_(std::move(name)), frames_(frames), sample_(std::move(sample)) {}

    std::int64_t frames() const override { return frames_; }
    double sampleRate() const override { return kRate; }
    std::string description() const override { return "built-in " + name_ + " signal"; }

    std::int64_t read(float* left, float* right, std::int64_t count) override {
        std::int64_t done = 0;
        for (; done < count && position < frames_; ++done, ++position) {
            sample_(position, left[done], right[done]);
        }
        return done;
    }

private:
    std::string name_;
    std::int64_t frames_;
    SampleFunction sample_;
    std::int64_t position = 0;
};

float sine(std::int64_t frame, double period) {
    return static_cast<float>(std::sin(2.0 * kPi * static_cast<double>(frame) / period));
}

float square(std::int64_t frame, std::int64_t period) {
    return frame % period < period / 2 ? 1.0f : -1.0f;
}

// Rising from -1 to just below 1 over each period.
float saw(std::int64_t frame, std::int64_t period) {
    return static_cast<float>(
        2.0 * static_cast<double>(frame % period) / static_cast<double>(period) - 1.0);
}

// 2 s at 44.1 kHz: a 441 Hz sine (period 100), silence, a 220.5 Hz square
// (period 200), a 100 Hz saw (period 441), silence.
void defaultSample(std::int64_t frame, float& left, float& right) {
    const auto quarter = static_cast<std::int64_t>(kRate / 4);
    float value = 0.0f;
    if (frame < 2 * quarter) {
        value = 0.5f * sine(frame, 100.0);
    } else if (frame < 3 * quarter) {
        value = 0.0f;
    } else if (frame < 5 * quarter) {
        value = 0.4f * square(frame - 3 * quarter, 200);
    } else if (frame < 7 * quarter) {
        value = 0.5f * saw(frame - 5 * quarter, 441);
    }
    left = value;
    right = value;
}

// A fixed pseudo-random sequence, the same on every machine.
class NoiseGenerator {
public:
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<double>(state >> 8) / 8388608.0 - 1.0);
    }

private:
    std::uint32_t state = 12345u;
};

} // namespace

std::unique_ptr<SignalSource> makeBuiltInSignal(const std::string& name) {
    if (name == "noise") {
        // Generated in order; the sample function is only ever called in order.
        auto noise = std::make_shared<NoiseGenerator>();
        return std::make_unique<GeneratedSignal>(name, static_cast<std::int64_t>(kRate),
                                                 [noise](std::int64_t, float& left, float& right) {
                                                     left = 0.5f * noise->next();
                                                     right = 0.5f * noise->next();
                                                 });
    }
    if (name == "slow") {
        // Period 30000 samples, first upward crossing at frame 1000: every
        // cycle is longer than the 11025 samples the effect records.
        return std::make_unique<GeneratedSignal>(name, static_cast<std::int64_t>(1.5 * kRate),
                                                 [](std::int64_t frame, float& left, float& right) {
                                                     left = 0.5f * sine(frame - 1000, 30000.0);
                                                     right = left;
                                                 });
    }
    return std::make_unique<GeneratedSignal>("default", static_cast<std::int64_t>(2 * kRate),
                                             defaultSample);
}
