// The editor of one CLAP instance, embedded in the host's X11 window: the
// plug-in's panel, whose edits become the instance's parameter edits. Its
// window events and redraws run from the host's timer (timer-support) and
// from the display connection's file descriptor (posix-fd-support); a host
// offering neither gets no editor, as nothing would run it.
#pragma once

#include <cstdint>

#include "TarvelClap.h"
#include "clap_abi.h"
#include "editor/ParameterControl.h"

class TarvelEditor;

namespace tarvel_clap {

class ClapGui final : private ParameterControl {
public:
    // Null when the host cannot run an editor.
    static ClapGui* create(TarvelClap& owner);
    ~ClapGui();
    ClapGui(const ClapGui&) = delete;
    ClapGui& operator=(const ClapGui&) = delete;

    std::uint32_t width() const;
    std::uint32_t height() const;
    // Opens the panel in the host's window `parent` (an X11 window id).
    bool setParent(unsigned long parent);
    // Handles the window's events and redraws what changed.
    void idle();

private:
    ClapGui(TarvelClap& owner, const clap::HostTimerSupport* timers,
            const clap::HostPosixFdSupport* descriptors);

    float value(int32 index) override;
    void beginEdit(int32 index) override;
    void adjust(int32 index, float value) override;
    bool endEdit(int32 index) override;

    TarvelClap& owner_;
    const clap::HostTimerSupport* timers_;
    const clap::HostPosixFdSupport* descriptors_;
    TarvelEditor* editor_ = nullptr;
    clap::Id timer_ = clap::kInvalidId;
    int watchedFd_ = -1;
};

} // namespace tarvel_clap
