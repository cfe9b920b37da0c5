// The editor of one CLAP instance, embedded in the host's window: the
// plug-in's panel, whose edits become the instance's parameter edits. What
// runs its window events and redraws is the one part that differs by window
// system (clap_gui_x11.cpp, clap_gui_win32.cpp): on X11 the host's timer
// (timer-support) and the display connection's file descriptor
// (posix-fd-support), and a host offering neither gets no editor, as nothing
// would run it; on Windows the host's message loop delivers the window's
// events and the frame's own timer the redraws, as for the VST 2.x editor.
// Every call comes on the host's main thread.
#pragma once

#include <cstdint>

#include "clap_abi.h"
#include "editor/panel_host.h"
#include "editor/parameter_control.h"
#include "gui/frame.h"
#include "tarvel_clap.h"

class TarvelPanel;

namespace tarvel_clap {

// The window api the editor embeds in on this build ("x11" or "win32").
extern const char* const kGuiWindowApi;

class ClapGui final : private ParameterControl, private PanelHost, private FrameTicks {
public:
    // Null when the host cannot run an editor.
    static ClapGui* create(TarvelClap& owner);
    ~ClapGui();
    ClapGui(const ClapGui&) = delete;
    ClapGui& operator=(const ClapGui&) = delete;

    // The editor's size at the scale it is drawn at, or would open at now.
    void size(std::uint32_t& width, std::uint32_t& height);
    // The host's scale, which the editor follows; false for a factor that
    // makes no sense.
    bool setScale(double factor);
    // Opens the panel in the host's window `parent` (the window named by the
    // api's member of clap::Window).
    bool setParent(const clap::Window& parent);
    // Handles the window's events and redraws what changed.
    void idle();

private:
    // What the host offers to run the editor with (X11: its timers and
    // descriptors; Windows needs nothing of it).
    struct Drivers {
        const clap::HostTimerSupport* timers = nullptr;
        const clap::HostPosixFdSupport* descriptors = nullptr;
        // Where the host can be asked to resize its window (any window system).
        const clap::HostGui* gui = nullptr;
    };
    // The per-window-system part: false when nothing could run the editor.
    static bool findDrivers(const clap::Host& host, Drivers& drivers);
    // The parent's window out of the host's record.
    static void* parentWindow(const clap::Window& parent);
    // From creation to destruction; and while the editor's window is open.
    void startDriving();
    void stopDriving();
    // attachWindow is false when nothing could run the window.
    bool attachWindow();
    void detachWindow();

    ClapGui(TarvelClap& owner, const Drivers& drivers);

    float value(int32 index) override;
    void beginEdit(int32 index) override;
    void adjust(int32 index, float value) override;
    bool endEdit(int32 index) override;
    void idleDuringDrag() override;
    bool requestSize(int width, int height) override;
    void onFrameTick() override;

    TarvelClap& owner_;
    Drivers drivers_;
    TarvelPanel* editor = nullptr;
    clap::Id timer = clap::kInvalidId;
    int watchedFd = -1;
};

} // namespace tarvel_clap
