// Drives one plug-in instance through the record's dispatcher with sequences
// of opcodes and random index, value and opt, as a careless host would, and
// checks after every call that the instance is still whole: the record keeps
// its identity, the program stays the only one, parameter values are what
// was set, and nothing is written past the size a host reserves for a text.
//
// Pointers follow the interface's contract: a text or record opcode gets
// null or a buffer of at least 256 bytes, effGetChunk a valid slot for the
// data's address, the two speaker opcodes null or valid arrangement slots.
// effClose ends the instance and a new one takes its place.
#include <algorithm>
#include <array>
#include <cmath>

#include "effect/tarvel_effect.h"
#include "fuzz_support.h"
#include "harness/plugin_host.h"
#include "host/module.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

namespace {

constexpr std::size_t kBufferSize = 1024;
// The host's buffers are at least this large; the effect must stay within.
constexpr std::size_t kHostBufferSize = 256;
constexpr std::uint8_t kUntouched = 0xCD;
constexpr int32 kBlockFrames = 64;

// How many bytes at the start of the buffer an opcode may write; the rest of
// it must stay as the host left it. 0: the opcode only reads the buffer.
std::size_t writableBytes(int32 opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effString2Parameter:
    case effCanDo:
    case effSetChunk:
        return 0;
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return 24;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return 9; // eight characters and the terminator
    case effGetEffectName:
        return 32;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
        return 64;
    case effGetInputProperties:
    case effGetOutputProperties:
        return sizeof(VstPinProperties);
    default:
        return kHostBufferSize;
    }
}

// Opcodes that hand the plug-in a buffer to fill with a zero-terminated text.
bool writesText(int32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
        return true;
    default:
        return false;
    }
}

class DispatcherSession {
public:
    DispatcherSession() {
        headless::resetWindowSystem();
        objectsBefore = headless::liveObjectCount();
        parent = headless::createWindow(100, 50, 280, 120);
        host.observeCalls([](const HostCall& call) {
            if (call.opcode == audioMasterProcessEvents) {
                onlyRelayedEvent(call);
            }
        });
        openInstance();
    }
    // Closing the instance takes its editor's window and drawing objects
    // with it, whatever the opcodes left open.
    ~DispatcherSession() {
        host.close();
        headless::destroyWindow(parent);
        FUZZ_CHECK(headless::windowCount() == 0);
        FUZZ_CHECK(headless::liveObjectCount() == objectsBefore);
        FUZZ_CHECK(headless::deadHandleUses() == 0);
        FUZZ_CHECK(headless::oleInitializations() == 0);
    }

    void dispatchOne(FuzzedDataProvider& data) {
        const int32 opcode =
            data.ConsumeIntegralInRange(0, 7) != 0
                ? data.ConsumeIntegralInRange<int32>(0, 80)
                : data.PickValueInArray<int32>({-5, -4, -3, -2, -1, 81, 99, 100,
                                                std::numeric_limits<int32>::min(),
                                                std::numeric_limits<int32>::max()});
        const int32 index = hostileInt(data);
        VstWord value = data.ConsumeBool() ? static_cast<VstWord>(hostileInt(data))
                                           : data.ConsumeIntegral<VstWord>();
        const float opt = hostileFloat(data);
        void* ptr = nullptr;
        const bool giveBuffer = data.ConsumeIntegralInRange(0, 3) != 0;

        switch (opcode) {
        case effProcessEvents:
            if (giveBuffer) {
                events.fill(data, kBlockFrames);
                ptr = events.list();
            }
            break;
        case effGetChunk:
            chunk = nullptr;
            ptr = &chunk;
            break;
        case effEditGetRect:
            rect = nullptr;
            ptr = giveBuffer ? &rect : nullptr;
            break;
        case effEditOpen:
            // The host's window, or none.
            ptr = giveBuffer ? parent : nullptr;
            break;
        case effSetSpeakerArrangement:
            value = data.ConsumeBool() ? reinterpret_cast<VstWord>(&arrangements[0]) : 0;
            ptr = giveBuffer ? &arrangements[1] : nullptr;
            break;
        case effGetSpeakerArrangement:
            arrangementSlots = {&arrangements[0], &arrangements[1]};
            value = data.ConsumeBool() ? reinterpret_cast<VstWord>(&arrangementSlots[0]) : 0;
            ptr = giveBuffer ? &arrangementSlots[1] : nullptr;
            break;
        default:
            if (giveBuffer) {
                ptr = prepareBuffer(data, opcode);
            }
            break;
        }
        if (opcode == effSetChunk && ptr != nullptr) {
            // The byte count names what the buffer holds.
            value = data.ConsumeIntegralInRange<VstWord>(0, kHostBufferSize);
        }

        const VstWord answer = host.dispatch(opcode, index, value, ptr, opt);

        if (opcode == effClose) {
            FUZZ_CHECK(answer == 1);
            openInstance();
            return;
        }
        if (ptr == buffer.data()) {
            checkBuffer(opcode);
        }
        checkAnswer(opcode, answer, ptr);
        if (opcode == effProcessEvents && ptr != nullptr) {
            // Controller 1 may change "ncvolume" once the events are released.
            midiPending = true;
        }
        checkInstance();
    }

    void setParameter(FuzzedDataProvider& data) {
        const int32 index =
            data.ConsumeBool() ? data.ConsumeIntegralInRange(-1, 2) : hostileInt(data);
        const float value = hostileFloat(data);
        record->setParameter(record, index, value);
        if (index == TarvelEffect::kNcvolume || index == TarvelEffect::kIpvolume) {
            expected[static_cast<std::size_t>(index)] = value;
        }
        checkInstance();
    }

    // One block of a sine through either process call: the events queued by
    // the opcodes above are released here.
    void processBlock(FuzzedDataProvider& data) {
        std::array<float, kBlockFrames> left{}, right{}, outLeft{}, outRight{};
        for (int32 i = 0; i < kBlockFrames; ++i) {
            left[i] = static_cast<float>(std::sin(0.2 * (i + phase)));
        }
        phase += kBlockFrames;
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        if (data.ConsumeBool()) {
            record->processReplacing(record, inputs, outputs, kBlockFrames);
        } else {
            record->process(record, inputs, outputs, kBlockFrames);
        }
        FUZZ_CHECK(std::memcmp(outLeft.data(), outRight.data(), sizeof outLeft) == 0);
        if (midiPending) {
            // Queued events were released in this block: "ncvolume" holds
            // what was set, or what controller 1 set.
            const float ncvolume = record->getParameter(record, TarvelEffect::kNcvolume);
            FUZZ_CHECK(sameBits(ncvolume, expected[TarvelEffect::kNcvolume]) ||
                       controllerValue(ncvolume));
            expected[TarvelEffect::kNcvolume] = ncvolume;
            midiPending = false;
        }
        checkInstance();
    }

private:
    void openInstance() {
        FUZZ_CHECK(host.load(&tarvelMain));
        record = host.effect();
        expected = {1.0f, 1.0f};
        midiPending = false;
        checkInstance();
    }

    // Input texts carry the fuzzer's bytes, zero-terminated within the
    // host's size; texts to be written start out as a known pattern.
    void* prepareBuffer(FuzzedDataProvider& data, int32 opcode) {
        buffer.fill(kUntouched);
        if (!writesText(opcode)) {
            const std::vector<std::uint8_t> bytes =
                data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 255));
            std::copy(bytes.begin(), bytes.end(), buffer.begin());
            buffer[bytes.size()] = 0;
            buffer[kHostBufferSize - 1] = 0;
        }
        before = buffer;
        return buffer.data();
    }

    void checkBuffer(int32 opcode) {
        const std::size_t writable = writableBytes(opcode);
        FUZZ_CHECK(std::memcmp(buffer.data() + writable, before.data() + writable,
                               kBufferSize - writable) == 0);
        if (writesText(opcode) && buffer != before) {
            FUZZ_CHECK(std::memchr(buffer.data(), 0, writable) != nullptr);
        }
    }

    // Answers with a fixed meaning must keep it whatever came before.
    void checkAnswer(int32 opcode, VstWord answer, void* ptr) {
        switch (opcode) {
        case effGetProgram:
            FUZZ_CHECK(answer == 0);
            break;
        case effCanDo:
            FUZZ_CHECK(answer == 1 || answer == -1);
            break;
        case effIdentify:
            FUZZ_CHECK(answer == fourCharCode('N', 'v', 'E', 'f'));
            break;
        case effGetVstVersion:
            FUZZ_CHECK(answer == 2300);
            break;
        case effGetVendorVersion:
            FUZZ_CHECK(answer == 101);
            break;
        case effGetPlugCategory:
            FUZZ_CHECK(answer == kPlugCategEffect);
            break;
        case effProcessEvents:
            FUZZ_CHECK(answer == (ptr != nullptr ? 1 : 0));
            break;
        case effGetChunk:
            FUZZ_CHECK(answer == 0);
            break;
        case effGetSpeakerArrangement:
            FUZZ_CHECK(answer == 0);
            break;
        default:
            break;
        }
    }

    void checkInstance() {
        FUZZ_CHECK(record->magic == kEffectMagic);
        FUZZ_CHECK(record->object != nullptr);
        FUZZ_CHECK(record->numPrograms == 1 && record->numParams == 2);
        FUZZ_CHECK(record->numInputs == 2 && record->numOutputs == 2);
        FUZZ_CHECK(record->uniqueID == fourCharCode('T', 'v', 'r', 'l'));
        FUZZ_CHECK((record->flags & ~effFlagsHasEditor) ==
                   (effFlagsCanMono | effFlagsCanReplacing));
        FUZZ_CHECK(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f) == 0);
        FUZZ_CHECK(sameBits(record->getParameter(record, TarvelEffect::kNcvolume),
                            expected[TarvelEffect::kNcvolume]));
        FUZZ_CHECK(sameBits(record->getParameter(record, TarvelEffect::kIpvolume),
                            expected[TarvelEffect::kIpvolume]));
        FUZZ_CHECK(record->getParameter(record, 2) == 0.0f);
    }

    PluginHost host;
    AEffect* record = nullptr;
    platform::Window parent = nullptr;
    int objectsBefore = 0;
    std::array<float, 2> expected{1.0f, 1.0f};
    bool midiPending = false;
    int phase = 0;

    std::array<std::uint8_t, kBufferSize> buffer{};
    std::array<std::uint8_t, kBufferSize> before{};
    HostileEventList events;
    void* chunk = nullptr;
    ERect* rect = nullptr;
    std::array<VstSpeakerArrangement, 2> arrangements{};
    std::array<VstSpeakerArrangement*, 2> arrangementSlots{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    DispatcherSession session;
    for (int step = 0; step < 512 && data.remaining_bytes() > 0; ++step) {
        switch (data.ConsumeIntegralInRange(0, 9)) {
        case 0:
            session.setParameter(data);
            break;
        case 1:
            session.processBlock(data);
            break;
        default:
            session.dispatchOne(data);
            break;
        }
    }
    return 0;
}
