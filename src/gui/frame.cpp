#include "gui/frame.h"

#include <cstdlib>

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

bool Frame::addView(View* view) {
    if (!view)
        return false;
    if (viewCount == viewCapacity) {
        // Grows by 20 entries at a time.
        const int capacity = viewCapacity + 20;
        View** grown = static_cast<View**>(std::realloc(views, sizeof(View*) * capacity));
        if (!grown) {
            std::free(views);
            views = nullptr;
            viewCount = 0;
            viewCapacity = 0;
            return false;
        }
        views = grown;
        viewCapacity = capacity;
    }
    // The creator hands its one reference over: no retain here.
    views[viewCount++] = view;
    view->setFrame(this);
    view->onAttached(this);
    return true;
}

bool Frame::removeView(View* view, bool withRelease) {
    for (int i = 0; i < viewCount; ++i) {
        if (views[i] != view)
            continue;
        for (int j = i + 1; j < viewCount; ++j)
            views[j - 1] = views[j];
        --viewCount;
        // The frame keeps no pointer to a view it no longer holds.
        if (focusView == view)
            focusView = nullptr;
        if (modalView == view)
            modalView = nullptr;
        view->onRemoved(this);
        if (withRelease)
            view->release();
        break;
    }
    return true;
}

bool Frame::removeAll(bool withRelease) {
    if (focusView) {
        View* lost = focusView;
        focusView = nullptr;
        lost->loseFocus(nullptr);
    }
    View** held = views;
    const int count = viewCount;
    views = nullptr;
    viewCount = 0;
    viewCapacity = 0;
    for (int i = 0; i < count; ++i) {
        if (modalView == held[i])
            modalView = nullptr;
        held[i]->onRemoved(this);
        if (withRelease)
            held[i]->release();
    }
    std::free(held);
    return true;
}

bool Frame::isChild(View* view) {
    for (int i = 0; i < viewCount; ++i)
        if (views[i] == view)
            return true;
    return false;
}

int Frame::getViewCount() {
    return viewCount;
}

View* Frame::getView(int index) {
    return index >= 0 && index < viewCount ? views[index] : nullptr;
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
