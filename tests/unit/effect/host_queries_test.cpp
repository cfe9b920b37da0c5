// The effect's answers to the host's questions, asked through the dispatcher
// as a host asks them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effect_test_support.h"

namespace {

VstWord ask(TarvelEffect& effect, int32 opcode, int32 index = 0, void* ptr = nullptr) {
    return effect.dispatcher(opcode, index, 0, ptr, 0.0f);
}

VstWord canDo(TarvelEffect& effect, const char* capability) {
    std::string text = capability;
    return ask(effect, effCanDo, 0, text.data());
}

TEST(TarvelEffectHostQueries, AnswersYesOnlyToTheEventCapabilitiesAndTimeInfo) {
    TarvelEffect effect(nullptr);
    for (const char* yes : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                            "receiveVstMidiEvent", "receiveVstTimeInfo"}) {
        EXPECT_EQ(canDo(effect, yes), 1) << yes;
    }
    for (const char* no :
         {"sendVstTimeInfo", "offline", "2in2out", "1in1out", "bypass", "midiProgramNames",
          "conformsToWindowRules", "somethingElse", "", "ReceiveVstEvents", "receiveVstEvents "}) {
        EXPECT_EQ(canDo(effect, no), -1) << '"' << no << '"';
    }
    EXPECT_EQ(ask(effect, effCanDo), -1) << "no text at all";
}

TEST(TarvelEffectHostQueries, NamesVendorAndProduct) {
    TarvelEffect effect(nullptr);
    char text[64];
    EXPECT_EQ(ask(effect, effGetEffectName, 0, text), 1);
    EXPECT_STREQ(text, "Tarvel");
    EXPECT_EQ(ask(effect, effGetVendorString, 0, text), 1);
    EXPECT_STREQ(text, "Ostrand");
    EXPECT_EQ(ask(effect, effGetProductString, 0, text), 1);
    EXPECT_STREQ(text, "Ostrand Tarvel");
    for (int32 opcode : {effGetEffectName, effGetVendorString, effGetProductString}) {
        EXPECT_EQ(ask(effect, opcode), 0) << "opcode " << opcode << " without a buffer";
    }
}

TEST(TarvelEffectHostQueries, ConstantAnswers) {
    TarvelEffect effect(nullptr);
    EXPECT_EQ(ask(effect, effGetVendorVersion), 101);
    EXPECT_EQ(ask(effect, effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(ask(effect, effGetTailSize), 1);
    EXPECT_EQ(ask(effect, effGetVu), 0);
    char text[32] = "unchanged";
    EXPECT_EQ(effect.dispatcher(effGetProgramNameIndexed, 0, 0, text, 0.0f), 0);
    EXPECT_STREQ(text, "unchanged");
}

TEST(TarvelEffectHostQueries, PinsFormOneActiveStereoPair) {
    TarvelEffect effect(nullptr);
    const struct {
        int32 opcode;
        int32 index;
        const char* label;
    } pins[] = {{effGetInputProperties, 0, "Tarvel Left Input 1"},
                {effGetInputProperties, 1, "Tarvel Right Input 1"},
                {effGetOutputProperties, 0, "Tarvel Left Output 1"},
                {effGetOutputProperties, 1, "Tarvel Right Output 1"}};
    for (const auto& pin : pins) {
        VstPinProperties properties;
        std::memset(&properties, 0x5A, sizeof properties);
        EXPECT_EQ(ask(effect, pin.opcode, pin.index, &properties), 1);
        EXPECT_STREQ(properties.label, pin.label);
        EXPECT_EQ(properties.flags, kVstPinIsActive | kVstPinIsStereo);
        // What the effect does not describe stays as the host passed it.
        EXPECT_EQ(properties.arrangementType, 0x5A5A5A5A);
        EXPECT_EQ(properties.shortLabel[0], 0x5A);
    }
}

TEST(TarvelEffectHostQueries, PinsOutsideThePairAreRefusedUntouched) {
    TarvelEffect effect(nullptr);
    for (int32 opcode : {effGetInputProperties, effGetOutputProperties}) {
        for (int32 index : {-1, 2, 64}) {
            VstPinProperties properties;
            std::memset(&properties, 0x5A, sizeof properties);
            VstPinProperties before = properties;
            EXPECT_EQ(ask(effect, opcode, index, &properties), 0);
            EXPECT_EQ(std::memcmp(&properties, &before, sizeof properties), 0);
        }
        EXPECT_EQ(ask(effect, opcode, 0, nullptr), 0) << "no record to fill";
    }
}

} // namespace
