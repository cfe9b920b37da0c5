#include "editor/TarvelPanel.h"

#include <cmath>
#include <new>

#include "core/cycle_machine.h"
#include "editor/idle_throttle.h"
#include "editor/panel_host.h"
#include "editor/panel_layout.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "gui/slider.h"
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
    : parameters_(parameters), host_(host), nextThrottledIdle_(platform::tickCount()) {
    backgroundBitmap_ = new (std::nothrow) Bitmap(kPanelPicture);
    width_ = backgroundBitmap_ ? backgroundBitmap_->getWidth() : 0;
    height_ = backgroundBitmap_ ? backgroundBitmap_->getHeight() : 0;
}

void TarvelPanel::prepareSize() {
    if (frame_)
        return;
    zoomPreference_ = zoom::loadPreference();
    displayScale_ = platform::displayScale(nullptr);
    scale_ = requestedScale();
}

int TarvelPanel::width() const {
    return scale::toDevice(width_, scale_);
}

int TarvelPanel::height() const {
    return scale::toDevice(height_, scale_);
}

TarvelPanel::~TarvelPanel() {
    close();
    if (backgroundBitmap_)
        backgroundBitmap_->release();
    backgroundBitmap_ = nullptr;
}

bool TarvelPanel::open(void* parentWindow) {
    // Opening again without a close first rebuilds the panel in the new
    // window rather than leaving the old frame behind.
    close();
    if (!handleBitmap_)
        handleBitmap_ = new (std::nothrow) Bitmap(kHandlePicture);

    frame_ = new (std::nothrow) Frame(Rect(0, 0, width_, height_), parentWindow, this);
    // No window: a host told the truth shows its own controls instead of an
    // empty frame.
    if (!frame_ || !frame_->getWindow()) {
        close();
        return false;
    }
    frame_->setBackground(backgroundBitmap_);
    // The panel's white field goes on where a host's window is larger.
    frame_->setOutsideColor(colorWhite);
    // Each panel opened starts at the user's preference as saved last, on
    // the display the host's window is on now.
    zoomPreference_ = zoom::loadPreference();
    displayScale_ = platform::displayScale(static_cast<platform::Window>(parentWindow));
    addZoomMenu();
    ncvolumeSlider_ = addSlider(kNcvolume, kNcvolumeTop);
    ipvolumeSlider_ = addSlider(kIpvolume, kIpvolumeTop);
    // The host sized its window for the size it last heard; it hears again
    // only when the scale at opening differs from that one.
    const double heard = scale_;
    scale_ = requestedScale();
    frame_->setScale(scale_);
    if (scale_ != heard)
        host_.requestSize(width(), height());
    return true;
}

void TarvelPanel::followRequestedScale() {
    const double requested = requestedScale();
    if (requested == scale_)
        return;
    scale_ = requested;
    if (!frame_)
        return;
    frame_->setScale(scale_);
    host_.requestSize(width(), height());
}

bool TarvelPanel::setHostScale(double factor) {
    if (!std::isfinite(factor) || !(factor > 0) || factor > kLargestHostScale)
        return false;
    hostScale_ = factor;
    followRequestedScale();
    return true;
}

// Under the sliders, so they keep every press and the wheel over them.
void TarvelPanel::addZoomMenu() {
    zoomMenu_ =
        new (std::nothrow) ZoomMenu(Rect(0, 0, kPanelWidth, kPanelHeight), this, zoomPreference_);
    if (zoomMenu_ && !frame_->addView(zoomMenu_)) {
        zoomMenu_->release();
        zoomMenu_ = nullptr;
    }
}

void TarvelPanel::zoomChosen(const ZoomPreference& preference, bool) {
    zoomPreference_ = preference;
    followRequestedScale();
}

void TarvelPanel::displayScaleChanged() {
    if (!frame_)
        return;
    displayScale_ = platform::displayScale(frame_->getWindow());
    followRequestedScale();
}

HorizontalSlider* TarvelPanel::addSlider(int tag, int top) {
    const int handleWidth = handleBitmap_ ? handleBitmap_->getWidth() : 0;
    const Point backgroundOrigin(kSliderLeft, top);
    auto* slider = new (std::nothrow) HorizontalSlider(
        sliderRect(top), this, tag, kSliderLeft, kSliderRight - handleWidth, handleBitmap_,
        backgroundBitmap_, backgroundOrigin, styleHorizontal | styleMinLeft);
    if (!slider)
        return nullptr;
    slider->setValue(parameters_ ? parameters_->value(tag) : 0.0f);
    slider->setTransparent(false);
    // The frame takes over the slider's one reference.
    if (!frame_->addView(slider)) {
        slider->release();
        return nullptr;
    }
    return slider;
}

void TarvelPanel::close() {
    delete frame_;
    frame_ = nullptr;
    ncvolumeSlider_ = nullptr;
    ipvolumeSlider_ = nullptr;
    zoomMenu_ = nullptr;
    if (handleBitmap_)
        handleBitmap_->release();
    handleBitmap_ = nullptr;
}

// May run on the audio thread (MIDI controller 1, a program change), while
// the user-interface thread opens or closes the panel and with it creates or
// deletes the frame and its sliders: so it only leaves a notice. The flag is
// set after the new value is stored and taken before the value is read: an
// idle that sees the flag also sees the value it announces.
void TarvelPanel::parameterChanged(int32) {
    changePending_.store(true, std::memory_order_release);
}

void TarvelPanel::followParameters() {
    if (!frame_ || !parameters_)
        return;
    if (ncvolumeSlider_)
        ncvolumeSlider_->setValue(parameters_->value(kNcvolume));
    if (ipvolumeSlider_)
        ipvolumeSlider_->setValue(parameters_->value(kIpvolume));
}

void TarvelPanel::idle() {
    if (changePending_.exchange(false, std::memory_order_acquire))
        followParameters();
    if (frame_)
        frame_->idle();
}

void TarvelPanel::throttledIdle() {
    std::uint32_t now = 0;
    if (!idle_throttle::due(nextThrottledIdle_, now))
        return;
    idle();
    platform::dispatchPendingPaint();
    nextThrottledIdle_ = now + idle_throttle::kIntervalMs;
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
