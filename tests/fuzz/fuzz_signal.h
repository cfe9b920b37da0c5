// A block's left input for the fuzz targets that run audio: periodic
// waveforms, noise and steps from a few bytes of the fuzzer's data, with
// hostile samples sprinkled in.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "fuzz_support.h"

class SignalMaker {
public:
    // Returns false when the block holds a sample outside -1..1 or no number.
    bool make(FuzzedDataProvider& data, std::vector<float>& left, int32 frames) {
        const int kind = data.ConsumeIntegralInRange(0, 5);
        const int period = data.ConsumeIntegralInRange(2, 12000);
        const float amplitude =
            data.ConsumeBool() ? data.ConsumeProbability<float>() : hostileFloat(data);
        std::uint32_t noise = data.ConsumeIntegral<std::uint32_t>() | 1u;
        for (int32 i = 0; i < frames; ++i) {
            const long long t = position + i;
            float x = 0.0f;
            switch (kind) {
            case 0:
                break;
            case 1:
                x = static_cast<float>(
                    std::sin(6.283185307179586 * static_cast<double>(t % period) / period));
                break;
            case 2:
                x = (t % period) < period / 2 ? 1.0f : -1.0f;
                break;
            case 3:
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                x = static_cast<float>(noise) / 2147483648.0f - 1.0f;
                break;
            case 4:
                x = 1.0f;
                break;
            default:
                x = static_cast<float>(t % period) / static_cast<float>(period) * 2.0f - 1.0f;
                break;
            }
            left[static_cast<std::size_t>(i)] = x * amplitude;
        }
        position += frames;
        const int specials = frames > 0 ? data.ConsumeIntegralInRange(0, 4) : 0;
        for (int s = 0; s < specials; ++s) {
            left[data.ConsumeIntegralInRange<std::size_t>(
                0, static_cast<std::size_t>(frames - 1))] = hostileFloat(data);
        }
        return std::all_of(left.begin(), left.begin() + frames,
                           [](float x) { return x >= -1.0f && x <= 1.0f; });
    }

private:
    long long position = 0;
};
