// A host that calls every opcode with whatever it has at hand: null
// pointers, negative and huge index and value, not-a-number and infinite opt.
// Each call must answer what the opcode defines for such a call, and the
// instance must work normally afterwards.
#include <algorithm>
#include <array>
#include <cstdint>

#include "hostile/hostile_support.h"

using namespace hostile;

namespace {

// What each opcode answers when its pointer is null (or unused), whatever the
// other arguments hold. Without an editor every editor opcode answers 0.
VstWord answerWithNullPointer(int32 opcode, int32 index, VstWord value, bool editor) {
    switch (opcode) {
    case effIdentify:
        return fourCharCode('N', 'v', 'E', 'f');
    case effGetNumProgramCategories:
    case effConnectInput:
    case effConnectOutput:
    case effSetBlockSizeAndSampleRate:
    case effCanBeAutomated:
    case effKeysRequired: // inverted: no keys are required
    case effGetPlugCategory:
    case effGetTailSize:
        return 1;
    case effGetVendorVersion:
        return 101;
    case effGetVstVersion:
        return 2300;
    case effCanDo: // a missing capability text is a capability not had
    case effGetCurrentMidiProgram:
        return -1;
    case effSetTotalSampleToProcess:
        return static_cast<int32>(value);
    case effCopyProgram: // the one program copies onto itself
        return index == 0 ? 1 : 0;
    // The editor: its rectangle exists (a null pointer just receives
    // nothing), a null parent gives no window to open it in, the knob mode
    // is taken, and keys reach no view (the editor is closed by then).
    case effEditGetRect:
    case effSetEditKnobMode:
        return editor ? 1 : 0;
    case effEditKeyDown:
    case effEditKeyUp:
        return editor ? -1 : 0;
    default:
        return 0;
    }
}

// The two speaker opcodes carry an address in value as well as in ptr: a
// host must pass a valid address or null there, so they get null only.
bool valueIsAnAddress(int32 opcode) {
    return opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement;
}

} // namespace

TEST(HostileDispatcher, EveryOpcodeWithNullPointersAndHostileNumbers) {
    Plugin plugin;
    const std::array<VstWord, 7> values{0, -1, kIntMin, kIntMax, 1 << 20, INTPTR_MIN, INTPTR_MAX};
    long long calls = 0;
    for (int32 opcode = -5; opcode <= 100; ++opcode) {
        for (int32 index : kHostileInts) {
            for (VstWord value : values) {
                if (valueIsAnAddress(opcode) && value != 0) {
                    continue;
                }
                for (float opt : kHostileFloats) {
                    const VstWord answer = plugin.dispatch(opcode, index, value, nullptr, opt);
                    ++calls;
                    if (opcode == effClose) {
                        ASSERT_EQ(answer, 1);
                        plugin.reopen();
                        ASSERT_NE(plugin.record, nullptr);
                        continue;
                    }
                    ASSERT_EQ(answer,
                              answerWithNullPointer(opcode, index, value, hasEditor(plugin.record)))
                        << "opcode " << opcode << " index " << index << " value " << value
                        << " opt " << opt;
                }
            }
        }
    }
    RecordProperty("calls", static_cast<int>(calls));
    std::printf("hostile dispatcher: %lld calls\n", calls);
    expectStillWorks(plugin);
}

// Texts a host hands in without a terminator within its buffer: the effect
// reads no further than it needs.
TEST(HostileDispatcher, UnterminatedInputTextsAreReadOnlyAsFarAsNeeded) {
    Plugin plugin;
    std::array<char, 256> text;
    text.fill('x');
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, text.data()), -1);
    EXPECT_EQ(plugin.dispatch(effString2Parameter, 0, 0, text.data()), 0);
    plugin.dispatch(effSetProgramName, 0, 0, text.data());
    std::array<char, 256> name;
    name.fill('#');
    plugin.dispatch(effGetProgramName, 0, 0, name.data());
    EXPECT_EQ(std::string(name.data()), std::string(23, 'x')) << "names keep 23 characters";
    EXPECT_EQ(name[24], '#') << "nothing is written past the name's 24 bytes";
    expectStillWorks(plugin);
}

// Output texts: whatever the index, the effect writes a terminated text
// within the size hosts reserve for it, or nothing at all.
TEST(HostileDispatcher, OutputTextsStayWithinTheirSizeForAnyIndex) {
    Plugin plugin;
    struct TextOpcode {
        int32 opcode;
        std::size_t size;
    };
    const TextOpcode opcodes[] = {{effGetProgramName, 24},        {effGetParamLabel, 9},
                                  {effGetParamDisplay, 9},        {effGetParamName, 9},
                                  {effGetEffectName, 32},         {effGetVendorString, 64},
                                  {effGetProductString, 64},      {effGetErrorText, 256},
                                  {effGetProgramNameIndexed, 24}, {effShellGetNextPlugin, 64}};
    for (const TextOpcode& text : opcodes) {
        for (int32 index : kHostileInts) {
            std::array<char, 256> buffer;
            buffer.fill('\x7f');
            plugin.dispatch(text.opcode, index, index, buffer.data());
            const bool untouched =
                std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == '\x7f'; });
            if (!untouched) {
                EXPECT_NE(std::find(buffer.begin(), buffer.begin() + text.size, '\0'),
                          buffer.begin() + text.size)
                    << "opcode " << text.opcode << " index " << index;
                EXPECT_TRUE(std::all_of(buffer.begin() + text.size, buffer.end(),
                                        [](char c) { return c == '\x7f'; }))
                    << "opcode " << text.opcode << " index " << index;
            }
        }
    }
}

// A thousand instances opened and closed with hostile arguments to effClose:
// each close answers 1 and frees everything (the leak checker of the native
// build sees the rest), and the next instance starts as new.
TEST(HostileDispatcher, ThousandOpenCloseCycles) {
    for (int cycle = 0; cycle < 1000; ++cycle) {
        PluginHost host;
        ASSERT_TRUE(host.load(entryUnderTest()));
        ASSERT_EQ(host.getParameter(TarvelEffect::kNcvolume), 1.0f);
        host.open();
        host.resume();
        host.setParameter(cycle % 2 == 0 ? TarvelEffect::kNcvolume : TarvelEffect::kIpvolume, kNaN);
        const int32 index = kHostileInts[static_cast<std::size_t>(cycle) % std::size(kHostileInts)];
        ASSERT_EQ(host.dispatch(effClose, index, index, nullptr, kNaN), 1);
    }
}

// The editor opcodes in every order, with a host window and with none, and
// with hostile numbers: each answers what the editor defines (an open with
// no window to open in answers 0), and afterwards the plug-in holds nothing
// more in the window system than before.
TEST(HostileDispatcher, EditorOpcodesInEveryOrder) {
    void* parent = createEditorParent();
    if (!parent)
        GTEST_SKIP() << "no window system to open the editor in";
    const std::string heldBefore = editorHoldings();
    {
        Plugin plugin;
        std::array<int32, 7> opcodes{effEditGetRect, effEditOpen,  effEditClose,      effEditIdle,
                                     effEditKeyDown, effEditKeyUp, effSetEditKnobMode};
        std::sort(opcodes.begin(), opcodes.end());
        int orders = 0;
        do {
            void* window = orders % 2 == 0 ? parent : nullptr;
            for (int32 opcode : opcodes) {
                ERect* rect = nullptr;
                void* ptr = opcode == effEditOpen      ? window
                            : opcode == effEditGetRect ? &rect
                                                       : nullptr;
                const VstWord answer = plugin.dispatch(opcode, kIntMin, -1, ptr, kNaN);
                switch (opcode) {
                case effEditGetRect:
                    ASSERT_EQ(answer, 1);
                    ASSERT_NE(rect, nullptr);
                    EXPECT_EQ(rect->right - rect->left, 268);
                    EXPECT_EQ(rect->bottom - rect->top, 107);
                    break;
                case effEditOpen:
                    ASSERT_EQ(answer, window ? 1 : 0);
                    break;
                case effSetEditKnobMode:
                    ASSERT_EQ(answer, 1);
                    break;
                case effEditKeyDown:
                case effEditKeyUp:
                    ASSERT_TRUE(answer >= -1 && answer <= 1) << answer;
                    break;
                default:
                    ASSERT_EQ(answer, 0) << "opcode " << opcode;
                    break;
                }
                handleEditorEvents();
            }
            plugin.dispatch(effEditClose);
            ++orders;
        } while (std::next_permutation(opcodes.begin(), opcodes.end()));
        EXPECT_EQ(orders, 5040);
        expectStillWorks(plugin);
    }
    EXPECT_EQ(editorHoldings(), heldBefore) << "the closed plug-in holds nothing";
    destroyEditorParent(parent);
}
