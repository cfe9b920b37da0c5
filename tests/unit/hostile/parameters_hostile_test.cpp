// A host that sets parameters and programs carelessly: values that are no
// number, infinite, negative or above 1, indexes outside the two parameters
// and the one program, and names longer than a program name holds.
#include <algorithm>
#include <array>
#include <string>

#include "hostile/hostile_support.h"

using namespace hostile;

namespace {

std::string display(Plugin& plugin, int32 index) {
    std::array<char, 256> text;
    text.fill('\x7f');
    plugin.dispatch(effGetParamDisplay, index, 0, text.data());
    return std::string(text.data(), std::find(text.begin(), text.end(), '\0'));
}

} // namespace

// A value is stored as given (the host reads back what it set); the display
// shows it in at most eight characters; the sound follows it and comes back
// once the host sets an ordinary value again.
TEST(HostileParameters, ValuesNoHostShouldSet) {
    Plugin plugin;
    for (int32 index : {0, 1}) {
        for (float value : kHostileFloats) {
            plugin.record->setParameter(plugin.record, index, value);
            EXPECT_TRUE(sameBits(plugin.record->getParameter(plugin.record, index), value));
            const std::string text = display(plugin, index);
            EXPECT_LE(text.size(), 8u) << value;
            if (!(value > 0.0f)) {
                EXPECT_EQ(text, "-oo") << value;
            }
            if (value == kInf) {
                EXPECT_EQ(text, "Huge!") << "an infinite gain in decibels";
            }
            std::vector<float> input = sine(400, 100.0);
            const std::vector<float> output = render(plugin.record, input, 100);
            EXPECT_EQ(output.size(), input.size());
        }
    }
    plugin.record->setParameter(plugin.record, TarvelEffect::kNcvolume, 1.0f);
    plugin.record->setParameter(plugin.record, TarvelEffect::kIpvolume, 1.0f);
    expectStillWorks(plugin);
}

// The program keeps what the host set, hostile or not, and a program change
// brings it back unchanged.
TEST(HostileParameters, ProgramKeepsHostileValues) {
    Plugin plugin;
    plugin.record->setParameter(plugin.record, TarvelEffect::kNcvolume, kNaN);
    plugin.record->setParameter(plugin.record, TarvelEffect::kIpvolume, -kInf);
    plugin.dispatch(effSetProgram, 0, 0);
    EXPECT_TRUE(
        sameBits(plugin.record->getParameter(plugin.record, TarvelEffect::kNcvolume), kNaN));
    EXPECT_TRUE(
        sameBits(plugin.record->getParameter(plugin.record, TarvelEffect::kIpvolume), -kInf));
    plugin.record->setParameter(plugin.record, TarvelEffect::kNcvolume, 0.25f);
    plugin.record->setParameter(plugin.record, TarvelEffect::kIpvolume, 0.75f);
    plugin.dispatch(effSetProgram, 0, 0);
    expectStillWorks(plugin, 0.25f, 0.75f);
}

// Indexes outside the two parameters store nothing, read 0 and leave the
// host's text buffers as they were.
TEST(HostileParameters, IndexesOutsideTheParameters) {
    Plugin plugin;
    for (int32 index : {-1, 2, 99, kIntMin, kIntMax}) {
        for (float value : kHostileFloats) {
            plugin.record->setParameter(plugin.record, index, value);
        }
        EXPECT_EQ(plugin.record->getParameter(plugin.record, index), 0.0f);
        for (int32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName}) {
            char text[16] = "unchanged";
            plugin.dispatch(opcode, index, 0, text);
            EXPECT_STREQ(text, "unchanged") << "opcode " << opcode << " index " << index;
        }
    }
    expectStillWorks(plugin);
}

// Programs other than the one: selecting them, copying to them and naming
// them by index change nothing and answer no.
TEST(HostileParameters, ProgramsOutsideTheBank) {
    Plugin plugin;
    plugin.record->setParameter(plugin.record, TarvelEffect::kNcvolume, 0.5f);
    for (int32 program : kHostileInts) {
        EXPECT_EQ(plugin.dispatch(effSetProgram, 0, program), 0);
        EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
        EXPECT_EQ(plugin.dispatch(effCopyProgram, program), program == 0 ? 1 : 0);
        char text[64] = "unchanged";
        EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, program, program, text), 0);
        EXPECT_STREQ(text, "unchanged");
    }
    std::string longName(300, 'n');
    plugin.dispatch(effSetProgramName, 0, 0, longName.data());
    char name[64];
    plugin.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_EQ(std::string(name), std::string(23, 'n'));
    expectStillWorks(plugin, 0.5f, 1.0f);
}
