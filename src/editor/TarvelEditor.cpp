#include "editor/TarvelEditor.h"

#include <new>

#include "editor/panel_layout.h"
#include "effect/TarvelEffect.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "gui/slider.h"
#include "platform/window.h"

using namespace panel_layout;

TarvelEditor::TarvelEditor(TarvelEffect* owner)
    : GuiEditor(owner), effectParameters(owner), parameters(owner ? &effectParameters : nullptr) {
    if (owner)
        owner->attachPanel(this);
    loadPanel();
}

TarvelEditor::TarvelEditor(ParameterControl& control) : GuiEditor(nullptr), parameters(&control) {
    loadPanel();
}

void TarvelEditor::loadPanel() {
    backgroundBitmap = new (std::nothrow) Bitmap(kPanelPicture);
    const int width = backgroundBitmap ? backgroundBitmap->getWidth() : 0;
    const int height = backgroundBitmap ? backgroundBitmap->getHeight() : 0;
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16>(height);
    rect.right = static_cast<int16>(width);
}

// A host that closes the plug-in while the editor is open gets the window
// taken down here, before the pictures go.
TarvelEditor::~TarvelEditor() {
    close();
    if (backgroundBitmap)
        backgroundBitmap->release();
    backgroundBitmap = nullptr;
    // Built from a TarvelEffect (the constructor's argument), so the cast holds.
    if (effect)
        static_cast<TarvelEffect*>(effect)->detachPanel(this);
}

int32 TarvelEditor::open(void* parentWindow) {
    // Opening again without a close first rebuilds the panel in the new
    // window rather than leaving the old frame behind.
    close();
    GuiEditor::open(parentWindow);
    if (!handleBitmap)
        handleBitmap = new (std::nothrow) Bitmap(kHandlePicture);

    frame = new (std::nothrow) Frame(Rect(0, 0, rect.right, rect.bottom), parentWindow, this);
    // No window (no parent, no display, a parent the window system does not
    // know): a host told the truth shows its own controls instead of an
    // empty frame.
    if (!frame || !frame->getWindow()) {
        close();
        return 0;
    }
    frame->setBackground(backgroundBitmap);
    // The panel's white field goes on where a host's window is larger.
    frame->setOutsideColor(colorWhite);
    // Each editor opened starts at the user's preference as saved last, on
    // the display the host's window is on now.
    zoomPreference = zoom::loadPreference();
    displayScale = platform::displayScale(static_cast<platform::Window>(parentWindow));
    addZoomMenu();
    ncvolumeSlider = addSlider(TarvelEffect::kNcvolume, kNcvolumeTop);
    ipvolumeSlider = addSlider(TarvelEffect::kIpvolume, kIpvolumeTop);
    return 1;
}

// Under the sliders, so they keep every press and the wheel over them.
void TarvelEditor::addZoomMenu() {
    zoomMenu =
        new (std::nothrow) ZoomMenu(Rect(0, 0, kPanelWidth, kPanelHeight), this, zoomPreference);
    if (zoomMenu && !frame->addView(zoomMenu)) {
        zoomMenu->release();
        zoomMenu = nullptr;
    }
}

void TarvelEditor::zoomChosen(const ZoomPreference& preference, bool) {
    zoomPreference = preference;
}

void TarvelEditor::displayScaleChanged() {
    if (frame)
        displayScale = platform::displayScale(frame->getWindow());
}

HorizontalSlider* TarvelEditor::addSlider(int tag, int top) {
    const int handleWidth = handleBitmap ? handleBitmap->getWidth() : 0;
    const Point backgroundOrigin(kSliderLeft, top);
    auto* slider = new (std::nothrow)
        HorizontalSlider(Rect(kSliderLeft, top, kSliderRight, top + kSliderHeight), this, tag,
                         kSliderLeft, kSliderRight - handleWidth, handleBitmap, backgroundBitmap,
                         backgroundOrigin, styleHorizontal | styleMinLeft);
    if (!slider)
        return nullptr;
    slider->setValue(parameters ? parameters->value(tag) : 0.0f);
    slider->setTransparent(false);
    // The frame takes over the slider's one reference.
    if (!frame->addView(slider)) {
        slider->release();
        return nullptr;
    }
    return slider;
}

void TarvelEditor::close() {
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
// the user-interface thread opens or closes the editor and with it creates
// or deletes the frame and its sliders: so it only posts an update. The
// sliders take the new value in update, on the user-interface thread.
void TarvelEditor::setParameter(int32, float) {
    postUpdate();
}

// Runs in idle, on the user-interface thread, after an update was posted:
// the sliders take the parameters' values (read back, not the values passed
// along), and the frame's idle right after redraws them.
void TarvelEditor::update() {
    if (!frame || !parameters)
        return;
    if (ncvolumeSlider)
        ncvolumeSlider->setValue(parameters->value(TarvelEffect::kNcvolume));
    if (ipvolumeSlider)
        ipvolumeSlider->setValue(parameters->value(TarvelEffect::kIpvolume));
}

void TarvelEditor::beginEdit(int index) {
    if (parameters)
        parameters->beginEdit(index);
}

bool TarvelEditor::endEdit(int index) {
    return parameters && parameters->endEdit(index);
}

void TarvelEditor::valueChanged(DrawContext* context, Control* control) {
    const int tag = control->getTag();
    if ((tag != TarvelEffect::kNcvolume && tag != TarvelEffect::kIpvolume) || !parameters)
        return;
    parameters->adjust(tag, control->getValue());
    // A change from a key comes without a context to draw in; redrawing into
    // none would mark the slider clean without showing it, so it stays dirty
    // for the next idle instead.
    if (context)
        control->redrawIfDirty(context);
}
