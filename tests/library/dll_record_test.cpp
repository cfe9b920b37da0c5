// The record TARVEL.dll hands a host, read byte by byte as a host reads it.
// Built natively too, for the native library (tests/native_vst).
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>
#include <cstring>

#include "dll_under_test.h"
#include "harness/stereo_buffer.h"
#include "host/vst_opcodes.h"

namespace {

// Where a host of this program's width reads each field: 32-bit Windows
// packs the record into 4-byte slots; 64-bit hosts give pointers and the
// pointer-sized words 8 bytes on 8-byte boundaries.
struct RecordOffsets {
    std::size_t numPrograms, numParams, numInputs, numOutputs, flags;
    std::size_t resvd1, resvd2, initialDelay, realQualities, offQualities, ioRatio;
    std::size_t uniqueID, version, future;
    std::size_t wordSize;       // resvd1, resvd2 and the event list's reserved field
    std::size_t recordInEffect; // table pointer, sample rate, editor, callback, four counts
    std::size_t firstEventSlot; // the event list's first pointer
};

constexpr RecordOffsets k32BitOffsets{20, 24, 28, 32, 36, 40, 44, 48, 52,
                                      56, 60, 72, 76, 84, 4,  32, 8};
constexpr RecordOffsets k64BitOffsets{40, 44, 48,  52,  56,  64, 72, 80, 84,
                                      88, 92, 112, 116, 128, 8,  48, 16};
constexpr RecordOffsets kOffsets = sizeof(void*) == 8 ? k64BitOffsets : k32BitOffsets;

std::int32_t wordAt(const void* record, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

std::int64_t pointerWordAt(const void* record, std::size_t offset) {
    if (kOffsets.wordSize == 4) {
        return wordAt(record, offset);
    }
    std::int64_t value = 0;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

float floatAt(const void* record, std::size_t offset) {
    float value = 0.0f;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

TEST(DllRecord, HasTheIdentityAHostReadsByOffset) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    const AEffect* effect = dll.host.effect();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(effect);

    EXPECT_EQ(std::memcmp(bytes, "PtsV", 4), 0); // 'VstP', most significant byte first
    EXPECT_EQ(wordAt(effect, kOffsets.numPrograms), 1);
    EXPECT_EQ(wordAt(effect, kOffsets.numParams), 2);
    EXPECT_EQ(wordAt(effect, kOffsets.numInputs), 2);
    EXPECT_EQ(wordAt(effect, kOffsets.numOutputs), 2);
    // The editor, mono and replacing processing: 25.
    EXPECT_EQ(wordAt(effect, kOffsets.flags),
              effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(wordAt(effect, kOffsets.flags), 25);
    EXPECT_EQ(wordAt(effect, kOffsets.initialDelay), 0);
    EXPECT_EQ(floatAt(effect, kOffsets.ioRatio), 1.0f);
    EXPECT_EQ(wordAt(effect, kOffsets.uniqueID), 0x5476726C); // 'Tvrl'
    EXPECT_EQ(wordAt(effect, kOffsets.version), 1);
}

TEST(DllRecord, ReservedAndFutureBytesAreZero) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    const AEffect* effect = dll.host.effect();
    EXPECT_EQ(pointerWordAt(effect, kOffsets.resvd1), 0);
    EXPECT_EQ(pointerWordAt(effect, kOffsets.resvd2), 0);
    EXPECT_EQ(wordAt(effect, kOffsets.realQualities), 0);
    EXPECT_EQ(wordAt(effect, kOffsets.offQualities), 0);
    EXPECT_EQ(effect->user, nullptr);
    const unsigned char* future = reinterpret_cast<const unsigned char*>(effect) + kOffsets.future;
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(future[i], 0) << "future byte " << i;
    }
}

// The list handed to the host with a relayed event, read by offset: its
// count, the reserved word and the first event pointer; and the MIDI event's
// own fields, which have the same offsets at both widths.
TEST(DllRecord, RelaysEventListsLaidOutAsHostsReadThem) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    dll.host.open();
    dll.host.resume();
    dll.host.clearCalls();
    StereoBuffer input(64);
    StereoBuffer output(64);
    dll.host.processBlock({{17, 0x90, 64, 100}}, input, output, ProcessMode::replacing);

    const HostCall* relay = nullptr;
    for (const HostCall& call : dll.host.calls()) {
        if (call.opcode == audioMasterProcessEvents) {
            relay = &call;
        }
    }
    ASSERT_NE(relay, nullptr);
    ASSERT_EQ(relay->listHead.size(), kOffsets.firstEventSlot + sizeof(void*));
    EXPECT_EQ(wordAt(relay->listHead.data(), 0), 1);                        // numEvents
    EXPECT_EQ(pointerWordAt(relay->listHead.data(), kOffsets.wordSize), 0); // reserved
    EXPECT_NE(pointerWordAt(relay->listHead.data(), kOffsets.firstEventSlot), 0);

    ASSERT_EQ(relay->events.size(), 1u);
    const VstEvent& event = relay->events[0];
    EXPECT_EQ(wordAt(&event, 0), kVstMidiType);
    EXPECT_EQ(wordAt(&event, 4), 32); // byteSize
    EXPECT_EQ(wordAt(&event, 8), 17); // deltaFrames
    const auto* midi = reinterpret_cast<const unsigned char*>(&event) + 24;
    EXPECT_EQ(midi[0], 0x90);
    EXPECT_EQ(midi[1], 64);
    EXPECT_EQ(midi[2], 100);
    dll.host.suspend();
}

TEST(DllRecord, EntriesAreSetAndObjectIsTheEffectHoldingTheRecord) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    const AEffect* effect = dll.host.effect();
    EXPECT_NE(effect->dispatcher, nullptr);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->setParameter, nullptr);
    EXPECT_NE(effect->getParameter, nullptr);
    // The record is embedded in the effect right after the base class's data
    // (table pointer, sample rate, editor, host callback, four counts), at the
    // offset this width's alignment gives.
    const auto object = reinterpret_cast<std::uintptr_t>(effect->object);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(effect) - object, kOffsets.recordInEffect);

    DllInstance other;
    ASSERT_TRUE(other.error.empty()) << other.error;
    EXPECT_NE(other.host.effect(), effect);
    EXPECT_NE(other.host.effect()->object, effect->object);
}

#ifdef _WIN32
// 64-bit hosts look for VSTPluginMain first and older ones for main: the
// 64-bit library answers to both with the one entry; the 32-bit library keeps
// the single export it always had.
TEST(DllRecord, ExportsItsEntryUnderTheNamesHostsOfItsWidthLookFor) {
    HMODULE module = LoadLibraryA(dllPath().c_str());
    ASSERT_NE(module, nullptr) << dllPath();
    const FARPROC mainEntry = GetProcAddress(module, "main");
    const FARPROC pluginMain = GetProcAddress(module, "VSTPluginMain");
    EXPECT_NE(mainEntry, nullptr);
    if (sizeof(void*) == 8) {
        EXPECT_EQ(pluginMain, mainEntry);
    } else {
        EXPECT_EQ(pluginMain, nullptr);
    }
    FreeLibrary(module);
}
#endif

TEST(DllRecord, ARefusingHostGetsNoInstance) {
    HostSettings settings;
    settings.version = 0;
    DllInstance dll(settings);
    EXPECT_EQ(dll.error, "main returned null");
    EXPECT_FALSE(dll.host.isLoaded());
    ASSERT_EQ(dll.host.calls().size(), 1u);
    EXPECT_EQ(dll.host.calls()[0].opcode, audioMasterVersion);
    EXPECT_TRUE(dll.host.calls()[0].fromNullEffect);
}

TEST(DllRecord, CloseAnswersOne) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    EXPECT_EQ(dll.host.dispatch(effClose), 1);
    EXPECT_FALSE(dll.host.isLoaded());
}

} // namespace
