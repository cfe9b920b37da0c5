#include "gui/control.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "platform/system.h"

namespace {

// Two clicks closer than this always count as a double click, whatever
// shorter interval the system reports.
constexpr std::int32_t kShortestDoubleClickTime = 250;

std::int32_t systemDoubleClickTime() {
    const std::uint32_t reported = platform::doubleClickTime();
    if (reported < static_cast<std::uint32_t>(kShortestDoubleClickTime))
        return kShortestDoubleClickTime;
    if (reported > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(reported);
}

} // namespace

Control::Control(const Rect& r, ControlListener* listener_, int tag_, Bitmap* background_)
    : View(r), listener(listener_), tag(tag_), doubleClickTime(systemDoubleClickTime()),
      background(background_) {
    if (background)
        background->retain();
}

Control::~Control() {
    if (background)
        background->release();
}

// Dirty while the value differs from the one last drawn, or when asked to be.
bool Control::isDirty() {
    return oldValue != value || View::isDirty();
}

void Control::setDirty(bool on) {
    View::setDirty(on);
    if (on)
        oldValue = value == -1.0f ? 0.0f : -1.0f;
    else
        oldValue = value;
}

void Control::processIdle() {
    if (frame)
        frame->processIdle();
}

void Control::setValue(float newValue) {
    value = newValue;
}
float Control::getValue() {
    return value;
}
void Control::setMin(float newMin) {
    minValue = newMin;
}
float Control::getMin() {
    return minValue;
}
void Control::setMax(float newMax) {
    maxValue = newMax;
}
float Control::getMax() {
    return maxValue;
}
void Control::setOldValue(float newOldValue) {
    oldValue = newOldValue;
}
float Control::getOldValue() {
    return oldValue;
}
void Control::setDefaultValue(float newDefault) {
    defaultValue = newDefault;
}
float Control::getDefaultValue() {
    return defaultValue;
}
void Control::setTag(int newTag) {
    tag = newTag;
}

void Control::setBackground(Bitmap* bitmap) {
    // Retained before the old one goes, so setting the same picture again keeps it.
    if (bitmap)
        bitmap->retain();
    if (background)
        background->release();
    background = bitmap;
}

Bitmap* Control::getBackground() {
    return background;
}

void Control::setBackgroundOffset(const Point& offset) {
    backgroundOffset = offset;
}

void Control::resetBackgroundOffset() {
    backgroundOffset = Point(bounds.left, bounds.top);
}

void Control::setWheelStep(float step) {
    wheelStep = step;
}
float Control::getWheelStep() {
    return wheelStep;
}

void Control::clampValue() {
    if (value > maxValue)
        value = maxValue;
    else if (value < minValue)
        value = minValue;
    else if (std::isnan(value))
        value = minValue;
}

bool Control::isDoubleClick() {
    const std::uint32_t now = frame ? frame->getTicks() : 0;
    // The tick count and the sum are taken as 32-bit signed values that wrap,
    // as the platform's millisecond counter does.
    const auto deadline = static_cast<std::int32_t>(static_cast<std::uint32_t>(lastClickTime) +
                                                    static_cast<std::uint32_t>(doubleClickTime));
    if (lastClickTime > 0 && deadline > static_cast<std::int32_t>(now)) {
        lastClickTime = 0;
        return true;
    }
    lastClickTime = static_cast<std::int32_t>(now);
    return false;
}

void Control::notifyIfDirty(DrawContext* context) {
    if (listener && isDirty())
        listener->valueChanged(context, this);
}

void Control::takeInputValue(float newValue, DrawContext* context) {
    value = newValue;
    clampValue();
    notifyIfDirty(context);
}

namespace {
// Shift makes the wheel and the arrow keys move a tenth as far.
constexpr float kFineStepScale = 0.1f;
// Left button and Ctrl, nothing else: restore the default value.
constexpr int kDefaultValueGesture = kLButton | kControl;
} // namespace

int Control::dragStartState(DrawContext* context) {
    if (!mouseEnabled || !context)
        return 0;
    const int state = context->getMouseButtons();
    if (state == kDefaultValueGesture) {
        value = getDefaultValue();
        notifyIfDirty(context);
        return 0;
    }
    return (state & kLButton) != 0 ? state : 0;
}

bool Control::stepByWheel(DrawContext* context, float distance) {
    if (!mouseEnabled)
        return false;
    const int state = context ? context->getMouseButtons() : 0;
    const float scale = (state & kShift) != 0 ? kFineStepScale : 1.0f;
    takeInputValue(value + distance * wheelStep * scale, context);
    return true;
}

// The direction is in value terms, whichever end value 0 is drawn at.
int Control::stepByArrowKey(const KeyCode& key) {
    float direction = 0.0f;
    switch (key.virt) {
    case kKeyLeft:
    case kKeyDown:
        direction = -1.0f;
        break;
    case kKeyUp:
    case kKeyRight:
        direction = 1.0f;
        break;
    default:
        return -1;
    }
    const float scale = (key.modifier & kModifierShift) != 0 ? kFineStepScale : 1.0f;
    takeInputValue(value + direction * wheelStep * scale, nullptr);
    return 1;
}
