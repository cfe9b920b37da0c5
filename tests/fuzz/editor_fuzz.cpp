// Drives an open editor on the headless platform as a user and a careless
// host would at once: presses and drags with any buttons and modifier keys
// (in and around the window), keys, wheel turns, text and file drops, idle
// calls and paints, the editor closed and opened again, and parameter
// changes from the host and from MIDI in between.
//
// Checked throughout: every value the editor automates is a gain from 0 to 1
// while the host has only set such gains, every edit bracket the editor
// opens it closes with the same parameter before the press is over, and once
// the instance is closed and the host's window gone, no window, drawing
// object, drop registration or OLE initialisation is left and no call used a
// dead window.
#include <array>
#include <string>
#include <vector>

#include "editor/gui_editor.h"
#include "effect/tarvel_effect.h"
#include "fuzz_support.h"
#include "gui/frame.h"
#include "gui/mouse_script.h"
#include "harness/plugin_host.h"
#include "host/audio_effect.h"
#include "host/module.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

namespace {

// The host's window, and with it the editor's, sits at this screen corner.
constexpr int kScreenX = 100;
constexpr int kScreenY = 50;

class EditorSession {
public:
    EditorSession() {
        headless::resetWindowSystem();
        headless::resetInput();
        objectsBefore = headless::liveObjectCount();
        parent = headless::createWindow(kScreenX, kScreenY, 280, 120);
        FUZZ_CHECK(host.load(&tarvelMain));
        record = host.effect();
        host.observeCalls([this](const HostCall& call) { checkEdit(call); });
        FUZZ_CHECK(dispatch(effEditOpen, 0, 0, parent) == 1);
        headless::dispatchMessages();
    }

    ~EditorSession() {
        dispatch(effEditClose);
        host.close();
        headless::destroyWindow(parent);
        FUZZ_CHECK(headless::windowCount() == 0);
        FUZZ_CHECK(headless::liveObjectCount() == objectsBefore);
        FUZZ_CHECK(headless::deadHandleUses() == 0);
        FUZZ_CHECK(headless::lostDropRegistrations() == 0);
        FUZZ_CHECK(headless::oleInitializations() == 0);
        headless::resetInput();
    }

    void press(FuzzedDataProvider& data) {
        platform::Window window = frameWindow();
        if (window == nullptr) {
            return;
        }
        std::vector<MouseStep> steps;
        const int count = data.ConsumeIntegralInRange(1, 8);
        for (int i = 0; i < count; ++i) {
            steps.push_back(MouseStep{data.ConsumeIntegralInRange(-20, 290),
                                      data.ConsumeIntegralInRange(-20, 130),
                                      data.ConsumeIntegralInRange(0, 63)});
        }
        // Every script ends with the buttons up, so that a drag loop ends.
        steps.push_back(MouseStep{steps.back().x, steps.back().y, 0});
        const bool left = data.ConsumeIntegralInRange(0, 3) != 0;
        MouseScript script(Point(kScreenX, kScreenY), steps);
        headless::postButtonDown(window, steps.front().x, steps.front().y, left);
        headless::dispatchMessages();
        FUZZ_CHECK(openBrackets[0] == 0 && openBrackets[1] == 0);
    }

    void key(FuzzedDataProvider& data) {
        const int32 opcode = data.ConsumeBool() ? effEditKeyDown : effEditKeyUp;
        const VstWord answer = dispatch(opcode, data.ConsumeIntegral<std::uint8_t>(),
                                        data.ConsumeIntegralInRange(0, 60), nullptr,
                                        static_cast<float>(data.ConsumeIntegralInRange(0, 15)));
        FUZZ_CHECK(answer >= -1 && answer <= 1);
    }

    void wheel(FuzzedDataProvider& data) {
        AEffEditor* editor = effect()->editorOf();
        FUZZ_CHECK(editor != nullptr);
        editor->onWheel(data.ConsumeBool() ? data.ConsumeFloatingPointInRange(-5.0f, 5.0f)
                                           : hostileFloat(data));
        // A wheel turn of no number moves a slider to no number: from then on
        // the gains are not ordinary.
        if (!(effect()->getParameter(TarvelEffect::kNcvolume) >= 0.0f &&
              effect()->getParameter(TarvelEffect::kNcvolume) <= 1.0f) ||
            !(effect()->getParameter(TarvelEffect::kIpvolume) >= 0.0f &&
              effect()->getParameter(TarvelEffect::kIpvolume) <= 1.0f)) {
            ordinaryGains = false;
        }
    }

    void drop(FuzzedDataProvider& data) {
        platform::Window window = frameWindow();
        if (window == nullptr) {
            return;
        }
        if (data.ConsumeBool()) {
            headless::dropText(window, data.ConsumeRandomLengthString(300));
        } else {
            std::vector<std::string> names;
            const int count = data.ConsumeIntegralInRange(0, 4);
            for (int i = 0; i < count; ++i) {
                names.push_back(data.ConsumeRandomLengthString(1100));
            }
            headless::dropFiles(window, names);
        }
    }

    void idle(FuzzedDataProvider& data) {
        if (data.ConsumeBool()) {
            headless::damageWindow(parent);
        }
        dispatch(effEditIdle);
        headless::dispatchMessages();
    }

    void reopen(FuzzedDataProvider& data) {
        dispatch(effEditClose);
        if (data.ConsumeIntegralInRange(0, 3) != 0) {
            FUZZ_CHECK(dispatch(effEditOpen, 0, 0, parent) == 1);
            headless::dispatchMessages();
        }
    }

    void setParameter(FuzzedDataProvider& data) {
        const int32 index = data.ConsumeIntegralInRange(-1, 2);
        const float value =
            data.ConsumeBool() ? data.ConsumeProbability<float>() : hostileFloat(data);
        if ((index == TarvelEffect::kNcvolume || index == TarvelEffect::kIpvolume) &&
            !(value >= 0.0f && value <= 1.0f)) {
            ordinaryGains = false;
        }
        record->setParameter(record, index, value);
    }

    // Controller 1 through a short block, as from the audio path.
    void controller(FuzzedDataProvider& data) {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = data.ConsumeIntegralInRange(0, 15);
        event.midiData[0] = static_cast<char>(0xB0);
        event.midiData[1] = 1;
        event.midiData[2] = static_cast<char>(data.ConsumeIntegralInRange(0, 127));
        std::array<void*, 4> words{};
        auto* list = reinterpret_cast<VstEvents*>(words.data());
        list->numEvents = 1;
        list->events[0] = reinterpret_cast<VstEvent*>(&event);
        dispatch(effProcessEvents, 0, 0, list);
        std::array<float, 16> silence{}, left{}, right{};
        float* inputs[] = {silence.data(), silence.data()};
        float* outputs[] = {left.data(), right.data()};
        record->processReplacing(record, inputs, outputs, 16);
    }

    void hostCalls(FuzzedDataProvider& data) {
        switch (data.ConsumeIntegralInRange(0, 2)) {
        case 0:
            FUZZ_CHECK(dispatch(effSetEditKnobMode, 0, data.ConsumeIntegralInRange(-1, 3)) == 1);
            break;
        case 1: {
            ERect* rect = nullptr;
            FUZZ_CHECK(dispatch(effEditGetRect, 0, 0, &rect) == 1);
            FUZZ_CHECK(rect != nullptr && rect->right - rect->left == 268 &&
                       rect->bottom - rect->top == 107);
            break;
        }
        default:
            dispatch(effSetProgram, 0, 0);
            break;
        }
    }

private:
    VstWord dispatch(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
        return host.dispatch(opcode, index, value, ptr, opt);
    }

    // Automation carries a gain from 0 to 1 while the host has only set
    // such gains, and every edit bracket is closed with the parameter that
    // opened it.
    void checkEdit(const HostCall& call) {
        const bool parameterCall = call.opcode == audioMasterAutomate ||
                                   call.opcode == audioMasterBeginEdit ||
                                   call.opcode == audioMasterEndEdit;
        if (!parameterCall) {
            return;
        }
        FUZZ_CHECK(call.index == TarvelEffect::kNcvolume || call.index == TarvelEffect::kIpvolume);
        int& brackets = openBrackets[static_cast<std::size_t>(call.index)];
        if (call.opcode == audioMasterAutomate) {
            FUZZ_CHECK(!ordinaryGains || (call.opt >= 0.0f && call.opt <= 1.0f));
        } else if (call.opcode == audioMasterBeginEdit) {
            FUZZ_CHECK(brackets == 0);
            ++brackets;
        } else {
            FUZZ_CHECK(brackets == 1);
            --brackets;
        }
    }

    AudioEffect* effect() { return static_cast<AudioEffect*>(record->object); }

    platform::Window frameWindow() {
        auto* editor = static_cast<GuiEditor*>(effect()->editorOf());
        Frame* frame = editor != nullptr ? editor->getFrame() : nullptr;
        return frame != nullptr ? frame->getWindow() : nullptr;
    }

    PluginHost host;
    AEffect* record = nullptr;
    platform::Window parent = nullptr;
    int objectsBefore = 0;
    bool ordinaryGains = true; // the host has set no gain outside 0 to 1
    std::array<int, 2> openBrackets{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    EditorSession session;
    for (int step = 0; step < 64 && data.remaining_bytes() > 0; ++step) {
        switch (data.ConsumeIntegralInRange(0, 9)) {
        case 0:
        case 1:
            session.press(data);
            break;
        case 2:
            session.key(data);
            break;
        case 3:
            session.wheel(data);
            break;
        case 4:
            session.drop(data);
            break;
        case 5:
            session.idle(data);
            break;
        case 6:
            session.reopen(data);
            break;
        case 7:
            session.setParameter(data);
            break;
        case 8:
            session.controller(data);
            break;
        default:
            session.hostCalls(data);
            break;
        }
    }
    return 0;
}
