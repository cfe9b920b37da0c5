#include "harness/editor_window.h"

#include "harness/message_pump.h"
#include "host/vst_opcodes.h"
#include "pictures/png_file.h"

EditorWindow::EditorWindow(PluginHost& host, int screenX, int screenY)
    : host_(host), screenX_(screenX), screenY_(screenY) {}

EditorWindow::~EditorWindow() {
    close();
}

bool EditorWindow::open() {
    if (editorOpen) {
        error_ = "the editor is open already";
        return false;
    }
    ERect* rect = nullptr;
    if (host_.dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr) {
        error_ = "effEditGetRect reported no rectangle";
        return false;
    }
    width_ = rect->right - rect->left;
    height_ = rect->bottom - rect->top;
    if (width_ <= 0 || height_ <= 0) {
        error_ = "effEditGetRect reported an empty rectangle";
        return false;
    }
    window_ = std::make_unique<HostWindow>(width_, height_, screenX_, screenY_);
    if (window_->handle() == nullptr) {
        error_ = "cannot create the host window";
        window_.reset();
        return false;
    }
    if (host_.dispatch(effEditOpen, 0, 0, window_->handle()) == 0) {
        error_ = "effEditOpen answered 0";
        window_.reset();
        return false;
    }
    editorOpen = true;
    // The first paint and the first idle calls, as a host gives them.
    run(2 * kIdleInterval);
    return true;
}

ScreenPoint EditorWindow::toScreen(int x, int y) const {
    return window_ ? window_->toScreen(x, y) : ScreenPoint{x, y};
}

void EditorWindow::idle() {
    if (editorOpen) {
        host_.dispatch(effEditIdle);
    }
}

void EditorWindow::run(unsigned milliseconds) {
    pumpMessages(milliseconds, [this] { idle(); });
}

bool EditorWindow::play(const InputScript& script) {
    return playInput(script, [this] { idle(); });
}

RgbImage EditorWindow::screenshot() const {
    return window_ ? window_->capture() : RgbImage{};
}

bool EditorWindow::saveScreenshot(const std::string& path) const {
    return pictures::writePng(screenshot(), path);
}

void EditorWindow::close() {
    closeEditor();
    destroyWindow();
}

void EditorWindow::closeEditor() {
    if (editorOpen) {
        host_.dispatch(effEditClose);
        editorOpen = false;
    }
}

void EditorWindow::destroyWindow() {
    if (window_) {
        window_->destroy();
        window_.reset();
        // Messages the destruction left behind.
        pumpMessages(0, nullptr);
    }
}
