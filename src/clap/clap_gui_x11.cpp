// The editor's X11 part: the host's timer runs its idle processing and the
// display connection's descriptor wakes it for the window's events.
#include "clap_gui.h"
#include "platform/x11/x11.h"

namespace tarvel_clap {

namespace {

// Redraws and window events at least this often.
constexpr std::uint32_t kTimerMs = 30;

} // namespace

const char* const kGuiWindowApi = clap::kWindowApiX11;

bool ClapGui::findDrivers(const clap::Host& host, Drivers& drivers) {
    if (host.getExtension == nullptr) {
        return false;
    }
    const auto* timers = static_cast<const clap::HostTimerSupport*>(
        host.getExtension(&host, clap::kExtTimerSupport));
    const auto* descriptors = static_cast<const clap::HostPosixFdSupport*>(
        host.getExtension(&host, clap::kExtPosixFdSupport));
    if (timers != nullptr &&
        (timers->registerTimer == nullptr || timers->unregisterTimer == nullptr)) {
        timers = nullptr;
    }
    if (descriptors != nullptr &&
        (descriptors->registerFd == nullptr || descriptors->unregisterFd == nullptr)) {
        descriptors = nullptr;
    }
    drivers.timers = timers;
    drivers.descriptors = descriptors;
    return timers != nullptr || descriptors != nullptr;
}

void* ClapGui::parentWindow(const clap::Window& parent) {
    return reinterpret_cast<void*>(parent.x11);
}

void ClapGui::startDriving() {
    if (drivers_.timers != nullptr &&
        !drivers_.timers->registerTimer(owner_.host(), kTimerMs, &timer)) {
        timer = clap::kInvalidId;
    }
}

void ClapGui::stopDriving() {
    if (timer != clap::kInvalidId) {
        drivers_.timers->unregisterTimer(owner_.host(), timer);
        timer = clap::kInvalidId;
    }
}

// Without the descriptor the host's timer alone runs the window.
bool ClapGui::attachWindow() {
    const int fd = x11::connectionFd();
    if (drivers_.descriptors != nullptr && fd >= 0 &&
        drivers_.descriptors->registerFd(owner_.host(), fd, clap::kPosixFdRead)) {
        watchedFd = fd;
    }
    return true;
}

void ClapGui::detachWindow() {
    if (watchedFd >= 0) {
        drivers_.descriptors->unregisterFd(owner_.host(), watchedFd);
        watchedFd = -1;
    }
}

} // namespace tarvel_clap
