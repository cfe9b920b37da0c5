// The LV2 panel as a host holds it: the UI descriptor, a host window of the
// host's own display connection, and the features a host offers (parent,
// resize, touch), with every port write, touch and size request recorded.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "lv2_ports.h"
#include "platform/x11/x11.h"
#include "tarvel_lv2_ui.h"

namespace lv2_panel {

// Where the host's window, and so the panel, sits on the screen.
constexpr int kScreenX = 120;
constexpr int kScreenY = 80;
constexpr std::uint32_t kFloat = 0;

struct HostCall {
    enum Kind { Write, Grab, Release } kind;
    std::uint32_t port;
    float value;
};
bool operator==(const HostCall& a, const HostCall& b);
std::ostream& operator<<(std::ostream& out, const HostCall& call);

class PanelUiHost {
public:
    // The descriptor, the host's window and the idle interface: empty, or
    // what is missing.
    std::string start();
    // Cleans up the panel, if one is open, and destroys the host's window.
    void stop();

    // The parent as hosts pass it: the window id in the pointer.
    LV2_Feature parentFeature();
    LV2UI_Handle instantiate(std::vector<LV2_Feature> offered,
                             const char* plugin = tarvel_lv2::kPluginUri);
    // Parent, resize and touch: all the panel takes. False when refused.
    bool openPanel();
    bool idlePanel() { return idleInterface->idle(handle) == 0; }
    void portEvent(std::uint32_t port, float value, std::uint32_t format = kFloat);
    // What instantiate passes as the controller, for write.
    void* controller() { return this; }
    static void write(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size,
                      std::uint32_t format, const void* buffer);

    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    platform::Window host = nullptr;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
    std::vector<HostCall> calls;
    std::vector<std::pair<int, int>> sizes;

    static void touch(LV2UI_Feature_Handle self, std::uint32_t port, bool grabbed);
    static int resize(LV2UI_Feature_Handle self, int width, int height);
    LV2UI_Resize resizeFeature{this, resize};
    LV2UI_Touch touchFeature{this, touch};
};

} // namespace lv2_panel
