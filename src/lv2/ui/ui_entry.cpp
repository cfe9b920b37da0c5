// The UI library's one exported symbol, lv2ui_descriptor, and the
// descriptor's functions, each handing over to the UI instance.
#include <lv2/ui/ui.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "lv2_ports.h"
#include "tarvel_lv2_ui.h"

namespace {

using tarvel_lv2::TarvelLv2Ui;

TarvelLv2Ui* uiOf(LV2UI_Handle handle) {
    return static_cast<TarvelLv2Ui*>(handle);
}

// The UI has no log of the host's: its refusals go to standard error.
void refuse(const char* reason) {
    std::fprintf(stderr, "tarvel ui: %s\n", reason);
}

LV2UI_Handle instantiate(const LV2UI_Descriptor* /*descriptor*/, const char* pluginUri,
                         const char* /*bundlePath*/, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
    if (pluginUri == nullptr || std::strcmp(pluginUri, tarvel_lv2::kPluginUri) != 0) {
        refuse("not the UI of this plug-in");
        return nullptr;
    }
    tarvel_lv2::UiHost host;
    host.write = write;
    host.controller = controller;
    if (const char* reason = tarvel_lv2::readUiFeatures(features, host)) {
        refuse(reason);
        return nullptr;
    }
    auto* ui = new (std::nothrow) TarvelLv2Ui(host);
    if (ui == nullptr || !ui->open()) {
        delete ui;
        refuse("the panel could not be opened in the host's window");
        return nullptr;
    }
    if (widget != nullptr) {
        *widget = reinterpret_cast<LV2UI_Widget>(ui->windowId());
    }
    return ui;
}

void cleanup(LV2UI_Handle handle) {
    delete uiOf(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
    uiOf(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) {
    uiOf(handle)->idle();
    return 0;
}

const LV2UI_Idle_Interface kIdle = {idle};

uint32_t getOptions(LV2_Handle handle, LV2_Options_Option* options) {
    return uiOf(handle)->getOptions(options);
}

uint32_t setOptions(LV2_Handle handle, const LV2_Options_Option* options) {
    return uiOf(handle)->setOptions(options);
}

const LV2_Options_Interface kOptions = {getOptions, setOptions};

const void* extensionData(const char* uri) {
    if (uri == nullptr) {
        return nullptr;
    }
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) {
        return &kIdle;
    }
    return std::strcmp(uri, LV2_OPTIONS__interface) == 0 ? &kOptions : nullptr;
}

const LV2UI_Descriptor kDescriptor = {tarvel_lv2::kUiUri, instantiate, cleanup, portEvent,
                                      extensionData};

} // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
