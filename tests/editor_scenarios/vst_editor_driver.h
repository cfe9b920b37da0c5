// What the three ways of reaching the VST 2.x editor share: the harness's
// host holds the instance, hears the edits as begin edit, automate and end
// edit calls, sets parameters through the setParameter entry, sends
// controller 1 in a processed block and can pass keys with effEditKeyDown.
#pragma once

#include "editor_driver.h"
#include "harness/plugin_host.h"
#include "harness/stereo_buffer.h"
#include "host/vst_opcodes.h"

namespace editor_scenarios {

class VstEditorDriver : public EditorDriver {
public:
    void setFromHost(int parameter, float value) override { host().setParameter(parameter, value); }
    void sendController1(int value) override {
        StereoBuffer input(kBlockFrames);
        StereoBuffer output(kBlockFrames);
        host().processBlock({MidiMessage{0, 0xB0, 1, static_cast<std::uint8_t>(value)}}, input,
                            output, ProcessMode::replacing);
    }
    // Keys as hosts pass them on from their own window.
    void passKey(const Action& key) {
        host().dispatch(effEditKeyDown, 0, vstKeyOf(key.key), nullptr,
                        (key.modifiers & kShiftHeld) ? static_cast<float>(MODIFIER_SHIFT) : 0.0f);
    }
    static int32 vstKeyOf(Key key) {
        static const int32 keys[] = {VKEY_UP, VKEY_DOWN, VKEY_LEFT, VKEY_RIGHT};
        return keys[static_cast<int>(key)];
    }
    float parameter(int index) override { return host().getParameter(index); }
    std::vector<Edit> takeEdits() override {
        std::vector<Edit> edits;
        for (const HostCall& call : host().takeCalls()) {
            if (call.opcode == audioMasterBeginEdit)
                edits.push_back({Edit::begin, call.index});
            else if (call.opcode == audioMasterAutomate)
                edits.push_back({Edit::change, call.index, call.opt});
            else if (call.opcode == audioMasterEndEdit)
                edits.push_back({Edit::end, call.index});
        }
        return edits;
    }

protected:
    static constexpr int32 kBlockFrames = 512;
    virtual PluginHost& host() = 0;
};

} // namespace editor_scenarios
