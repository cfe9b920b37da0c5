#include "ClapGui.h"

#include <new>

#include "editor/TarvelEditor.h"
#include "gui/frame.h"
#include "platform/x11/x11.h"

namespace tarvel_clap {

namespace {

// Redraws and window events at least this often.
constexpr std::uint32_t kTimerMs = 30;

} // namespace

ClapGui* ClapGui::create(TarvelClap& owner) {
    const clap::Host* host = owner.host();
    if (host == nullptr || host->getExtension == nullptr) {
        return nullptr;
    }
    const auto* timers = static_cast<const clap::HostTimerSupport*>(
        host->getExtension(host, clap::kExtTimerSupport));
    const auto* descriptors = static_cast<const clap::HostPosixFdSupport*>(
        host->getExtension(host, clap::kExtPosixFdSupport));
    if (timers != nullptr &&
        (timers->registerTimer == nullptr || timers->unregisterTimer == nullptr)) {
        timers = nullptr;
    }
    if (descriptors != nullptr &&
        (descriptors->registerFd == nullptr || descriptors->unregisterFd == nullptr)) {
        descriptors = nullptr;
    }
    if (timers == nullptr && descriptors == nullptr) {
        return nullptr;
    }
    auto* gui = new (std::nothrow) ClapGui(owner, timers, descriptors);
    if (gui != nullptr && gui->editor_ == nullptr) {
        delete gui;
        return nullptr;
    }
    return gui;
}

ClapGui::ClapGui(TarvelClap& owner, const clap::HostTimerSupport* timers,
                 const clap::HostPosixFdSupport* descriptors)
    : owner_(owner), timers_(timers), descriptors_(descriptors) {
    editor_ = new (std::nothrow) TarvelEditor(static_cast<ParameterControl&>(*this));
    if (editor_ != nullptr && timers_ != nullptr &&
        !timers_->registerTimer(owner_.host(), kTimerMs, &timer_)) {
        timer_ = clap::kInvalidId;
    }
}

// The descriptor is let go while the connection is still open: the editor's
// window may be the last that keeps it.
ClapGui::~ClapGui() {
    if (watchedFd_ >= 0) {
        descriptors_->unregisterFd(owner_.host(), watchedFd_);
    }
    if (timer_ != clap::kInvalidId) {
        timers_->unregisterTimer(owner_.host(), timer_);
    }
    delete editor_;
}

std::uint32_t ClapGui::width() const {
    return static_cast<std::uint32_t>(editor_->width());
}

std::uint32_t ClapGui::height() const {
    return static_cast<std::uint32_t>(editor_->height());
}

bool ClapGui::setParent(unsigned long parent) {
    if (watchedFd_ >= 0) {
        descriptors_->unregisterFd(owner_.host(), watchedFd_);
        watchedFd_ = -1;
    }
    if (editor_->open(reinterpret_cast<void*>(parent)) == 0 || editor_->getFrame() == nullptr ||
        editor_->getFrame()->getWindow() == nullptr) {
        editor_->close();
        return false;
    }
    const int fd = x11::connectionFd();
    if (descriptors_ != nullptr && fd >= 0 &&
        descriptors_->registerFd(owner_.host(), fd, clap::kPosixFdRead)) {
        watchedFd_ = fd;
    }
    return true;
}

void ClapGui::idle() {
    if (owner_.takeChangeNotice()) {
        editor_->parameterChanged(0);
    }
    editor_->idle();
}

float ClapGui::value(int32 index) {
    double result = 0.0;
    return owner_.value(static_cast<clap::Id>(index), result) ? static_cast<float>(result) : 0.0f;
}

void ClapGui::beginEdit(int32 index) {
    owner_.editBegin(static_cast<clap::Id>(index));
}

void ClapGui::adjust(int32 index, float value) {
    owner_.editValue(static_cast<clap::Id>(index), static_cast<double>(value));
}

bool ClapGui::endEdit(int32 index) {
    owner_.editEnd(static_cast<clap::Id>(index));
    return true;
}

} // namespace tarvel_clap
