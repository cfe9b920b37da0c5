// The editor scenarios on the LV2 panel in a host's X11 window: real input
// through the X server, the panel's events handled in the host's idle
// calls, its edits heard as touch grabs, port writes and touch releases.
// The host's value of a parameter is the last one written or sent to the
// panel's port (both ports start at their default, 1).
#include "editor_driver.h"
#include "gesture_input.h"
#include "panel_ui_host.h"
#include "panel_watch.h"
#include "real_input.h"

namespace editor_scenarios {
namespace {

using lv2_panel::HostCall;

class PanelDriver : public EditorDriver {
public:
    ~PanelDriver() override { panel.stop(); }

    std::string open() override {
        const std::string problem = panel.start();
        if (!problem.empty())
            return problem;
        if (!panel.openPanel())
            return "instantiate refused";
        if (!playInput({"mousemove", std::to_string(lv2_panel::kScreenX + 300),
                        std::to_string(lv2_panel::kScreenY + 200), "sleep", "0.2"},
                       pump()))
            return "xdotool failed";
        const raster::Surface shot = x11::captureWindow(panel.host);
        upper.learn(shot, panel_watch::kUpperTop);
        lower.learn(shot, panel_watch::kLowerTop);
        return "";
    }
    bool can(Need need) const override { return need != Need::controller; }
    bool play(const Gesture& gesture) override {
        return playGesture(gesture, lv2_panel::kScreenX, lv2_panel::kScreenY, pump());
    }
    bool playAtOnce(const Gesture& gesture) override {
        return playGestureAtOnce(gesture, lv2_panel::kScreenX, lv2_panel::kScreenY, pump());
    }
    void idle() override { panel.idlePanel(); }
    void setFromHost(int parameter, float value) override {
        values[parameter] = value;
        panel.portEvent(portOf(parameter), value);
    }
    void sendController1(int) override {}
    float parameter(int index) override {
        float value = values[index];
        for (const HostCall& call : panel.calls)
            if (call.kind == HostCall::Write && call.port == portOf(index))
                value = call.value;
        return value;
    }
    std::vector<Edit> takeEdits() override {
        for (int index = 0; index < 2; ++index)
            values[index] = parameter(index);
        std::vector<Edit> edits;
        static const Edit::Kind kinds[] = {Edit::change, Edit::begin, Edit::end};
        for (const HostCall& call : panel.calls)
            edits.push_back(
                {kinds[call.kind], call.port == tarvel_lv2::kNcvolume ? 0 : 1, call.value});
        panel.calls.clear();
        return edits;
    }
    int handleLeft(int sliderTop) override {
        const panel_watch::HandleWatch& watch = sliderTop == panel_watch::kUpperTop ? upper : lower;
        return watch.handleLeft(x11::captureWindow(panel.host), sliderTop);
    }

private:
    static std::uint32_t portOf(int parameter) {
        return parameter == 0 ? tarvel_lv2::kNcvolume : tarvel_lv2::kIpvolume;
    }
    std::function<void()> pump() {
        return [this] { idle(); };
    }

    lv2_panel::PanelUiHost panel;
    float values[2] = {1.0f, 1.0f};
    panel_watch::HandleWatch upper;
    panel_watch::HandleWatch lower;
};

} // namespace

TARVEL_EDITOR_SCENARIOS(Lv2Panel, PanelDriver);

} // namespace editor_scenarios
