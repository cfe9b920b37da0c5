#include "editor/GuiEditor.h"

#include "gui/frame.h"
#include "host/AudioEffect.h"
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

int32 GuiEditor::onKeyDown(VstKeyCode& key) {
    return frame ? frame->onKeyDown(key) : -1;
}

int32 GuiEditor::onKeyUp(VstKeyCode& key) {
    return frame ? frame->onKeyUp(key) : -1;
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

void GuiEditor::processIdle() {
    // Unsigned millisecond ticks throughout.
    std::uint32_t now = platform::tickCount();
    if (now < nextIdleTicks) {
        platform::sleep(4);
        now += 4;
        if (now < nextIdleTicks - 50)
            return;
    }
    idle();
    platform::dispatchPendingPaint();
    nextIdleTicks = now + 100;
    inProcessIdle = true;
    if (effect)
        effect->masterIdle();
    inProcessIdle = false;
}
