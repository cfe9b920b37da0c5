#include "editor/GuiEditor.h"

#include "gui/frame.h"
#include "host/AudioEffect.h"
#include "platform/drop.h"
#include "platform/system.h"
#include "platform/window.h"

int32 GuiEditor::knobMode = 0;

namespace {

// processIdle, called in a control's drag loop, runs the full idle work
// (redraw, one paint, the host's idle) every kIdleIntervalMs at most, but as
// early as kEarlyRunMs before that; every call in between sleeps
// kThrottleSleepMs instead of spinning, so a loop sees a run about every 50 ms.
constexpr std::int32_t kIdleIntervalMs = 100;
constexpr std::int32_t kEarlyRunMs = 50;
constexpr std::int32_t kThrottleSleepMs = 4;

} // namespace

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
    std::uint32_t now = platform::tickCount();
    // Signed distance to the next run: the 32-bit millisecond count wraps
    // every 49.7 days, and a plain comparison would then throttle (or stop
    // throttling) until it comes round again.
    std::int32_t untilDue = static_cast<std::int32_t>(nextIdleTicks - now);
    if (untilDue > 0) {
        platform::sleep(kThrottleSleepMs);
        now += kThrottleSleepMs;
        untilDue -= kThrottleSleepMs;
        if (untilDue > kEarlyRunMs)
            return;
    }
    idle();
    platform::dispatchPendingPaint();
    nextIdleTicks = now + kIdleIntervalMs;
    inProcessIdle = true;
    if (effect)
        effect->masterIdle();
    inProcessIdle = false;
}
