#include "gui/controls/digit_display.h"

#include "gui/controls/stacked_images.h"

namespace {

int clampedCount(int count) {
    if (count < 1)
        return 1;
    return count > DigitDisplay::kMaxDigits ? DigitDisplay::kMaxDigits : count;
}

int powerOfTen(int exponent) {
    int p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= 10;
    return p;
}

} // namespace

DigitDisplay::DigitDisplay(const Rect& r, ControlListener* listener_, int tag_, int initialValue,
                           int count, const int* xPositions, const int* yPositions, int width,
                           int height, Bitmap* background_)
    : Control(r, listener_, tag_, background_), digitCount(clampedCount(count)), digitWidth(width),
      digitHeight(height) {
    value = static_cast<float>(initialValue);
    minValue = 0.0f;
    maxValue = static_cast<float>(powerOfTen(digitCount) - 1);
    for (int i = 0; i < digitCount; ++i) {
        x[i] = xPositions ? xPositions[i] : r.left + i * width;
        y[i] = yPositions ? yPositions[i] : r.top;
    }
}

DigitDisplay::~DigitDisplay() = default;

// Held to the bounds before the conversion, and to the largest number the
// digits hold, so no value (not a number included, which shows the
// minimum) overflows the conversion or asks for an eighth digit.
int DigitDisplay::shownNumber() const {
    const float largest = static_cast<float>(powerOfTen(digitCount) - 1);
    float shown = value;
    if (shown > maxValue)
        shown = maxValue;
    if (!(shown >= minValue))
        shown = minValue;
    if (shown > largest)
        shown = largest;
    if (!(shown >= 0.0f))
        shown = 0.0f;
    return static_cast<int>(shown);
}

int DigitDisplay::digitAt(int place) const {
    if (place < 0 || place >= digitCount)
        return 0;
    const int digit = shownNumber() / powerOfTen(digitCount - 1 - place) % 10;
    return digit < 9 ? digit : 9;
}

void DigitDisplay::draw(DrawContext* context) {
    for (int i = 0; i < digitCount; ++i) {
        const Rect place(x[i], y[i], x[i] + digitWidth, y[i] + digitHeight);
        drawPicture(background, context, place, Point(0, stackOffset(digitAt(i), digitHeight)),
                    transparent);
    }
    setDirty(false);
}

float DigitDisplay::getNormalizedValue() {
    if (!(maxValue > 0.0f))
        return 0.0f;
    const float normalized = value / maxValue;
    if (!(normalized >= 0.0f))
        return 0.0f;
    return normalized > 1.0f ? 1.0f : normalized;
}
