#include "TarvelLv2Ui.h"

#include <cstring>
#include <new>

#include "control_follower.h"
#include "editor/TarvelEditor.h"
#include "gui/frame.h"
#include "host/vst_opcodes.h"
#include "lv2_ports.h"
#include "platform/x11/x11.h"

namespace tarvel_lv2 {

namespace {

// The control port of each of the effect's parameters, and back.
int32 parameterOfPort(std::uint32_t port) {
    switch (port) {
    case kNcvolume:
        return TarvelEffect::kNcvolume;
    case kIpvolume:
        return TarvelEffect::kIpvolume;
    default:
        return -1;
    }
}

std::uint32_t portOfParameter(int32 index) {
    return index == TarvelEffect::kNcvolume ? kNcvolume : kIpvolume;
}

bool isParameter(int32 index) {
    return index == TarvelEffect::kNcvolume || index == TarvelEffect::kIpvolume;
}

// The control ports carry floats (LV2's format 0).
constexpr std::uint32_t kFloatFormat = 0;

} // namespace

TarvelLv2Ui::TarvelLv2Ui(const UiHost& host) : host_(host) {
    model_.reset(new (std::nothrow) TarvelEffect(&hostCallback));
    if (model_ == nullptr) {
        return;
    }
    model_->getAeffect()->user = this;
    // The model owns the editor, which registers itself with it.
    editor_ = new (std::nothrow) TarvelEditor(model_.get());
}

TarvelLv2Ui::~TarvelLv2Ui() {
    if (model_ != nullptr) {
        model_->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
}

bool TarvelLv2Ui::open() {
    if (editor_ == nullptr) {
        return false;
    }
    auto* parent = reinterpret_cast<void*>(host_.parent);
    if (model_->dispatcher(effEditOpen, 0, 0, parent, 0.0f) == 0 ||
        editor_->getFrame() == nullptr || editor_->getFrame()->getWindow() == nullptr) {
        model_->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        return false;
    }
    ERect* rect = nullptr;
    if (host_.resize != nullptr && editor_->getRect(&rect) != 0 && rect != nullptr) {
        host_.resize->ui_resize(host_.resize->handle, rect->right - rect->left,
                                rect->bottom - rect->top);
    }
    return true;
}

std::uintptr_t TarvelLv2Ui::windowId() const {
    Frame* frame = editor_ != nullptr ? editor_->getFrame() : nullptr;
    return frame != nullptr ? x11::windowId(frame->getWindow()) : 0;
}

// Sets the model without writing back: the host already has the value.
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
        model_->setParameter(index, gain);
    }
}

void TarvelLv2Ui::idle() {
    model_->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
}

void TarvelLv2Ui::writeParameter(int32 index, float value) {
    host_.write(host_.controller, portOfParameter(index), sizeof value, kFloatFormat, &value);
}

void TarvelLv2Ui::touchParameter(int32 index, bool grabbed) {
    host_.touch->touch(host_.touch->handle, portOfParameter(index), grabbed);
}

VstWord VSTCALL TarvelLv2Ui::hostCallback(AEffect* effect, int32 opcode, int32 index,
                                          VstWord /*value*/, void* /*ptr*/, float opt) {
    auto* self = effect != nullptr ? static_cast<TarvelLv2Ui*>(effect->user) : nullptr;
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
        if (self == nullptr || !isParameter(index)) {
            return 0;
        }
        self->writeParameter(index, opt);
        return 1;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (self == nullptr || !isParameter(index) || self->host_.touch == nullptr) {
            return 0;
        }
        self->touchParameter(index, opcode == audioMasterBeginEdit);
        return 1;
    default:
        return 0;
    }
}

} // namespace tarvel_lv2
