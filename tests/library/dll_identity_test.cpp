// What TARVEL.dll answers through its dispatcher: names, texts, capabilities
// and pins, formatted by the library's own code as built for Windows.
#include <gtest/gtest.h>

#include <cstring>

#include "dll_under_test.h"
#include "host/vst_opcodes.h"

namespace {

class DllIdentity : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dll.error.empty()) << dll.error;
        dll.host.open();
    }
    DllInstance dll;
};

TEST_F(DllIdentity, NamesTheEffectAndItsMaker) {
    EXPECT_EQ(dll.host.effectName(), "Tarvel");
    EXPECT_EQ(dll.host.vendorString(), "Ostrand");
    EXPECT_EQ(dll.host.productString(), "Ostrand Tarvel");
    EXPECT_EQ(dll.host.vendorVersion(), 101);
    EXPECT_EQ(dll.host.dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(dll.host.dispatch(effGetTailSize), 1);
    EXPECT_EQ(dll.host.programName(), "Tarvel");
}

TEST_F(DllIdentity, AnswersCapabilities) {
    for (const char* yes : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                            "receiveVstMidiEvent", "receiveVstTimeInfo"}) {
        EXPECT_EQ(dll.host.canDo(yes), 1) << yes;
    }
    for (const char* no : {"sendVstTimeInfo", "offline", "2in2out", "bypass", "midiProgramNames",
                           "ReceiveVstEvents", "", "something else"}) {
        EXPECT_EQ(dll.host.canDo(no), -1) << no;
    }
}

TEST_F(DllIdentity, NamesLabelsAndShowsBothParameters) {
    EXPECT_EQ(dll.host.parameterName(0), "ncvolume");
    EXPECT_EQ(dll.host.parameterName(1), "ipvolume");
    EXPECT_EQ(dll.host.parameterLabel(0), "   dB   ");
    EXPECT_EQ(dll.host.parameterLabel(1), "   dB   ");
    EXPECT_EQ(dll.host.parameterDisplay(0), "0.000000");
    EXPECT_EQ(dll.host.getParameter(0), 1.0f);
    dll.host.setParameter(0, 0.5f);
    dll.host.setParameter(1, 0.0f);
    EXPECT_EQ(dll.host.getParameter(0), 0.5f);
    EXPECT_EQ(dll.host.parameterDisplay(0), "-6.02059");
    EXPECT_EQ(dll.host.parameterDisplay(1), "-oo");
    EXPECT_EQ(dll.host.getParameter(2), 0.0f);
}

TEST_F(DllIdentity, NamesItsPins) {
    const char* const inputs[] = {"Tarvel Left Input 1", "Tarvel Right Input 1"};
    const char* const outputs[] = {"Tarvel Left Output 1", "Tarvel Right Output 1"};
    for (int32 pin = 0; pin < 2; ++pin) {
        VstPinProperties in{};
        VstPinProperties out{};
        EXPECT_EQ(dll.host.dispatch(effGetInputProperties, pin, 0, &in), 1);
        EXPECT_EQ(dll.host.dispatch(effGetOutputProperties, pin, 0, &out), 1);
        EXPECT_STREQ(in.label, inputs[pin]);
        EXPECT_STREQ(out.label, outputs[pin]);
        EXPECT_EQ(in.flags, kVstPinIsActive | kVstPinIsStereo);
        EXPECT_EQ(out.flags, kVstPinIsActive | kVstPinIsStereo);
    }
    VstPinProperties untouched{};
    std::memset(&untouched, 0x33, sizeof untouched);
    VstPinProperties probe = untouched;
    EXPECT_EQ(dll.host.dispatch(effGetInputProperties, 2, 0, &probe), 0);
    EXPECT_EQ(std::memcmp(&probe, &untouched, sizeof probe), 0);
}

TEST_F(DllIdentity, AsksForMidiWhenResumed) {
    dll.host.clearCalls();
    dll.host.setSampleRate(48000.0f);
    dll.host.setBlockSize(512);
    dll.host.resume();
    ASSERT_EQ(countCalls(dll.host.calls(), audioMasterWantMidi), 1);
    EXPECT_EQ(dll.host.calls().back().value, 1);
    dll.host.suspend();
}

TEST_F(DllIdentity, RelaysMidiAtItsFrameAndTakesControllerOne) {
    dll.host.resume();
    dll.host.clearCalls();
    StereoBuffer input(64);
    StereoBuffer output(64);
    input.fill(0.25f); // never below zero: no cycle, the output is the input
    dll.host.processBlock({controller1(20, 0), {40, 0x93, 60, 0}}, input, output,
                          ProcessMode::replacing);
    const std::vector<VstMidiEvent> relayed = relayedMidi(dll.host.calls());
    ASSERT_EQ(relayed.size(), 2u);
    EXPECT_EQ(relayed[0].deltaFrames, 20);
    EXPECT_EQ(static_cast<unsigned char>(relayed[0].midiData[0]), 0xB0);
    EXPECT_EQ(relayed[1].deltaFrames, 40);
    EXPECT_EQ(static_cast<unsigned char>(relayed[1].midiData[0]), 0x83); // note on at 0: off
    EXPECT_EQ(dll.host.getParameter(0), 0.0f);
    EXPECT_EQ(output.left()[63], 0.25f);
    EXPECT_EQ(output.right()[0], 0.25f);
}

} // namespace
