// process and processReplacing against the frame-by-frame reference: random
// signals, random block partitions, parameter changes between blocks and
// random MIDI run through two effects side by side, and every output sample,
// every relayed event and the state each relay sees must agree bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "effect_test_support.h"
#include "reference_block.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// What the host is sent, and what it sees of the effect at that moment.
struct Relay {
    int status;
    int data1;
    int data2;
    int32 deltaFrames;
    int32 queued;
    float ncvolume;
    float ipvolume;
};

bool operator==(const Relay& a, const Relay& b) {
    return a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2 &&
           a.deltaFrames == b.deltaFrames && a.queued == b.queued &&
           std::memcmp(&a.ncvolume, &b.ncvolume, sizeof(float)) == 0 &&
           std::memcmp(&a.ipvolume, &b.ipvolume, sizeof(float)) == 0;
}

// One effect and its host. While a relay is under way the host sometimes
// does what hosts may do there: hand over another event (due later in the
// block, already past, or in the next one) or automate "ipvolume". What it
// does depends only on the relayed message, so both sides meet the same host
// for as long as they agree.
class Side {
public:
    explicit Side(TarvelEffect& relaying) : effect(relaying) {
        host.attach(effect.getAeffect());
        host.observeCalls([this](const HostCall& call) {
            if (call.opcode == audioMasterProcessEvents) {
                relayed(midiOf(call.events.at(0)));
            }
        });
    }

    std::vector<Relay> relays;
    int handedOver = 0;

private:
    void relayed(const VstMidiEvent& event) {
        const Relay relay{static_cast<uint8>(event.midiData[0]),
                          event.midiData[1],
                          event.midiData[2],
                          event.deltaFrames,
                          effect.queuedEvents(),
                          effect.getParameter(TarvelEffect::kNcvolume),
                          effect.getParameter(TarvelEffect::kIpvolume)};
        relays.push_back(relay);
        if (relay.data1 % 11 == 3) {
            int data1 = (relay.data1 * 5 + 1) % 128;
            data1 += data1 % 11 == 3 ? 1 : 0; // no endless chain at one frame
            std::vector<VstMidiEvent> more = {
                midiEvent((relay.data2 * 37 + relay.data1) % 900 - 300, 0x90, data1, 64)};
            EventList handed(more);
            effect.processEvents(handed.list());
            ++handedOver;
        }
        if (relay.data1 % 13 == 5) {
            effect.setParameter(TarvelEffect::kIpvolume, static_cast<float>(relay.data2) / 127.0f);
        }
    }

    TarvelEffect& effect;
    PluginHost host;
};

// A long left input of random stretches: silence, noise, tones of every
// period, square waves over exact zeros of both signs, long one-signed
// stretches that fill the cycle buffer, and subnormal levels.
std::vector<float> randomSignal(std::mt19937& random, std::size_t length) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> kind(0, 6);
    std::vector<float> signal;
    while (signal.size() < length) {
        const int stretch = std::uniform_int_distribution<int>(1, 5000)(random);
        switch (kind(random)) {
        case 0:
            signal.insert(signal.end(), static_cast<std::size_t>(stretch), 0.0f);
            break;
        case 1:
            for (int i = 0; i < stretch; ++i) {
                signal.push_back(unit(random));
            }
            break;
        case 2: {
            const int period = std::uniform_int_distribution<int>(2, 400)(random);
            const float amplitude = std::fabs(unit(random)) * 2.0f;
            for (int i = 0; i < stretch; ++i) {
                signal.push_back(amplitude * static_cast<float>(std::sin(kTwoPi * i / period)));
            }
            break;
        }
        case 3: {
            const float levels[] = {-1.0f, -0.0f, 0.0f, 0.5f, 1.0f, -0.25f};
            std::uniform_int_distribution<int> level(0, 5);
            for (int i = 0; i < stretch; ++i) {
                signal.push_back(levels[level(random)]);
            }
            break;
        }
        case 4: {
            const float sign = unit(random) < 0.0f ? -1.0f : 1.0f;
            const int longStretch = std::uniform_int_distribution<int>(11000, 30000)(random);
            signal.push_back(-sign);
            for (int i = 0; i < longStretch; ++i) {
                signal.push_back(sign * (0.1f + std::fabs(unit(random))));
            }
            break;
        }
        case 5:
            for (int i = 0; i < stretch; ++i) {
                signal.push_back(unit(random) * 1e-39f);
            }
            break;
        default:
            for (int i = 0; i < stretch; ++i) {
                signal.push_back(unit(random) * 1e30f);
            }
            break;
        }
    }
    return signal;
}

// Events as a host might send them before a block, and some no host should
// send: past the block, negative, non-MIDI, system messages, too many.
std::vector<VstMidiEvent> randomEvents(std::mt19937& random, int32 frames) {
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    const int count = percent(random) < 8 ? std::uniform_int_distribution<int>(200, 300)(random)
                                          : std::uniform_int_distribution<int>(1, 24)(random);
    const int32 span = std::max(frames, 1);
    std::vector<VstMidiEvent> events;
    for (int k = 0; k < count; ++k) {
        int32 delta = 0;
        const int where = percent(random);
        if (where < 70) {
            delta = std::uniform_int_distribution<int32>(0, span - 1)(random);
        } else if (where < 82) {
            delta = std::uniform_int_distribution<int32>(span, 3 * span)(random);
        } else if (where < 92) {
            delta = std::uniform_int_distribution<int32>(-1000, -1)(random);
        } else if (where < 95) {
            delta = -99;
        } else if (where < 97) {
            delta = INT_MIN;
        } else {
            delta = INT_MAX;
        }
        const int kinds[] = {0x80, 0x90, 0xA0, 0xB0, 0xB0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0, 0x40};
        const int status = kinds[percent(random) % 11] | (byte(random) & 0x0F);
        int data1 = byte(random);
        if ((status & 0xF0) == 0xB0 && percent(random) < 60) {
            data1 = 1; // the controller that sets "ncvolume"
        }
        if ((status & 0xF0) == 0xC0 && percent(random) < 50) {
            data1 = 0; // the one program there is
        }
        events.push_back(midiEvent(delta, status, data1, byte(random)));
        if (percent(random) < 3) {
            events.back().type = kVstSysExType;
        }
    }
    if (percent(random) < 50) {
        std::stable_sort(events.begin(), events.end(),
                         [](const VstMidiEvent& a, const VstMidiEvent& b) {
                             return a.deltaFrames < b.deltaFrames;
                         });
    }
    return events;
}

int32 randomBlockLength(std::mt19937& random) {
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    if (kind < 4) {
        return std::uniform_int_distribution<int32>(-3, 0)(random);
    }
    if (kind < 25) {
        return std::uniform_int_distribution<int32>(1, 16)(random);
    }
    if (kind < 88) {
        return std::uniform_int_distribution<int32>(17, 700)(random);
    }
    return std::uniform_int_distribution<int32>(701, 4096)(random);
}

// Where each effect's block writes: its own output buffers, or (in place)
// its own copy of the input as the left output or as both.
struct BlockBuffers {
    std::vector<float> left;
    std::vector<float> outLeft;
    std::vector<float> outRight;
    float* inputs[2];
    float* outputs[2];
};

void runTwins(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    const std::vector<float> signal = randomSignal(random, 400000);
    std::vector<float> right(signal.size());
    for (float& x : right) {
        x = std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
    }

    TarvelEffect blockPath(PluginHost::callback());
    TarvelEffect reference(PluginHost::callback());
    Side blockSide(blockPath);
    Side referenceSide(reference);
    std::size_t position = 0;
    int32 framesDone = 0;
    for (int block = 0; block < 1200; ++block) {
        const int32 frames = randomBlockLength(random);
        if (percent(random) < 20) {
            const int32 index = percent(random) % 2;
            const int choice = percent(random);
            const float value = choice < 10   ? 0.0f
                                : choice < 15 ? 1.5f
                                              : std::uniform_real_distribution<float>(0, 1)(random);
            blockPath.setParameter(index, value);
            reference.setParameter(index, value);
        }
        if (percent(random) < 45) {
            std::vector<VstMidiEvent> events = randomEvents(random, frames);
            EventList list(events);
            blockPath.processEvents(list.list());
            reference.processEvents(list.list());
        }
        const bool replacing = percent(random) < 50;
        const int placement = percent(random) % 10; // 0: left in place, 1: both in place
        const bool monoInput = percent(random) < 10;
        const std::size_t length = static_cast<std::size_t>(std::max(frames, 1));
        if (position + length > signal.size()) {
            position = 0;
        }
        std::vector<float> prefill(length);
        for (float& x : prefill) {
            x = std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
        }

        BlockBuffers sides[2];
        for (BlockBuffers& side : sides) {
            side.left.assign(signal.begin() + static_cast<std::ptrdiff_t>(position),
                             signal.begin() + static_cast<std::ptrdiff_t>(position + length));
            side.outLeft = prefill;
            side.outRight = prefill;
            side.inputs[0] = side.left.data();
            side.inputs[1] = monoInput ? nullptr : right.data() + position;
            side.outputs[0] = placement <= 1 ? side.left.data() : side.outLeft.data();
            side.outputs[1] = placement == 1 ? side.left.data() : side.outRight.data();
        }
        if (replacing) {
            blockPath.processReplacing(sides[0].inputs, sides[0].outputs, frames);
            referenceBlock<false>(reference, sides[1].inputs, sides[1].outputs, frames);
        } else {
            blockPath.process(sides[0].inputs, sides[0].outputs, frames);
            referenceBlock<true>(reference, sides[1].inputs, sides[1].outputs, frames);
        }

        const auto sameBits = [](const std::vector<float>& a, const std::vector<float>& b) {
            return std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
        };
        ASSERT_TRUE(sameBits(sides[0].left, sides[1].left) &&
                    sameBits(sides[0].outLeft, sides[1].outLeft) &&
                    sameBits(sides[0].outRight, sides[1].outRight))
            << "seed " << seed << ", block " << block << " (" << frames << " frames from frame "
            << framesDone << ", " << (replacing ? "processReplacing" : "process") << ", placement "
            << placement << ")";
        ASSERT_EQ(blockSide.relays.size(), referenceSide.relays.size())
            << "seed " << seed << ", block " << block;
        ASSERT_TRUE(blockSide.relays == referenceSide.relays)
            << "seed " << seed << ", block " << block;
        ASSERT_EQ(blockPath.queuedEvents(), reference.queuedEvents());
        ASSERT_EQ(blockPath.getParameter(TarvelEffect::kNcvolume),
                  reference.getParameter(TarvelEffect::kNcvolume));
        ASSERT_EQ(blockPath.getParameter(TarvelEffect::kIpvolume),
                  reference.getParameter(TarvelEffect::kIpvolume));
        position += length;
        framesDone += std::max(frames, 0);
    }
    // The run went where it is meant to: through many frames and relays,
    // events handed over inside relays, and gains set by controller 1.
    const auto controller1 =
        std::count_if(blockSide.relays.begin(), blockSide.relays.end(), [](const Relay& relay) {
            return (relay.status & 0xF0) == 0xB0 && relay.data1 == 1;
        });
    EXPECT_GT(framesDone, 250000);
    EXPECT_GT(blockSide.relays.size(), 3000u);
    EXPECT_GT(blockSide.handedOver, 100);
    EXPECT_GT(controller1, 100);
}

TEST(BlockPath, AgreesWithTheFrameByFrameStepsBitForBit) {
    for (unsigned seed : {1u, 2u, 3u}) {
        runTwins(seed);
        if (HasFatalFailure()) {
            return;
        }
    }
}

} // namespace

namespace {

// Runs `left` through the block path and the reference loop in blocks of
// `blockSize`, each block in a buffer of its own as hosts hand them over
// (nothing before a block's first frame may be read), and expects the same
// outputs.
void expectSameOutputs(const std::vector<float>& left, int32 blockSize) {
    const int32 total = static_cast<int32>(left.size());
    TarvelEffect blockPath(nullptr);
    TarvelEffect reference(nullptr);
    std::vector<float> fastLeft(left.size()), fastRight(left.size());
    std::vector<float> slowLeft(left.size()), slowRight(left.size());
    for (int32 start = 0; start < total; start += blockSize) {
        const int32 frames = std::min(blockSize, total - start);
        std::vector<float> block(left.begin() + start, left.begin() + start + frames);
        float* in[2] = {block.data(), block.data()};
        float* fast[2] = {fastLeft.data() + start, fastRight.data() + start};
        float* slow[2] = {slowLeft.data() + start, slowRight.data() + start};
        blockPath.processReplacing(in, fast, frames);
        referenceBlock<false>(reference, in, slow, frames);
    }
    ASSERT_EQ(fastLeft, slowLeft);
    ASSERT_EQ(fastRight, slowRight);
}

// A recording cut at the buffer's capacity, with every alignment of the cut
// against block ends: whichever frame completes the 11025 samples, playback
// starts right after it, and the next block starts from the right state.
TEST(BlockPath, CutRecordingsAgreeAtEveryBlockAlignment) {
    constexpr int32 kFrames = 2 * TarvelEffect::kCycleCapacity + 200;
    for (int32 crossing = 1; crossing <= 17; ++crossing) {
        for (int32 blockSize : {16, 32, 48, 64, 128}) {
            std::vector<float> left(kFrames, 0.25f);
            for (int32 i = 0; i < crossing; ++i) {
                left[static_cast<std::size_t>(i)] = -0.5f;
            }
            expectSameOutputs(left, blockSize);
            ASSERT_FALSE(HasFatalFailure())
                << "crossing " << crossing << ", blocks of " << blockSize;
        }
    }
}

// A long recording that meets a burst of crossings (a zero crossing every
// other frame) just before, at or just after the frame that fills the buffer:
// the burst is taken crossing by crossing, and a full buffer must win over
// the crossing that would have ended the cycle a frame later.
TEST(BlockPath, RecordingsFillingUpAtABurstOfCrossingsAgree) {
    constexpr int32 kStart = 5;
    for (int32 positive = TarvelEffect::kCycleCapacity - 6;
         positive <= TarvelEffect::kCycleCapacity + 2; ++positive) {
        std::vector<float> left(static_cast<std::size_t>(kStart + positive), 0.25f);
        std::fill(left.begin(), left.begin() + kStart, -0.5f);
        for (int32 i = 0; i < 1500; ++i) {
            left.push_back(i % 2 == 0 ? -0.5f : 0.125f * static_cast<float>(i % 7));
        }
        for (int32 blockSize : {64, 100, 512, 4096}) {
            expectSameOutputs(left, blockSize);
            ASSERT_FALSE(HasFatalFailure()) << positive << " positive, blocks of " << blockSize;
        }
    }
}

} // namespace
