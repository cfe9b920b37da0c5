// The editor's Windows part: the host's message loop delivers the window's
// events, and the frame's own timer runs the idle processing that redraws
// what changed, so no host extension is needed.
#include "clap_gui.h"
#include "editor/tarvel_panel.h"

namespace tarvel_clap {

namespace {

// Redraws at least this often.
constexpr unsigned kTimerMs = 30;

} // namespace

const char* const kGuiWindowApi = clap::kWindowApiWin32;

bool ClapGui::findDrivers(const clap::Host& /*host*/, Drivers& /*drivers*/) {
    return true;
}

void* ClapGui::parentWindow(const clap::Window& parent) {
    return parent.win32;
}

void ClapGui::startDriving() {}

void ClapGui::stopDriving() {}

// Without its timer the panel would never follow the host's changes.
bool ClapGui::attachWindow() {
    return editor->getFrame()->startTimer(kTimerMs, this);
}

void ClapGui::detachWindow() {
    if (Frame* frame = editor->getFrame()) {
        frame->stopTimer();
    }
}

} // namespace tarvel_clap
