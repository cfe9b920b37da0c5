// The editor scenarios on libtarvel-vst.so's editor in a host's X11 window:
// real pointer and key input through the X server (xdotool), the editor's
// events handled in the host's idle calls alone, the handles read back from
// the server.
#include "gesture_input.h"
#include "library_fixture.h"
#include "panel_watch.h"
#include "real_input.h"
#include "vst_editor_driver.h"

namespace editor_scenarios {
namespace {

class LibraryEditorDriver : public VstEditorDriver {
public:
    ~LibraryEditorDriver() override {
        if (opened)
            library.dispatch(effEditClose);
        library.stop();
    }

    std::string open() override {
        const std::string problem = library.start();
        if (!problem.empty())
            return problem;
        if (library.dispatch(effEditOpen, library.parentId()) != 1)
            return "effEditOpen answered 0";
        opened = true;
        // Mapped, exposed and painted before any input, the pointer away.
        if (!playInput({"mousemove", std::to_string(kScreenX + 300), std::to_string(kScreenY + 200),
                        "sleep", "0.2"},
                       pump()))
            return "xdotool failed";
        const raster::Surface shot = x11::captureWindow(library.host);
        upper.learn(shot, panel_watch::kUpperTop);
        lower.learn(shot, panel_watch::kLowerTop);
        return "";
    }
    bool play(const Gesture& gesture) override {
        return playGesture(gesture, kScreenX, kScreenY, pump());
    }
    bool playAtOnce(const Gesture& gesture) override {
        return playGestureAtOnce(gesture, kScreenX, kScreenY, pump());
    }
    void idle() override { library.dispatch(effEditIdle); }
    int handleLeft(int sliderTop) override {
        const panel_watch::HandleWatch& watch = sliderTop == panel_watch::kUpperTop ? upper : lower;
        return watch.handleLeft(x11::captureWindow(library.host), sliderTop);
    }

private:
    PluginHost& host() override { return library.pluginHost; }
    std::function<void()> pump() {
        return [this] { idle(); };
    }

    LibraryInHost library;
    bool opened = false;
    panel_watch::HandleWatch upper;
    panel_watch::HandleWatch lower;
};

} // namespace

TARVEL_EDITOR_SCENARIOS(X11Library, LibraryEditorDriver);

} // namespace editor_scenarios
