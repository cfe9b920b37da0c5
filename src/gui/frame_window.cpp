// The frame's window: the class shared by every frame of the library, the
// window procedure, the window-system events, drops and the host-window
// variant.
#include <cstdio>
#include <cstring>
#include <new>

#include "gui/draw_context.h"
#include "gui/drop_target.h"
#include "gui/focus_events.h"
#include "gui/frame.h"
#include "gui/frame_owner.h"
#include "gui/host_window.h"
#include "gui/key_code.h"
#include "gui/scale.h"
#include "gui/toolkit_state.h"
#include "platform/drop.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {

// The class is registered by the first frame and unregistered by the last.
// Its name comes from the module handle, so two loaded copies of the
// library never share it.
char frameClassName[32] = "";
int instanceCount = 0;

platform::Module moduleInstance() {
    return platform::moduleHandle();
}

// A key the window system delivered, as the views take keys from a host.
KeyCode keyCodeOf(const platform::WindowMessage& message) {
    KeyCode key;
    key.character = message.keyCharacter;
    switch (message.namedKey) {
    case platform::kArrowLeft:
        key.virt = kKeyLeft;
        break;
    case platform::kArrowUp:
        key.virt = kKeyUp;
        break;
    case platform::kArrowRight:
        key.virt = kKeyRight;
        break;
    case platform::kArrowDown:
        key.virt = kKeyDown;
        break;
    default:
        break;
    }
    if (message.keyModifiers & platform::kShiftHeld)
        key.modifier = kModifierShift;
    return key;
}

// What a pointer event says is held, as the views take the mouse state:
// the primary button reports left whichever physical button it is.
int mouseStateOf(unsigned held) {
    int state = 0;
    if (held & platform::kLeftButtonHeld)
        state |= swappedButtons ? kRButton : kLButton;
    if (held & platform::kMiddleButtonHeld)
        state |= kMButton;
    if (held & platform::kRightButtonHeld)
        state |= swappedButtons ? kLButton : kRButton;
    if (held & platform::kShiftKeyHeld)
        state |= kShift;
    if (held & platform::kControlKeyHeld)
        state |= kControl;
    if (held & platform::kAltKeyHeld)
        state |= kAlt;
    return state;
}

// Finds the frame through the window's user data; windows without one get
// the default processing.
bool frameWindowProcedure(platform::Window window, platform::WindowMessage& message) {
    Frame* frame = static_cast<Frame*>(platform::windowUserData(window));
    if (!frame)
        return false;
    switch (message.event) {
    case platform::WindowEvent::Paint:
        return frame->onPaintMessage();
    case platform::WindowEvent::ButtonDown:
        frame->onButtonDownMessage(message.x, message.y);
        return true;
    case platform::WindowEvent::PointerMove:
    case platform::WindowEvent::ButtonUp:
        frame->onPointerMessage(message.x, message.y, mouseStateOf(message.pointerHeld));
        return true;
    case platform::WindowEvent::Destroy:
        frame->onDestroyMessage();
        return false;
    case platform::WindowEvent::MeasureMenuItem:
    case platform::WindowEvent::DrawMenuItem:
        return frame->onMenuItemMessage(message);
    case platform::WindowEvent::EditColors:
        return frame->onEditColorsMessage(message);
    case platform::WindowEvent::Wheel: {
        // The view under the pointer takes it; with none the window system's
        // default passes it on to the host's window.
        Point ignored;
        return frame->onWheel(nullptr, ignored, message.wheelNotches);
    }
    case platform::WindowEvent::KeyDown:
    case platform::WindowEvent::KeyUp: {
        KeyCode key = keyCodeOf(message);
        const int answer = message.event == platform::WindowEvent::KeyDown ? frame->onKeyDown(key)
                                                                           : frame->onKeyUp(key);
        return answer == 1;
    }
    case platform::WindowEvent::Timer:
        frame->onTimerMessage();
        return true;
    case platform::WindowEvent::DisplayScaleChanged:
        if (FrameOwner* owner = frame->getEditor())
            owner->displayScaleChanged();
        return true;
    }
    return false;
}

void registerFrameClass() {
    if (instanceCount++ > 0)
        return;
    std::snprintf(frameClassName, sizeof frameClassName, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(moduleInstance())));
    platform::registerWindowClass(frameClassName, moduleInstance(), frameWindowProcedure);
    recordButtonSwap();
}

void unregisterFrameClass() {
    if (instanceCount > 0 && --instanceCount == 0)
        platform::unregisterWindowClass(frameClassName, moduleInstance());
}

} // namespace

bool Frame::createWindow(void* parent) {
    if (!parent)
        return false;
    if (!classRegistered) {
        registerFrameClass();
        classRegistered = true;
    }
    window = platform::createWindow(frameClassName, "Window", static_cast<platform::Window>(parent),
                                    deviceWidth(), deviceHeight(), moduleInstance());
    if (!window)
        return false;
    platform::setWindowUserData(window, this);
    // A host's window made larger than the frame shows the outside colour
    // beyond it, where the window system would leave it unpainted.
    platform::coverParent(window);
    setDropActive(true);
    return true;
}

void Frame::releaseClass() {
    if (classRegistered)
        unregisterFrameClass();
    classRegistered = false;
}

void Frame::destroyOwnWindow() {
    if (!window)
        return;
    endPointerFollowing(nullptr);
    stopTimer();
    setDropActive(false);
    // Cleared first: the window's own destroy notification must not reach
    // a frame that is going away.
    platform::setWindowUserData(window, nullptr);
    platform::destroyWindow(window);
    window = nullptr;
}

bool Frame::setDropActive(bool on) {
    if (!on && !dropActive)
        return true;
    if (!window)
        return false;
    if (on) {
        if (dropActive)
            return true;
        dropTarget = new (std::nothrow) DropTarget(this);
        if (!dropTarget || !platform::registerDropTarget(window, dropTarget)) {
            delete dropTarget;
            dropTarget = nullptr;
            return false;
        }
    } else {
        platform::revokeDropTarget(window);
        delete dropTarget;
        dropTarget = nullptr;
    }
    dropActive = on;
    return true;
}

bool Frame::onPaintMessage() {
    platform::DeviceRect update;
    if (!window || !platform::updateRect(window, update))
        return false;
    platform::PaintSession session;
    if (!platform::beginPaint(window, session))
        return false;
    {
        DrawContext context(this, session.dc, window);
        // The damaged pixels, as the units that cover them.
        drawRect(&context, Rect(scale::toUnits(session.area.left, scale),
                                scale::toUnits(session.area.top, scale),
                                context.unitsCovering(session.area.right),
                                context.unitsCovering(session.area.bottom)));
    }
    platform::endPaint(window, session);
    return true;
}

void Frame::onButtonDownMessage(int x, int y) {
    if (!window)
        return;
    // A click in the panel is where its controls start taking keys (the
    // sliders' arrows).
    platform::wantKeys(window);
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        // A press while a drag is followed: the drag's release went elsewhere
        // (a grab of the host's), and this press starts afresh.
        endPointerFollowing(&context);
        Point where(scale::toUnits(x, scale), scale::toUnits(y, scale));
        onMouseDown(&context, where);
    }
    platform::releaseDC(window, dc);
}

bool Frame::onMenuItemMessage(platform::WindowMessage& message) {
    // Only the focus view opens menus, so only it knows their items.
    auto* receiver = dynamic_cast<FocusEvents*>(focusView);
    if (!receiver || !message.itemData)
        return false;
    if (message.event == platform::WindowEvent::MeasureMenuItem) {
        if (!window)
            return false;
        platform::DeviceContext dc = platform::getDC(window);
        bool measured = false;
        {
            // Menus are the window system's own windows, sized in its pixels.
            DrawContext context(this, dc, window);
            context.useDevicePixels();
            measured = receiver->measureMenuItem(&context, message.itemData, message.itemId,
                                                 message.itemWidth, message.itemHeight);
        }
        platform::releaseDC(window, dc);
        return measured;
    }
    DrawContext context(this, message.dc, window);
    context.useDevicePixels();
    // The item's bottom edge is taken one pixel lower, so that a rectangle
    // fill of the toolkit reaches the item's last row.
    const platform::DeviceRect& r = message.itemRect;
    receiver->drawMenuItem(&context, message.itemData, message.itemId, message.itemState,
                           Rect(r.left, r.top, r.right, r.bottom + 1));
    return true;
}

bool Frame::onEditColorsMessage(platform::WindowMessage& message) {
    auto* receiver = dynamic_cast<FocusEvents*>(focusView);
    if (!receiver)
        return false;
    message.brush = receiver->editColors(message.dc);
    return message.brush != nullptr;
}

void Frame::onDestroyMessage() {
    // The window still exists while it is told: the drop registration can
    // still be revoked. Afterwards the frame is closed and forgets the window,
    // so nothing later touches a dead one.
    if (!window)
        return;
    // No release will come to a window that is gone.
    endPointerFollowing(nullptr);
    stopTimer();
    setDropActive(false);
    platform::setWindowUserData(window, nullptr);
    window = nullptr;
    open_ = false;
    parentWindow = nullptr;
}

bool Frame::startTimer(unsigned milliseconds, FrameTicks* ticks) {
    if (!window || !ticks || !platform::startWindowTimer(window, milliseconds))
        return false;
    ticks_ = ticks;
    return true;
}

void Frame::stopTimer() {
    if (ticks_ && window)
        platform::stopWindowTimer(window);
    ticks_ = nullptr;
}

void Frame::onTimerMessage() {
    if (ticks_)
        ticks_->onFrameTick();
}

bool Frame::open(Point* where) {
    if (!hostWindowVariant || !hostWindow)
        return false;
    if (open_) {
        if (window)
            platform::bringWindowToTop(platform::parentWindow(platform::parentWindow(window)));
        return true;
    }
    if (!editor)
        return false;
    if (where) {
        hostWindow->x = static_cast<std::int16_t>(where->h);
        hostWindow->y = static_cast<std::int16_t>(where->v);
    }
    void* parent = editor->openHostWindow(hostWindow);
    if (!parent)
        return false;
    if (!createWindow(parent)) {
        editor->closeHostWindow(hostWindow);
        return false;
    }
    parentWindow = parent;
    open_ = true;
    firstDrawPending = true;
    return true;
}

bool Frame::close() {
    if (!hostWindowVariant || !hostWindow)
        return false;
    destroyOwnWindow();
    if (!open_)
        return false;
    open_ = false;
    parentWindow = nullptr;
    if (editor)
        editor->closeHostWindow(hostWindow);
    return true;
}
