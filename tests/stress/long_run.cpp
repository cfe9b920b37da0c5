#include "long_run.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/vst_opcodes.h"

namespace {

// A new kind of signal every 1024 blocks (65536 frames).
constexpr long long kSegmentBlocks = 1024;

std::uint32_t nextRandom(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// -1 to 1 from the top 24 bits: exact in a float on every build.
float randomSample(std::uint32_t& state) {
    return static_cast<float>(nextRandom(state) >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

} // namespace

std::string describe(const LongRunResult& result) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "blocks=%lld frames=%lld hash=%016llx nonfinite=%lld channels_differ=%lld "
                  "relayed=%lld peak=%.6f",
                  result.blocks, result.blocks * kLongRunBlockFrames,
                  static_cast<unsigned long long>(result.hash), result.nonFinite,
                  result.channelsDiffer, result.relayed, static_cast<double>(result.peak));
    return line;
}

LongRun::LongRun(PluginHost& host, std::uint32_t variant)
    : host_(host), variant_(variant), noise(0x9E3779B9u ^ (variant * 0x85EBCA6Bu)) {
    if (noise == 0) {
        noise = 1;
    }
}

void LongRun::run(long long blocks) {
    for (long long i = 0; i < blocks; ++i) {
        const long long block = result_.blocks;
        if (block % kSegmentBlocks == 0) {
            // Signal kinds: triangle, square, noise, silence, triangle with noise.
            kind = static_cast<int>(nextRandom(noise) % 5);
            period_ = 2 + static_cast<int32>(nextRandom(noise) % 11999);
        }
        if (block % 4096 == 0) {
            host_.setParameter(1, static_cast<float>((block / 4096 + variant_) % 9) * 0.125f);
        }
        if (block % 6151 == 0) {
            host_.setParameter(0, static_cast<float>((block / 6151 + variant_) % 5) * 0.25f);
        }
        fillInput();
        const std::vector<MidiMessage> midi = blockMidi();
        // One block in five through the accumulating call, onto silence.
        const bool accumulate = (block + variant_) % 5 == 0;
        output.fill(accumulate ? 0.0f : 7.0f);
        host_.processBlock(midi, input, output,
                           accumulate ? ProcessMode::accumulating : ProcessMode::replacing);
        account();
        ++result_.blocks;
    }
}

void LongRun::fillInput() {
    float* left = input.left();
    float* right = input.right();
    const float period = static_cast<float>(period_);
    for (int32 i = 0; i < kLongRunBlockFrames; ++i, ++frame) {
        const float phase = static_cast<float>(frame % period_) / period;
        float x = 0.0f;
        switch (kind) {
        case 0:
            x = phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
            break;
        case 1:
            x = phase < 0.5f ? 0.8f : -0.8f;
            break;
        case 2:
            x = 0.5f * randomSample(noise);
            break;
        case 3:
            break;
        default:
            x = 0.7f * (phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase) +
                0.05f * randomSample(noise);
            break;
        }
        left[i] = x;
        right[i] = -x;
    }
}

// Controller 1 every 37 blocks, a note every 11, a program change every 1000.
std::vector<MidiMessage> LongRun::blockMidi() const {
    const long long block = result_.blocks + variant_;
    std::vector<MidiMessage> midi;
    if (block % 37 == 0) {
        midi.push_back(controller1(static_cast<int32>(block % kLongRunBlockFrames),
                                   static_cast<int>(block % 128)));
    }
    if (block % 11 == 0) {
        midi.push_back(MidiMessage{static_cast<int32>((block * 7) % kLongRunBlockFrames), 0x90,
                                   static_cast<std::uint8_t>(block % 128), 100});
    }
    if (block % 1000 == 0) {
        midi.push_back(MidiMessage{5, 0xC0, 0, 0});
    }
    return midi;
}

void LongRun::account() {
    const float* left = output.left();
    const float* right = output.right();
    for (int32 i = 0; i < kLongRunBlockFrames; ++i) {
        const float y = left[i];
        std::uint32_t bits;
        std::memcpy(&bits, &y, sizeof bits);
        for (int byte = 0; byte < 4; ++byte) {
            result_.hash ^= (bits >> (8 * byte)) & 0xFFu;
            result_.hash *= 1099511628211ull;
        }
        if (!std::isfinite(y)) {
            ++result_.nonFinite;
        } else if (std::fabs(y) > result_.peak) {
            result_.peak = std::fabs(y);
        }
        if (std::memcmp(&left[i], &right[i], sizeof(float)) != 0) {
            ++result_.channelsDiffer;
        }
    }
    for (const HostCall& call : host_.calls()) {
        if (call.opcode == audioMasterProcessEvents) {
            result_.relayed += static_cast<long long>(call.events.size());
        }
    }
    // The host keeps no log of an hour's calls.
    host_.clearCalls();
}
