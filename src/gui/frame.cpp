#include "gui/frame.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame_owner.h"
#include "gui/host_window.h"
#include "gui/toolkit_state.h"
#include "platform/drop.h"
#include "platform/graphics.h"
#include "platform/system.h"

Frame::Frame(const Rect& r, void* parent, FrameOwner* owner)
    : View(r), editor(owner), parentWindow(parent) {
    startServices();
    createWindow(parent);
}

// A frame in a window of its own, which the host opens for it (Frame::open).
Frame::Frame(const Rect& r, const char* title, FrameOwner* owner, int style)
    : View(r), editor(owner), parentWindow(nullptr), open_(false), hostWindowVariant(true) {
    startServices();
    hostWindow = new (std::nothrow) VstWindowRecord{};
    if (!hostWindow)
        return;
    if (title)
        std::strncpy(hostWindow->title, title, sizeof hostWindow->title - 1);
    hostWindow->x = static_cast<std::int16_t>(r.left);
    hostWindow->y = static_cast<std::int16_t>(r.top);
    hostWindow->width = static_cast<std::int16_t>(r.getWidth());
    hostWindow->height = static_cast<std::int16_t>(r.getHeight());
    hostWindow->style = style;
}

void Frame::startServices() {
    platform::oleInitialize();
    blendLibrary = startBlendServices();
}

Frame::~Frame() {
    setCursor(cursorDefault);
    setDropActive(false);
    removeAll(true);
    setBackground(nullptr);
    platform::oleUninitialize();
    if (blendLibrary)
        platform::freeLibrary(blendLibrary);
    blendLibrary = nullptr;
    destroyOwnWindow();
    releaseClass();
    if (hostWindowVariant) {
        close();
        delete hostWindow;
        hostWindow = nullptr;
    }
}

FrameOwner* Frame::getEditor() {
    return editor;
}

// The creator hands its one reference over (the list's rule).
bool Frame::addView(View* view) {
    if (!views.append(view))
        return false;
    view->setFrame(this);
    view->onAttached(this);
    return true;
}

bool Frame::removeView(View* view, bool withRelease) {
    if (!views.remove(view))
        return true;
    if (pointerFollower == view)
        endPointerFollowing(nullptr);
    // The frame keeps no pointer to a view it no longer holds.
    if (focusView == view)
        focusView = nullptr;
    if (modalView == view)
        modalView = nullptr;
    view->onRemoved(this);
    if (withRelease)
        view->release();
    return true;
}

bool Frame::removeAll(bool withRelease) {
    endPointerFollowing(nullptr);
    if (focusView) {
        View* lost = focusView;
        focusView = nullptr;
        lost->loseFocus(nullptr);
    }
    int count = 0;
    View** held = views.takeAll(count);
    for (int i = 0; i < count; ++i) {
        if (modalView == held[i])
            modalView = nullptr;
        held[i]->onRemoved(this);
        if (withRelease)
            held[i]->release();
    }
    ViewList::freeTaken(held);
    return true;
}

bool Frame::isChild(View* view) {
    return views.contains(view);
}

int Frame::getViewCount() {
    return views.count();
}

View* Frame::getView(int index) {
    return views.at(index);
}

void Frame::setBackground(Bitmap* bitmap) {
    if (background)
        background->release();
    background = bitmap;
    if (background)
        background->retain();
}

bool Frame::setModalView(View* view) {
    if (view && modalView)
        return false;
    if (modalView)
        modalView->onRemoved(this);
    modalView = view;
    if (modalView)
        modalView->onAttached(this);
    return true;
}

void Frame::setFocusView(View* view) {
    View* previous = focusView;
    focusView = view;
    if (previous)
        previous->loseFocus(nullptr);
}

void Frame::processIdle() {
    if (editor)
        editor->processIdle();
}

std::uint32_t Frame::getTicks() {
    return editor ? platform::tickCount() : 0;
}

void Frame::beginEdit(int index) {
    if (editor)
        editor->beginEdit(index);
}

int Frame::endEdit(int index) {
    return editor && editor->endEdit(index) ? 1 : 0;
}

int Frame::getKnobMode() {
    return editor ? editor->getKnobMode() : 0;
}
