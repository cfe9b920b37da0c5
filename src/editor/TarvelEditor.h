// The plug-in's window content: the panel picture with one horizontal slider
// per parameter. A slider move becomes an automated parameter change of the
// effect; a parameter change of the effect moves its slider at the next idle.
//
// Keeps GuiEditor's slot order; overrides the destructor, open, close, update
// and setParameter (which is also the effect's parameter-panel call).
#pragma once

#include "editor/GuiEditor.h"
#include "effect/ParameterPanel.h"
#include "gui/control.h"

class Bitmap;
class HorizontalSlider;
class TarvelEffect;

class TarvelEditor : public GuiEditor, public ControlListener, public ParameterPanel {
public:
    // Registers itself as the effect's editor and parameter panel.
    explicit TarvelEditor(TarvelEffect* effect);
    ~TarvelEditor() override;

    int32 open(void* parentWindow) override;
    void close() override;
    void update() override;
    void setParameter(int32 index, float value) override;

    void valueChanged(DrawContext* context, Control* control) override;

    // The sliders while open, null while closed.
    HorizontalSlider* getNcvolumeSlider() const { return frame ? ncvolumeSlider : nullptr; }
    HorizontalSlider* getIpvolumeSlider() const { return frame ? ipvolumeSlider : nullptr; }
    Bitmap* getBackgroundBitmap() const { return backgroundBitmap; }
    Bitmap* getHandleBitmap() const { return handleBitmap; }

private:
    // One slider over the panel's groove at `top`, for parameter `tag`.
    HorizontalSlider* addSlider(int tag, int top);

    HorizontalSlider* ncvolumeSlider = nullptr;
    HorizontalSlider* ipvolumeSlider = nullptr;
    Bitmap* backgroundBitmap = nullptr;
    Bitmap* handleBitmap = nullptr;
};
