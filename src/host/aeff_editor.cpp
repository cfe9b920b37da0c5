#include "host/aeff_editor.h"

AEffEditor::AEffEditor(AudioEffect* effect_)
    : effect(effect_), systemWindow(nullptr), updateFlag(0) {}

AEffEditor::~AEffEditor() = default;

int32 AEffEditor::getRect(ERect** rect) {
    if (rect != nullptr) {
        *rect = nullptr;
    }
    return 0;
}

int32 AEffEditor::open(void* parent) {
    systemWindow = parent;
    return 0;
}

void AEffEditor::close() {}

// The flag is set after the new value is stored and taken before the value is
// read: an idle that sees the flag also sees the value it announces.
void AEffEditor::idle() {
    if (updateFlag.exchange(0, std::memory_order_acquire) != 0) {
        update();
    }
}

void AEffEditor::update() {}

void AEffEditor::postUpdate() {
    updateFlag.store(1, std::memory_order_release);
}

int32 AEffEditor::onKeyDown(VstKeyCode& /*keyCode*/) {
    return -1;
}

int32 AEffEditor::onKeyUp(VstKeyCode& /*keyCode*/) {
    return -1;
}

int32 AEffEditor::setKnobMode(int32 /*mode*/) {
    return 0;
}

bool AEffEditor::onWheel(float /*distance*/) {
    return false;
}
