// A plug-in's editor opened by the harness as a host opens it (Windows only):
// effEditGetRect, a top-level window whose client area has that size,
// effEditOpen with the window, effEditIdle from the message loop, and
// effEditClose before the window goes.
#pragma once

#include <memory>
#include <string>

#include "harness/host_window.h"
#include "harness/input_player.h"
#include "harness/message_pump.h"
#include "harness/plugin_host.h"

class EditorWindow {
public:
    // Places the window's client area at (screenX, screenY); nothing opens yet.
    EditorWindow(PluginHost& host, int screenX = 100, int screenY = 100);
    ~EditorWindow(); // close()
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // False, with error() saying why, when the plug-in reports no rectangle,
    // the window cannot be made or effEditOpen answers 0.
    bool open();
    const std::string& error() const { return error_; }
    bool isOpen() const { return editorOpen; }

    // The rectangle effEditGetRect reported.
    int width() const { return width_; }
    int height() const { return height_; }
    HostWindow* window() const { return window_.get(); }
    // A point of the editor in screen coordinates.
    ScreenPoint toScreen(int x, int y) const;

    void idle(); // one effEditIdle
    // Pumps messages for `milliseconds`, with effEditIdle at the host's rate.
    void run(unsigned milliseconds);
    // Plays real input at the editor while pumping (see playInput).
    bool play(const InputScript& script);

    // What the editor shows now.
    RgbImage screenshot() const;
    bool saveScreenshot(const std::string& path) const;

    // effEditClose, then the window is destroyed.
    void close();
    // Only effEditClose; the window stays.
    void closeEditor();
    // Only the window: a host that destroys its window under an open editor.
    void destroyWindow();

private:
    PluginHost& host_;
    int screenX_;
    int screenY_;
    int width_ = 0;
    int height_ = 0;
    bool editorOpen = false;
    std::unique_ptr<HostWindow> window_;
    std::string error_;
};
