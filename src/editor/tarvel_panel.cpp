#include "editor/tarvel_panel.h"

#include <cmath>
#include <new>

#include "core/cycle_machine.h"
#include "editor/idle_throttle.h"
#include "editor/panel_host.h"
#include "editor/panel_layout.h"
#include "gui/bitmap.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "platform/system.h"
#include "platform/window.h"

using namespace panel_layout;

namespace {

constexpr int32 kNcvolume = CycleMachine::kNcvolume;
constexpr int32 kIpvolume = CycleMachine::kIpvolume;

// No display is scaled further than this; a larger factor is a fault.
constexpr double kLargestHostScale = 8.0;

} // namespace

TarvelPanel::TarvelPanel(ParameterControl* parameters, PanelHost& host)
    : parameters_(parameters), host_(host), nextThrottledIdle(platform::tickCount()) {
    backgroundBitmap = new (std::nothrow) Bitmap(kPanelPicture);
    width_ = backgroundBitmap ? backgroundBitmap->getWidth() : 0;
    height_ = backgroundBitmap ? backgroundBitmap->getHeight() : 0;
}

void TarvelPanel::prepareSize() {
    if (frame)
        return;
    readScaleSources(nullptr);
    scale_ = requestedScale();
}

void TarvelPanel::readScaleSources(void* window) {
    zoomPreference = zoom::loadPreference();
    displayScale = platform::displayScale(static_cast<platform::Window>(window));
}

int TarvelPanel::width() const {
    return scale::toDevice(width_, scale_);
}

int TarvelPanel::height() const {
    return scale::toDevice(height_, scale_);
}

TarvelPanel::~TarvelPanel() {
    close();
    if (backgroundBitmap)
        backgroundBitmap->release();
    backgroundBitmap = nullptr;
}

bool TarvelPanel::open(void* parentWindow) {
    // Opening again without a close first rebuilds the panel in the new
    // window rather than leaving the old frame behind.
    close();
    if (!handleBitmap)
        handleBitmap = new (std::nothrow) Bitmap(kHandlePicture);

    frame = new (std::nothrow) Frame(Rect(0, 0, width_, height_), parentWindow, this);
    // No window: a host told the truth shows its own controls instead of an
    // empty frame.
    if (!frame || !frame->getWindow()) {
        close();
        return false;
    }
    frame->setBackground(backgroundBitmap);
    // The panel's white field goes on where a host's window is larger.
    frame->setOutsideColor(colorWhite);
    // Each panel opened starts at the user's preference as saved last, on
    // the display the host's window is on now.
    readScaleSources(parentWindow);
    addZoomMenu();
    ncvolumeSlider = addSlider(kNcvolume, kNcvolumeTop);
    ipvolumeSlider = addSlider(kIpvolume, kIpvolumeTop);
    // The host sized its window for the size it last heard.
    followRequestedScale();
    return true;
}

void TarvelPanel::followRequestedScale() {
    const double heard = scale_;
    scale_ = requestedScale();
    if (!frame)
        return;
    // A new frame starts at 1; the frame ignores a scale it already has.
    frame->setScale(scale_);
    if (scale_ != heard)
        host_.requestSize(width(), height());
}

bool TarvelPanel::setHostScale(double factor) {
    if (!std::isfinite(factor) || !(factor > 0) || factor > kLargestHostScale)
        return false;
    hostScale = factor;
    followRequestedScale();
    return true;
}

// Under the sliders, so they keep every press and the wheel over them.
void TarvelPanel::addZoomMenu() {
    zoomMenu =
        new (std::nothrow) ZoomMenu(Rect(0, 0, kPanelWidth, kPanelHeight), this, zoomPreference);
    if (zoomMenu && !frame->addView(zoomMenu)) {
        zoomMenu->release();
        zoomMenu = nullptr;
    }
}

void TarvelPanel::zoomChosen(const ZoomPreference& preference, bool) {
    zoomPreference = preference;
    followRequestedScale();
}

void TarvelPanel::displayScaleChanged() {
    if (!frame)
        return;
    displayScale = platform::displayScale(frame->getWindow());
    followRequestedScale();
}

HorizontalSlider* TarvelPanel::addSlider(int tag, int top) {
    const int handleWidth = handleBitmap ? handleBitmap->getWidth() : 0;
    const Point backgroundOrigin(kSliderLeft, top);
    auto* slider = new (std::nothrow) HorizontalSlider(
        sliderRect(top), this, tag, kSliderLeft, kSliderRight - handleWidth, handleBitmap,
        backgroundBitmap, backgroundOrigin, styleHorizontal | styleMinLeft);
    if (!slider)
        return nullptr;
    slider->setValue(parameters_ ? parameters_->value(tag) : 0.0f);
    slider->setTransparent(false);
    // The frame takes over the slider's one reference.
    if (!frame->addView(slider)) {
        slider->release();
        return nullptr;
    }
    return slider;
}

void TarvelPanel::close() {
    delete frame;
    frame = nullptr;
    ncvolumeSlider = nullptr;
    ipvolumeSlider = nullptr;
    zoomMenu = nullptr;
    if (handleBitmap)
        handleBitmap->release();
    handleBitmap = nullptr;
}

// May run on the audio thread (MIDI controller 1, a program change), while
// the user-interface thread opens or closes the panel and with it creates or
// deletes the frame and its sliders: so it only leaves a notice. The flag is
// set after the new value is stored and taken before the value is read: an
// idle that sees the flag also sees the value it announces.
void TarvelPanel::parameterChanged(int32) {
    changePending.store(true, std::memory_order_release);
}

void TarvelPanel::followParameters() {
    if (!frame || !parameters_)
        return;
    if (ncvolumeSlider)
        ncvolumeSlider->setValue(parameters_->value(kNcvolume));
    if (ipvolumeSlider)
        ipvolumeSlider->setValue(parameters_->value(kIpvolume));
}

void TarvelPanel::idle() {
    if (changePending.exchange(false, std::memory_order_acquire))
        followParameters();
    if (frame)
        frame->idle();
}

void TarvelPanel::throttledIdle() {
    std::uint32_t now = 0;
    if (!idle_throttle::due(nextThrottledIdle, now))
        return;
    idle();
    platform::dispatchPendingPaint();
    nextThrottledIdle = now + idle_throttle::kIntervalMs;
}

void TarvelPanel::valueChanged(DrawContext* context, Control* control) {
    const int tag = control->getTag();
    if ((tag != kNcvolume && tag != kIpvolume) || !parameters_)
        return;
    parameters_->adjust(tag, control->getValue());
    // A change from a key comes without a context to draw in; redrawing into
    // none would mark the slider clean without showing it, so it stays dirty
    // for the next idle instead.
    if (context)
        control->redrawIfDirty(context);
}

void TarvelPanel::beginEdit(int index) {
    if (parameters_)
        parameters_->beginEdit(index);
}

bool TarvelPanel::endEdit(int index) {
    return parameters_ && parameters_->endEdit(index);
}

void TarvelPanel::processIdle() {
    host_.idleDuringDrag();
}

bool TarvelPanel::sizeHostWindow(int width, int height) {
    return host_.requestSize(width, height);
}

// The panel's frame lives in the window the host gives it, never in one it
// asks the host to open.
void* TarvelPanel::openHostWindow(VstWindowRecord*) {
    return nullptr;
}

void TarvelPanel::closeHostWindow(VstWindowRecord*) {}

// The panel has no knobs: the mode would change nothing it shows.
int TarvelPanel::getKnobMode() {
    return 0;
}
