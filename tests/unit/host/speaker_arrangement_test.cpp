// The speaker-arrangement helpers: blocks sized for any channel count, no
// pointer left at released memory, and faithful copies of every speaker.
// Run under the address sanitizer, any access past a block or to a released
// one fails the test.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "test_effect.h"

// A failed allocation must be observable: let the sanitizer's allocator
// answer null for impossible sizes instead of ending the program.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=4096";
}

namespace {

VstSpeakerProperties* speaker(VstSpeakerArrangement* arrangement, int32 channel) {
    // An arrangement holds numChannels records, which may be more than the
    // record's declared array.
    VstSpeakerProperties* first = arrangement->speakers;
    return first + channel;
}

void describeSpeaker(VstSpeakerProperties& properties, int32 channel) {
    const std::string name = "speaker " + std::to_string(channel);
    std::strcpy(properties.name, name.c_str());
    properties.type = channel + 100;
    properties.azimuth = 0.25f * static_cast<float>(channel);
    properties.elevation = -0.5f;
    properties.radius = 2.0f;
    properties.reserved = 3.0f;
    for (std::size_t i = 0; i < sizeof properties.future; ++i) {
        properties.future[i] = static_cast<char>(channel + static_cast<int32>(i));
    }
}

void expectSameSpeaker(const VstSpeakerProperties& copy, const VstSpeakerProperties& original) {
    EXPECT_STREQ(copy.name, original.name);
    EXPECT_EQ(copy.type, original.type);
    EXPECT_EQ(copy.azimuth, original.azimuth);
    EXPECT_EQ(copy.elevation, original.elevation);
    EXPECT_EQ(copy.radius, original.radius);
    EXPECT_EQ(copy.reserved, original.reserved);
    EXPECT_EQ(std::memcmp(copy.future, original.future, sizeof copy.future), 0);
}

// Writes to every speaker: touching memory the block does not own, or a
// released block, is caught by the address sanitizer.
void fillArrangement(VstSpeakerArrangement* arrangement, int32 type) {
    arrangement->type = type;
    for (int32 channel = 0; channel < arrangement->numChannels; ++channel) {
        describeSpeaker(*speaker(arrangement, channel), channel);
    }
}

TEST(AllocateArrangement, GivesAZeroedBlockForTheRequestedChannels) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    ASSERT_NE(arrangement, nullptr);
    EXPECT_EQ(arrangement->type, 0);
    EXPECT_EQ(arrangement->numChannels, 2);
    for (int32 channel = 0; channel < 2; ++channel) {
        const VstSpeakerProperties zero{};
        EXPECT_EQ(std::memcmp(speaker(arrangement, channel), &zero, sizeof zero), 0);
    }
    fillArrangement(arrangement, 1);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
}

TEST(AllocateArrangement, HoldsMoreThanEightChannels) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 24));
    EXPECT_EQ(arrangement->numChannels, 24);
    fillArrangement(arrangement, 7);
    EXPECT_EQ(speaker(arrangement, 23)->type, 123);
    effect.deallocateArrangement(&arrangement);
}

TEST(AllocateArrangement, ReplacesTheArrangementItIsGiven) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    fillArrangement(arrangement, 1);
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 12));
    EXPECT_EQ(arrangement->numChannels, 12);
    EXPECT_EQ(arrangement->type, 0);
    EXPECT_EQ(speaker(arrangement, 1)->type, 0);
    fillArrangement(arrangement, 2);
    effect.deallocateArrangement(&arrangement);
}

TEST(AllocateArrangement, FailureNeverLeavesThePointerAtReleasedMemory) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    // INT_MAX channels need more memory than any allocation may have; a
    // negative count describes no block at all. Either way the answer is no,
    // and whatever the pointer holds afterwards must still be usable.
    for (const int32 impossible : {INT_MAX, -1, INT_MIN}) {
        SCOPED_TRACE("channels " + std::to_string(impossible));
        ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
        EXPECT_FALSE(effect.allocateArrangement(&arrangement, impossible));
        if (arrangement != nullptr) {
            EXPECT_EQ(arrangement->numChannels, 2);
            fillArrangement(arrangement, 3);
        }
        effect.deallocateArrangement(&arrangement);
    }
}

TEST(DeallocateArrangement, ReleasesAndClearsAndAcceptsNothingToRelease) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 4));
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_TRUE(effect.deallocateArrangement(nullptr));
}

TEST(CopySpeaker, CopiesEveryField) {
    TestEffect effect;
    VstSpeakerProperties original{};
    describeSpeaker(original, 5);
    VstSpeakerProperties copy{};
    std::memset(&copy, 0x7F, sizeof copy);
    copy.name[sizeof copy.name - 1] = 0;
    EXPECT_TRUE(effect.copySpeaker(&copy, &original));
    expectSameSpeaker(copy, original);
}

TEST(CopySpeaker, RefusesAMissingSpeaker) {
    TestEffect effect;
    VstSpeakerProperties properties{};
    describeSpeaker(properties, 1);
    EXPECT_FALSE(effect.copySpeaker(nullptr, &properties));
    EXPECT_FALSE(effect.copySpeaker(&properties, nullptr));
    EXPECT_STREQ(properties.name, "speaker 1");
}

TEST(CopySpeaker, KeepsAnUnterminatedNameInsideItsField) {
    TestEffect effect;
    VstSpeakerProperties original{};
    std::memset(original.name, 'x', sizeof original.name);
    VstSpeakerProperties copy{};
    EXPECT_TRUE(effect.copySpeaker(&copy, &original));
    EXPECT_EQ(std::strlen(copy.name), sizeof copy.name - 1);
}

TEST(MatchArrangement, CopiesTypeAndEverySpeakerIntoAFreshBlock) {
    TestEffect effect;
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 12));
    fillArrangement(source, 9);

    VstSpeakerArrangement* target = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&target, 2));
    fillArrangement(target, 4);
    ASSERT_TRUE(effect.matchArrangement(&target, source));
    ASSERT_NE(target, nullptr);
    EXPECT_NE(target, source);
    EXPECT_EQ(target->type, 9);
    EXPECT_EQ(target->numChannels, 12);
    for (int32 channel = 0; channel < 12; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        expectSameSpeaker(*speaker(target, channel), *speaker(source, channel));
    }
    effect.deallocateArrangement(&target);
    effect.deallocateArrangement(&source);
}

TEST(MatchArrangement, MatchesAnArrangementWithoutChannels) {
    TestEffect effect;
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 0));
    source->type = 6;
    VstSpeakerArrangement* target = nullptr;
    ASSERT_TRUE(effect.matchArrangement(&target, source));
    EXPECT_EQ(target->type, 6);
    EXPECT_EQ(target->numChannels, 0);
    effect.deallocateArrangement(&target);
    effect.deallocateArrangement(&source);
}

TEST(MatchArrangement, RefusesAMissingSourceAndKeepsTheTarget) {
    TestEffect effect;
    VstSpeakerArrangement* target = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&target, 2));
    fillArrangement(target, 4);
    EXPECT_FALSE(effect.matchArrangement(&target, nullptr));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->type, 4);
    effect.deallocateArrangement(&target);
}

TEST(MatchArrangement, MatchingAnArrangementToItselfKeepsIt) {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 10));
    fillArrangement(arrangement, 8);
    EXPECT_TRUE(effect.matchArrangement(&arrangement, arrangement));
    ASSERT_NE(arrangement, nullptr);
    EXPECT_EQ(arrangement->type, 8);
    EXPECT_EQ(arrangement->numChannels, 10);
    EXPECT_STREQ(speaker(arrangement, 9)->name, "speaker 9");
    effect.deallocateArrangement(&arrangement);
}

} // namespace
