#include "editor/gui_editor.h"

#include "editor/idle_throttle.h"
#include "gui/frame.h"
#include "gui/key_code.h"
#include "host/audio_effect_x.h"
#include "platform/drop.h"
#include "platform/system.h"
#include "platform/window.h"

int32 GuiEditor::knobMode = 0;

GuiEditor::GuiEditor(AudioEffect* owner) : AEffEditor(owner), nextIdleTicks(platform::tickCount()) {
    if (effect)
        effect->setEditor(this);
    platform::oleInitialize();
}

GuiEditor::~GuiEditor() {
    // An editor destroyed while still open takes its window down with it, so
    // no window is left whose frame points at freed objects.
    delete frame;
    frame = nullptr;
    platform::oleUninitialize();
    // An effect that outlives its editor must not keep pointing at it.
    if (effect && effect->editorOf() == this)
        effect->setEditor(nullptr);
}

int32 GuiEditor::getRect(ERect** out) {
    if (out)
        *out = &rect;
    return 1;
}

int32 GuiEditor::open(void* parent) {
    postUpdate();
    systemWindow = parent;
    return 0;
}

void GuiEditor::idle() {
    // The host may call the editor's idle from inside the idle call
    // processIdle makes of it.
    if (inProcessIdle)
        return;
    AEffEditor::idle();
    if (frame)
        frame->idle();
}

namespace {

// The host's key record in the toolkit's terms: the same character and
// modifiers, the arrow keys under the toolkit's names, other keys as they come.
KeyCode toolkitKey(const VstKeyCode& key) {
    KeyCode converted;
    converted.character = key.character;
    switch (key.virt) {
    case VKEY_LEFT:
        converted.virt = kKeyLeft;
        break;
    case VKEY_UP:
        converted.virt = kKeyUp;
        break;
    case VKEY_RIGHT:
        converted.virt = kKeyRight;
        break;
    case VKEY_DOWN:
        converted.virt = kKeyDown;
        break;
    default:
        converted.virt = key.virt;
        break;
    }
    converted.modifier = (key.modifier & MODIFIER_SHIFT) != 0 ? kModifierShift : 0;
    return converted;
}

} // namespace

int32 GuiEditor::onKeyDown(VstKeyCode& key) {
    if (!frame)
        return -1;
    KeyCode converted = toolkitKey(key);
    return frame->onKeyDown(converted);
}

int32 GuiEditor::onKeyUp(VstKeyCode& key) {
    if (!frame)
        return -1;
    KeyCode converted = toolkitKey(key);
    return frame->onKeyUp(converted);
}

int32 GuiEditor::setKnobMode(int32 mode) {
    knobMode = mode;
    return 1;
}

bool GuiEditor::onWheel(float distance) {
    if (!frame)
        return false;
    Point where(0, 0);
    return frame->onWheel(nullptr, where, distance);
}

void GuiEditor::setParameter(int32, float) {
    postUpdate();
}

void GuiEditor::drawAll(ERect*) {
    if (frame)
        frame->drawView(nullptr);
}

// Called in a control's drag loop; idle_throttle says when the full idle
// work is due.
void GuiEditor::processIdle() {
    std::uint32_t now = 0;
    if (!idle_throttle::due(nextIdleTicks, now))
        return;
    idle();
    platform::dispatchPendingPaint();
    nextIdleTicks = now + idle_throttle::kIntervalMs;
    inProcessIdle = true;
    if (effect)
        effect->masterIdle();
    inProcessIdle = false;
}

// The frame reaches the effect's host calls through these; the effect is an
// AudioEffectX in every editor of this system.
void GuiEditor::beginEdit(int index) {
    if (effect)
        static_cast<AudioEffectX*>(effect)->beginEdit(index);
}

bool GuiEditor::endEdit(int index) {
    return effect && static_cast<AudioEffectX*>(effect)->endEdit(index);
}

bool GuiEditor::sizeHostWindow(int width, int height) {
    if (!effect)
        return false;
    auto* host = static_cast<AudioEffectX*>(effect);
    char sizeWindow[] = "sizeWindow";
    return host->canHostDo(sizeWindow) && host->sizeWindow(width, height);
}

void* GuiEditor::openHostWindow(VstWindowRecord* record) {
    return effect ? static_cast<AudioEffectX*>(effect)->openWindow(record) : nullptr;
}

void GuiEditor::closeHostWindow(VstWindowRecord* record) {
    if (effect)
        static_cast<AudioEffectX*>(effect)->closeWindow(record);
}

int GuiEditor::getKnobMode() {
    return knobMode;
}
