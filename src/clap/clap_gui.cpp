// The editor's part every window system shares: making it, opening it in the
// host's window, its size, idle processing and the edits of its sliders.
#include "clap_gui.h"

#include <new>

#include "editor/tarvel_panel.h"
#include "gui/frame.h"

namespace tarvel_clap {

ClapGui* ClapGui::create(TarvelClap& owner) {
    const clap::Host* host = owner.host();
    Drivers drivers;
    if (host == nullptr || !findDrivers(*host, drivers)) {
        return nullptr;
    }
    if (host->getExtension != nullptr) {
        drivers.gui = static_cast<const clap::HostGui*>(host->getExtension(host, clap::kExtGui));
    }
    auto* gui = new (std::nothrow) ClapGui(owner, drivers);
    if (gui != nullptr && gui->editor == nullptr) {
        delete gui;
        return nullptr;
    }
    return gui;
}

ClapGui::ClapGui(TarvelClap& owner, const Drivers& drivers) : owner_(owner), drivers_(drivers) {
    editor = new (std::nothrow) TarvelPanel(this, *this);
    if (editor != nullptr) {
        startDriving();
    }
}

// What runs the window is let go while the window is still open: on X11 it
// may be the last that keeps the display connection.
ClapGui::~ClapGui() {
    if (editor != nullptr) {
        detachWindow();
        stopDriving();
    }
    delete editor;
}

void ClapGui::size(std::uint32_t& width, std::uint32_t& height) {
    editor->prepareSize();
    width = static_cast<std::uint32_t>(editor->width());
    height = static_cast<std::uint32_t>(editor->height());
}

bool ClapGui::setScale(double factor) {
    return editor->setHostScale(factor);
}

bool ClapGui::setParent(const clap::Window& parent) {
    detachWindow();
    void* window = parentWindow(parent);
    if (window == nullptr || !editor->open(window) || !attachWindow()) {
        detachWindow();
        editor->close();
        return false;
    }
    return true;
}

void ClapGui::idle() {
    if (owner_.takeChangeNotice()) {
        editor->parameterChanged(0);
    }
    editor->idle();
}

// A drag's idle work is the panel's own, throttled: redraws and a paint.
void ClapGui::idleDuringDrag() {
    editor->throttledIdle();
}

// A new scale's size, where the host can be asked.
bool ClapGui::requestSize(int width, int height) {
    const clap::HostGui* gui = drivers_.gui;
    const clap::Host* host = owner_.host();
    return gui != nullptr && gui->requestResize != nullptr && host != nullptr && width > 0 &&
           height > 0 &&
           gui->requestResize(host, static_cast<std::uint32_t>(width),
                              static_cast<std::uint32_t>(height));
}

void ClapGui::onFrameTick() {
    idle();
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
