// The frame's window geometry and the pointer shape over it.
#include <cstdlib>
#include <cstring>

#include "gui/frame.h"
#include "gui/frame_owner.h"
#include "gui/scale.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {
// A parent this much larger than the frame is no longer the frame's own frame.
constexpr int kOuterSlack = 60;
// Window decorations are never wider than this.
constexpr int kMaxDecoration = 80;

int widthOf(const platform::DeviceRect& r) {
    return r.right - r.left;
}
int heightOf(const platform::DeviceRect& r) {
    return r.bottom - r.top;
}

bool isMdiClient(platform::Window window) {
    char name[32];
    platform::windowClassName(window, name, sizeof name);
    return std::strcmp(name, "MDIClient") == 0;
}
} // namespace

void Frame::setCursor(int type) {
    if (!defaultCursorSaved) {
        defaultCursor = platform::currentCursor();
        defaultCursorSaved = true;
    }
    platform::SystemCursor shape;
    switch (type) {
    case cursorDefault:
        platform::setCursor(defaultCursor);
        return;
    case cursorWait:
        shape = platform::kCursorWait;
        break;
    case cursorHSize:
        shape = platform::kCursorSizeWE;
        break;
    case cursorVSize:
        shape = platform::kCursorSizeNS;
        break;
    case cursorSizeAll:
        shape = platform::kCursorSizeAll;
        break;
    case cursorNESW:
        shape = platform::kCursorSizeNESW;
        break;
    case cursorNWSE:
        shape = platform::kCursorSizeNWSE;
        break;
    default:
        return;
    }
    platform::setCursor(platform::systemCursor(shape));
}

platform::Window Frame::findOuterWindow() {
    platform::DeviceRect frameRect{};
    if (!window || !platform::windowRect(window, frameRect))
        return nullptr;
    platform::Window current = window;
    while (current) {
        platform::Window parent = platform::parentWindow(current);
        if (!parent || platform::hasCaption(current))
            return current;
        platform::DeviceRect parentRect{};
        platform::windowRect(parent, parentRect);
        if (std::abs(widthOf(parentRect) - widthOf(frameRect)) > kOuterSlack ||
            std::abs(heightOf(parentRect) - heightOf(frameRect)) > kOuterSlack)
            return current;
        current = parent;
    }
    return current;
}

bool Frame::getPosition(int& x, int& y) {
    if (!open_ || !window)
        return false;
    platform::Window outer = findOuterWindow();
    platform::DeviceRect r{};
    if (!platform::windowRect(outer, r))
        return false;
    platform::DevicePoint corner{r.left, r.top};
    platform::screenToClient(platform::parentWindow(outer), &corner, 1);
    x = corner.x;
    y = corner.y;
    return true;
}

bool Frame::getSize(Rect& size) {
    if (!open_ || !window)
        return false;
    platform::Window parent = platform::parentWindow(window);
    platform::DeviceRect r{};
    if (!platform::windowRect(parent, r))
        return false;
    platform::DevicePoint corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    platform::screenToClient(platform::parentWindow(parent), corners, 2);
    size = Rect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    return true;
}

bool Frame::setSize(int width, int height) {
    if (!open_ || !window)
        return false;
    if (width == bounds.getWidth() && height == bounds.getHeight())
        return false;
    if (editor && editor->sizeHostWindow(width, height)) {
        // The host resized its window; only the frame's own follows.
        platform::setWindowSize(window, width, height);
        return true;
    }
    bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    // Grow the windows around the frame until the one carrying the
    // decorations (whose extra size is twice the dialog frame) is reached.
    const int border = 2 * platform::systemMetric(platform::kMetricDialogFrameHeight);
    platform::Window current = window;
    int extraWidth = 0;
    int extraHeight = 0;
    if (border != 0) {
        do {
            if (!current)
                return true;
            platform::Window parent = platform::parentWindow(current);
            if (!parent || isMdiClient(parent))
                break;
            platform::DeviceRect currentRect{};
            platform::DeviceRect parentRect{};
            platform::windowRect(current, currentRect);
            platform::windowRect(parent, parentRect);
            platform::setWindowSize(current, width + extraWidth, height + extraHeight);
            extraWidth = widthOf(parentRect) - widthOf(currentRect);
            extraHeight = heightOf(parentRect) - heightOf(currentRect);
            if (extraWidth > kMaxDecoration || extraHeight > kMaxDecoration)
                return true;
            current = parent;
        } while (extraWidth != border);
    }
    platform::setWindowSize(current, width + extraWidth, height + extraHeight);
    return true;
}

int Frame::deviceWidth() const {
    return scale::toDevice(bounds.getWidth(), scale);
}

int Frame::deviceHeight() const {
    return scale::toDevice(bounds.getHeight(), scale);
}

void Frame::setScale(double requested) {
    const double snapped = scale::pictureScale(requested);
    if (snapped == scale)
        return;
    scale = snapped;
    setDirty(true);
    // Resizing damages the window whole, so the next paint draws it all at
    // the new scale.
    if (window)
        platform::setWindowSize(window, deviceWidth(), deviceHeight());
}
