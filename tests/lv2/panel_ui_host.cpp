#include "panel_ui_host.h"

#include <gtest/gtest.h>

namespace lv2_panel {

bool operator==(const HostCall& a, const HostCall& b) {
    return a.kind == b.kind && a.port == b.port && a.value == b.value;
}

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
    static const char* const kinds[] = {"write", "grab", "release"};
    return out << kinds[call.kind] << " port " << call.port << " " << call.value;
}

std::string PanelUiHost::start() {
    descriptor = lv2ui_descriptor(0);
    if (descriptor == nullptr)
        return "no UI descriptor";
    host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
    if (host == nullptr)
        return "no X display";
    idleInterface =
        static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
    return idleInterface != nullptr ? "" : "no idle interface";
}

void PanelUiHost::stop() {
    if (handle)
        descriptor->cleanup(handle);
    handle = nullptr;
    if (host)
        x11::destroyHostWindow(host);
    host = nullptr;
}

void PanelUiHost::write(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size,
                        std::uint32_t format, const void* buffer) {
    ASSERT_EQ(size, sizeof(float));
    ASSERT_EQ(format, kFloat);
    static_cast<PanelUiHost*>(controller)
        ->calls.push_back({HostCall::Write, port, *static_cast<const float*>(buffer)});
}

void PanelUiHost::touch(LV2UI_Feature_Handle self, std::uint32_t port, bool grabbed) {
    static_cast<PanelUiHost*>(self)->calls.push_back(
        {grabbed ? HostCall::Grab : HostCall::Release, port, 0.0f});
}

int PanelUiHost::resize(LV2UI_Feature_Handle self, int width, int height) {
    static_cast<PanelUiHost*>(self)->sizes.push_back({width, height});
    return 0;
}

LV2_Feature PanelUiHost::parentFeature() {
    return {LV2_UI__parent, reinterpret_cast<void*>(std::uintptr_t{x11::windowId(host)})};
}

LV2UI_Handle PanelUiHost::instantiate(std::vector<LV2_Feature> offered, const char* plugin) {
    std::vector<const LV2_Feature*> list;
    for (const LV2_Feature& f : offered)
        list.push_back(&f);
    list.push_back(nullptr);
    return descriptor->instantiate(descriptor, plugin, "", write, controller(), &widget,
                                   list.data());
}

bool PanelUiHost::openPanel() {
    handle = instantiate(
        {parentFeature(), {LV2_UI__resize, &resizeFeature}, {LV2_UI__touch, &touchFeature}});
    return handle != nullptr;
}

void PanelUiHost::portEvent(std::uint32_t port, float value, std::uint32_t format) {
    descriptor->port_event(handle, port, sizeof value, format, &value);
}

} // namespace lv2_panel
