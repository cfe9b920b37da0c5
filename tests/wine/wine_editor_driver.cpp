// The editor scenarios on TARVEL.dll's editor in a host window under Wine:
// pointer input is real, played through the window system by the harness's
// input player while this thread pumps messages and gives idle time. Keys
// are passed with effEditKeyDown, as Windows hosts pass on the keys their
// own window takes.
#include <windows.h>

#include "dll_under_test.h"
#include "harness/editor_window.h"
#include "panel_pictures.h"
#include "vst_editor_driver.h"

namespace editor_scenarios {
namespace {

class WineDriver : public VstEditorDriver {
public:
    WineDriver() : editor(dll.host), pictures(loadPanelPictures(dllPath())) {}

    std::string open() override {
        if (!dll.error.empty())
            return dll.error;
        if (!pictures.loaded())
            return "cannot read the pictures of " + dllPath();
        dll.host.open();
        dll.host.setSampleRate(44100.0f);
        dll.host.setBlockSize(kBlockFrames);
        dll.host.resume();
        if (!editor.open())
            return editor.error();
        return "";
    }
    bool can(Need need) const override { return need != Need::modifiersThroughAMove; }
    bool play(const Gesture& gesture) override { return playActions(gesture, true); }
    // The input thread plays its steps a little apart while this thread
    // pumps: a click made at once is a press and a release without a pause.
    bool playAtOnce(const Gesture& gesture) override { return playActions(gesture, false); }
    void idle() override { editor.idle(); }
    int handleLeft(int sliderTop) override {
        return handleLeftEdge(editor.screenshot(), pictures, sliderTop);
    }

private:
    PluginHost& host() override { return dll.host; }

    static void keys(InputScript& script, int modifiers, bool down) {
        const int virtualKeys[] = {VK_SHIFT, VK_CONTROL};
        const int bits[] = {kShiftHeld, kControlHeld};
        for (int i = 0; i < 2; ++i) {
            if ((modifiers & bits[i]) && down)
                script.keyDown(virtualKeys[i]);
            else if (modifiers & bits[i])
                script.keyUp(virtualKeys[i]);
        }
    }

    bool playActions(const Gesture& gesture, bool holdPresses) {
        InputScript script;
        bool pending = false;
        int held = kNoModifier;
        for (const Action& action : gesture.actions()) {
            switch (action.kind) {
            case Action::moveTo:
                script.moveTo(editor.toScreen(action.x, action.y));
                break;
            case Action::press:
                // The modifiers after the move: a move re-reads them (see
                // the input player).
                held = action.modifiers;
                keys(script, held, true);
                script.pressLeft();
                if (holdPresses)
                    script.pause(kInputStepPause);
                break;
            case Action::release:
                script.releaseLeft();
                keys(script, held, false);
                held = kNoModifier;
                break;
            case Action::wheel:
                script.wheel(action.notches);
                break;
            case Action::keyStroke:
                if (pending && !editor.play(script))
                    return false;
                script = InputScript();
                pending = false;
                passKey(action);
                continue;
            }
            pending = true;
        }
        return !pending || editor.play(script);
    }

    DllInstance dll;
    EditorWindow editor;
    PanelPictures pictures;
};

} // namespace

TARVEL_EDITOR_SCENARIOS(Wine, WineDriver);

} // namespace editor_scenarios
