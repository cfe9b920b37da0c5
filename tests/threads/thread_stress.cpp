// One plug-in instance driven from a host's two threads at once. The
// user-interface thread changes parameters, selects the program, renames it,
// reads its name and the parameter displays, and (with --editor) opens,
// idles and closes the editor; the audio thread delivers MIDI
// (controller 1, program changes, notes) and processes blocks through both
// process calls. Built with ThreadSanitizer in its own tree, any data race
// between the two fails the run; in every build the values read must be
// ones that some thread wrote whole, and the audio must stay sane.
//
// Usage: thread_stress [seconds [--editor]]   (default 2 seconds, no editor)
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "host/module.h"
#include "host/vst_opcodes.h"
#include "stress_window.h"

namespace {

constexpr int kBlockFrames = 64;
constexpr std::array<float, 3> kUiValues{0.25f, 0.5f, 0.75f};
constexpr float kControllerScale = 0.007874016f;

std::atomic<bool> failed{false};
std::atomic<long long> relayed{0};

void fail(const char* what) {
    if (!failed.exchange(true)) {
        std::fprintf(stderr, "thread_stress: %s\n", what);
    }
}

// Called from the audio thread while a block runs; counts what is relayed.
VstWord VSTCALL stressHost(AEffect* /*effect*/, int32 opcode, int32 /*index*/, VstWord /*value*/,
                           void* ptr, float /*opt*/) {
    if (opcode == audioMasterVersion) {
        return 2400;
    }
    if (opcode == audioMasterProcessEvents) {
        const auto* list = static_cast<const VstEvents*>(ptr);
        if (list == nullptr || list->numEvents != 1) {
            fail("a relayed list does not hold exactly one event");
        }
        relayed.fetch_add(1, std::memory_order_relaxed);
        return 1;
    }
    return 0;
}

// Every value a parameter can hold here: its start value, the values the
// interface thread writes and the values controller 1 writes. A torn or
// mixed word would be none of them.
bool writtenWhole(float value) {
    if (value == 1.0f) {
        return true;
    }
    for (float v : kUiValues) {
        if (value == v) {
            return true;
        }
    }
    for (int step = 0; step <= 127; ++step) {
        if (value == static_cast<float>(step) * kControllerScale) {
            return true;
        }
    }
    return false;
}

VstWord dispatch(AEffect* record, int32 opcode, int32 index = 0, VstWord value = 0,
                 void* ptr = nullptr, float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

// The host's user-interface thread.
class InterfaceThread {
public:
    explicit InterfaceThread(AEffect* effectRecord) : record(effectRecord) {}

    void step(long long i) {
        const int32 index = static_cast<int32>(i % 2);
        record->setParameter(record, index, kUiValues[static_cast<std::size_t>(i % 3)]);
        if (!writtenWhole(record->getParameter(record, 0)) ||
            !writtenWhole(record->getParameter(record, 1))) {
            fail("a parameter read a value no thread wrote");
        }
        if (i % 4 == 0) {
            dispatch(record, effSetProgram, 0, 0);
            dispatch(record, effCopyProgram, 0);
        }
        if (i % 8 == 0) {
            renameProgram(i);
        }
        for (int32 parameter = 0; parameter < 2; ++parameter) {
            char text[256] = {};
            dispatch(record, effGetParamDisplay, parameter, 0, text);
            const std::size_t length = std::strlen(text);
            if (std::strcmp(text, "-oo") != 0 && length != 8) {
                fail("a parameter display is neither \"-oo\" nor eight characters");
            }
        }
        editorStep(i);
    }

    // With --editor this thread also opens the editor in a host window, idles it on most steps and
    // closes it now and then, while the audio thread's MIDI moves its sliders.
    void editorStep(long long i) {
        if (parent == nullptr) {
            return;
        }
        if (i % 64 == 0) {
            dispatch(record, effEditOpen, 0, 0, parent);
        } else if (i % 64 == 48) {
            dispatch(record, effEditClose);
        } else {
            dispatch(record, effEditIdle);
        }
    }

    // Closes the editor and takes the host's window down.
    void finish() {
        if (parent != nullptr) {
            dispatch(record, effEditClose);
            destroyStressWindow(parent);
            parent = nullptr;
        }
    }

    // The host's window for the editor; null runs without the editor.
    void* parent = nullptr;

private:
    void renameProgram(long long i) {
        std::string name = "Stress " + std::to_string(i % 1000);
        std::array<char, 256> text{};
        std::memcpy(text.data(), name.c_str(), name.size() + 1);
        dispatch(record, effSetProgramName, 0, 0, text.data());
        text.fill('\x7f');
        dispatch(record, effGetProgramName, 0, 0, text.data());
        if (name != text.data()) {
            fail("the program name read back differs from the one written");
        }
    }

    AEffect* record;
};

// The host's audio thread.
class AudioThread {
public:
    explicit AudioThread(AEffect* effectRecord) : record(effectRecord) {}

    void step(long long block) {
        queueEvents(block);
        std::array<float, kBlockFrames> left{}, right{}, outLeft{}, outRight{};
        for (int i = 0; i < kBlockFrames; ++i) {
            left[static_cast<std::size_t>(i)] =
                0.9f * static_cast<float>(std::sin(0.07 * static_cast<double>(position++)));
        }
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        if (block % 5 == 0) {
            record->process(record, inputs, outputs, kBlockFrames);
        } else {
            record->processReplacing(record, inputs, outputs, kBlockFrames);
        }
        for (int i = 0; i < kBlockFrames; ++i) {
            const float y = outLeft[static_cast<std::size_t>(i)];
            if (!(std::fabs(y) <= 2.0f) || y != outRight[static_cast<std::size_t>(i)]) {
                fail("the output left the range of its inputs or the channels differ");
            }
        }
        if (!writtenWhole(record->getParameter(record, 0))) {
            fail("the audio thread read a parameter value no thread wrote");
        }
    }

private:
    // Controller 1 at two frames, a program change to program 0 and a note,
    // every block.
    void queueEvents(long long block) {
        const int cc = static_cast<int>(block % 128);
        events[0] = midi(3, 0xB0, 1, cc);
        events[1] = midi(17, 0xC0 | static_cast<int>(block % 16), 0, 0);
        events[2] = midi(31, 0x90, 60, 100);
        events[3] = midi(40, 0xB1, 1, 127 - cc);
        // The host's list: numEvents and reserved, then one pointer per event.
        auto* list = reinterpret_cast<VstEvents*>(listWords.data());
        list->numEvents = static_cast<int32>(events.size());
        list->reserved = 0;
        VstEvent** pointers = list->events;
        for (std::size_t i = 0; i < events.size(); ++i) {
            pointers[i] = reinterpret_cast<VstEvent*>(&events[i]);
        }
        dispatch(record, effProcessEvents, 0, 0, list);
    }

    static VstMidiEvent midi(int32 delta, int status, int data1, int data2) {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = delta;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        return event;
    }

    AEffect* record;
    std::array<VstMidiEvent, 4> events{};
    std::array<void*, 2 + 4> listWords{};
    long long position = 0;
};

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    const bool withEditor = argc > 2 && std::strcmp(argv[2], "--editor") == 0;
    AEffect* record = tarvelMain(stressHost);
    if (record == nullptr) {
        std::fprintf(stderr, "thread_stress: the plug-in refused to load\n");
        return 1;
    }
    dispatch(record, effOpen);
    dispatch(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(record, effSetBlockSize, 0, kBlockFrames);
    dispatch(record, effMainsChanged, 0, 1);

    std::atomic<int> ready{0};
    std::atomic<bool> stop{false};
    long long interfaceSteps = 0;
    long long audioBlocks = 0;
    auto startTogether = [&ready] {
        ready.fetch_add(1);
        while (ready.load() < 2) {
            std::this_thread::yield();
        }
    };

    std::thread interfaceThread([&] {
        InterfaceThread ui(record);
        if (withEditor) {
            ui.parent = createStressWindow();
            if (ui.parent == nullptr) {
                fail("no window for the editor");
            }
        }
        startTogether();
        while (!stop.load(std::memory_order_relaxed) && !failed.load()) {
            ui.step(interfaceSteps++);
        }
        ui.finish();
    });
    std::thread audioThread([&] {
        AudioThread audio(record);
        startTogether();
        while (!stop.load(std::memory_order_relaxed) && !failed.load()) {
            audio.step(audioBlocks++);
        }
    });
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop.store(true);
    interfaceThread.join();
    audioThread.join();

    dispatch(record, effMainsChanged, 0, 0);
    dispatch(record, effClose);
    std::printf("thread_stress: %lld interface steps, %lld audio blocks of %d frames, "
                "%lld events relayed in %.1f s\n",
                interfaceSteps, audioBlocks, kBlockFrames, relayed.load(), seconds);
    if (interfaceSteps == 0 || audioBlocks == 0) {
        fail("a thread never ran");
    }
    // Every event lies inside its block, so each one is relayed in it.
    if (relayed.load() != 4 * audioBlocks) {
        fail("not every event sent was relayed");
    }
    return failed.load() ? 1 : 0;
}
