#include "tarvel_lv2_ui.h"

#include <cstring>
#include <new>

#include "control_follower.h"
#include "editor/tarvel_panel.h"
#include "gui/frame.h"
#include "lv2_ports.h"
#include "platform/x11/x11.h"

namespace tarvel_lv2 {

namespace {

// The editor's parameter indices: the replayed cycle's gain, the live input's.
constexpr int32 kNcvolumeIndex = 0;
constexpr int32 kIpvolumeIndex = 1;

// The control port of each of the effect's parameters, and back.
int32 parameterOfPort(std::uint32_t port) {
    switch (port) {
    case kNcvolume:
        return kNcvolumeIndex;
    case kIpvolume:
        return kIpvolumeIndex;
    default:
        return -1;
    }
}

std::uint32_t portOfParameter(int32 index) {
    return index == kNcvolumeIndex ? kNcvolume : kIpvolume;
}

bool isParameter(int32 index) {
    return index == kNcvolumeIndex || index == kIpvolumeIndex;
}

// The control ports carry floats (LV2's format 0).
constexpr std::uint32_t kFloatFormat = 0;

} // namespace

TarvelLv2Ui::TarvelLv2Ui(const UiHost& host) : host_(host) {
    editor_ = new (std::nothrow) TarvelPanel(this, *this);
}

TarvelLv2Ui::~TarvelLv2Ui() {
    delete editor_;
}

bool TarvelLv2Ui::open() {
    if (editor_ == nullptr) {
        return false;
    }
    // The host's scale stands for the display's from the first size on.
    if (host_.scaleFactor != 0.0 && editor_->setHostScale(host_.scaleFactor)) {
        scaleFactor = static_cast<float>(host_.scaleFactor);
    }
    auto* parent = reinterpret_cast<void*>(host_.parent);
    if (!editor_->open(parent)) {
        return false;
    }
    requestSize(editor_->width(), editor_->height());
    return true;
}

std::uintptr_t TarvelLv2Ui::windowId() const {
    Frame* frame = editor_ != nullptr ? editor_->getFrame() : nullptr;
    return frame != nullptr ? x11::windowId(frame->getWindow()) : 0;
}

// Sets the value without writing back: the host already has it.
void TarvelLv2Ui::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                            const void* buffer) {
    const int32 index = parameterOfPort(port);
    if (index < 0 || format != kFloatFormat || size != sizeof(float) || buffer == nullptr) {
        return;
    }
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof value);
    float gain = 0.0f;
    if (gainFromPort(value, gain)) {
        values[index] = gain;
        if (editor_ != nullptr) {
            editor_->parameterChanged(index);
        }
    }
}

void TarvelLv2Ui::idle() {
    if (editor_ != nullptr) {
        editor_->idle();
    }
}

std::uint32_t TarvelLv2Ui::setOptions(const LV2_Options_Option* options) {
    std::uint32_t status = LV2_OPTIONS_SUCCESS;
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        if (o->key != host_.scaleKeys.scaleFactor) {
            status |= LV2_OPTIONS_ERR_BAD_KEY;
            continue;
        }
        double factor = 0.0;
        if (!readScaleFactor(*o, host_.scaleKeys, factor) || editor_ == nullptr ||
            !editor_->setHostScale(factor)) {
            status |= LV2_OPTIONS_ERR_BAD_VALUE;
            continue;
        }
        scaleFactor = static_cast<float>(factor);
    }
    return status;
}

std::uint32_t TarvelLv2Ui::getOptions(LV2_Options_Option* options) {
    std::uint32_t status = LV2_OPTIONS_SUCCESS;
    for (LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        if (o->context != LV2_OPTIONS_INSTANCE || o->key != host_.scaleKeys.scaleFactor) {
            status |= LV2_OPTIONS_ERR_BAD_KEY;
            continue;
        }
        o->size = sizeof scaleFactor;
        o->type = host_.scaleKeys.atomFloat;
        o->value = &scaleFactor;
    }
    return status;
}

float TarvelLv2Ui::value(int32 index) {
    return isParameter(index) ? values[index] : 0.0f;
}

void TarvelLv2Ui::beginEdit(int32 index) {
    touchParameter(index, true);
}

// The value is the UI's at once (the sliders follow it at the next idle);
// the host hears of it as a write to the port.
void TarvelLv2Ui::adjust(int32 index, float value) {
    if (!isParameter(index)) {
        return;
    }
    values[index] = value;
    if (editor_ != nullptr) {
        editor_->parameterChanged(index);
    }
    host_.write(host_.controller, portOfParameter(index), sizeof value, kFloatFormat, &value);
}

bool TarvelLv2Ui::endEdit(int32 index) {
    return touchParameter(index, false);
}

void TarvelLv2Ui::idleDuringDrag() {
    if (editor_ != nullptr) {
        editor_->throttledIdle();
    }
}

// The host answers 0 when it took the size.
bool TarvelLv2Ui::requestSize(int width, int height) {
    return host_.resize != nullptr &&
           host_.resize->ui_resize(host_.resize->handle, width, height) == 0;
}

bool TarvelLv2Ui::touchParameter(int32 index, bool grabbed) {
    if (!isParameter(index) || host_.touch == nullptr) {
        return false;
    }
    host_.touch->touch(host_.touch->handle, portOfParameter(index), grabbed);
    return true;
}

} // namespace tarvel_lv2
