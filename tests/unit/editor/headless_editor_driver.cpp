// The editor scenarios on the editor linked into the test, on the headless
// backend: presses are posted to the frame's window with the states the
// slider's drag loop then polls scripted, the wheel is a window message and
// keys come as the host passes them, through effEditKeyDown.
#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "gui/handle_finder.h"
#include "gui/mouse_script.h"
#include "vst_editor_driver.h"

namespace editor_scenarios {
namespace {

// The host's window, and with it the editor's, sits at this screen corner.
constexpr int kScreenX = 100;
constexpr int kScreenY = 50;

int stateOf(int modifiers) {
    return ((modifiers & kShiftHeld) ? kShift : 0) | ((modifiers & kControlHeld) ? kControl : 0);
}

class HeadlessDriver : public VstEditorDriver {
public:
    HeadlessDriver() {
        new TarvelEditor(&effect); // the effect owns it
        pluginHost.attach(effect.getAeffect());
        headless::resetInput();
        parent = headless::createWindow(kScreenX, kScreenY, 400, 300);
    }
    ~HeadlessDriver() override {
        pluginHost.dispatch(effEditClose);
        headless::destroyWindow(parent);
        headless::resetInput();
    }

    std::string open() override {
        if (pluginHost.dispatch(effEditOpen, 0, 0, parent) != 1)
            return "effEditOpen answered 0";
        headless::dispatchMessages(); // the first paint of the whole window
        return "";
    }
    // A press the user holds a moment: the drag loop polls it once more.
    bool play(const Gesture& gesture) override { return playActions(gesture, true); }
    bool playAtOnce(const Gesture& gesture) override { return playActions(gesture, false); }
    void idle() override { pluginHost.dispatch(effEditIdle); }
    int handleLeft(int sliderTop) override {
        const std::vector<int> columns = handleColumns(*headless::surfaceOf(window()), sliderTop);
        return columns.size() == 1 ? columns[0] : -1;
    }

private:
    PluginHost& host() override { return pluginHost; }
    platform::Window window() {
        return static_cast<TarvelEditor*>(effect.editorOf())->getFrame()->getWindow();
    }

    bool playActions(const Gesture& gesture, bool holdPresses) {
        const std::vector<Action>& actions = gesture.actions();
        int x = 0;
        int y = 0;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const Action& action = actions[i];
            switch (action.kind) {
            case Action::moveTo:
                x = action.x;
                y = action.y;
                headless::input().pointer = {kScreenX + x, kScreenY + y};
                break;
            case Action::press: {
                const int held = kLButton | stateOf(action.modifiers);
                const int pressX = x;
                const int pressY = y;
                std::vector<MouseStep> steps{{x, y, held}};
                if (holdPresses)
                    steps.push_back({x, y, held});
                for (++i; i < actions.size() && actions[i].kind == Action::moveTo; ++i) {
                    x = actions[i].x;
                    y = actions[i].y;
                    steps.push_back({x, y, held});
                }
                if (i == actions.size() || actions[i].kind != Action::release)
                    return false; // only moves are played with the button down
                steps.push_back({x, y, 0});
                MouseScript script(Point(kScreenX, kScreenY), steps);
                headless::postButtonDown(window(), pressX, pressY);
                headless::dispatchMessages();
                break;
            }
            case Action::release:
                return false; // no press to end
            case Action::wheel:
                headless::sendWheel(window(), static_cast<float>(action.notches));
                break;
            case Action::keyStroke:
                passKey(action);
                break;
            }
        }
        headless::dispatchMessages();
        return true;
    }

    PluginHost pluginHost;
    TarvelEffect effect{PluginHost::callback()};
    platform::Window parent;
};

} // namespace

TARVEL_EDITOR_SCENARIOS(Headless, HeadlessDriver);

} // namespace editor_scenarios
