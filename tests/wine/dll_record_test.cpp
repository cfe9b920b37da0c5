// The record TARVEL.dll hands a host, read byte by byte as a host reads it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "dll_under_test.h"
#include "host/vst_opcodes.h"

namespace {

std::int32_t wordAt(const AEffect* effect, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(effect) + offset, sizeof value);
    return value;
}

float floatAt(const AEffect* effect, std::size_t offset) {
    float value = 0.0f;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(effect) + offset, sizeof value);
    return value;
}

TEST(DllRecord, HasTheIdentityAHostReadsByOffset) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    const AEffect* effect = dll.host.effect();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(effect);

    EXPECT_EQ(std::memcmp(bytes, "PtsV", 4), 0); // 'VstP', most significant byte first
    EXPECT_EQ(wordAt(effect, 20), 1);            // programs
    EXPECT_EQ(wordAt(effect, 24), 2);            // parameters
    EXPECT_EQ(wordAt(effect, 28), 2);            // inputs
    EXPECT_EQ(wordAt(effect, 32), 2);            // outputs
    // canMono and canReplacing; the editor bit joins them once the library
    // carries its editor.
    EXPECT_EQ(wordAt(effect, 36), effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(wordAt(effect, 48), 0);          // initial delay
    EXPECT_EQ(floatAt(effect, 60), 1.0f);      // ioRatio
    EXPECT_EQ(wordAt(effect, 72), 0x5476726C); // 'Tvrl'
    EXPECT_EQ(wordAt(effect, 76), 1);          // version
}

TEST(DllRecord, ReservedAndFutureBytesAreZero) {
    DllInstance dll;
    ASSERT_TRUE(dll.error.empty()) << dll.error;
    const AEffect* effect = dll.host.effect();
    EXPECT_EQ(wordAt(effect, 40), 0); // resvd1
    EXPECT_EQ(wordAt(effect, 44), 0); // resvd2
    EXPECT_EQ(wordAt(effect, 52), 0); // realQualities
    EXPECT_EQ(wordAt(effect, 56), 0); // offQualities
    EXPECT_EQ(effect->user, nullptr);
    const unsigned char* future = reinterpret_cast<const unsigned char*>(effect) + 84;
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(future[i], 0) << "future byte " << i;
    }
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
    // (table pointer, sample rate, editor, host callback, four counts).
    const auto object = reinterpret_cast<std::uintptr_t>(effect->object);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(effect) - object, 32u);

    DllInstance other;
    ASSERT_TRUE(other.error.empty()) << other.error;
    EXPECT_NE(other.host.effect(), effect);
    EXPECT_NE(other.host.effect()->object, effect->object);
}

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
