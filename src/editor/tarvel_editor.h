// The plug-in's VST 2.x editor: the editor panel (TarvelPanel) behind the
// host's editor opcodes. The panel's sliders edit the effect's parameters
// with the host's begin and end edit calls around automated changes; a
// parameter change made elsewhere, told with parameterChanged, moves its
// slider at the next idle.
//
// Keeps GuiEditor's slot order; overrides the destructor, open, close, update
// and setParameter (which is also the effect's parameter-panel call).
#pragma once

#include "editor/effect_parameters.h"
#include "editor/gui_editor.h"
#include "editor/panel_host.h"
#include "editor/tarvel_panel.h"
#include "effect/parameter_panel.h"

class Bitmap;
class Control;
class DrawContext;
class HorizontalSlider;
class TarvelEffect;

class TarvelEditor : public GuiEditor, public ParameterPanel, private PanelHost {
public:
    // Registers itself as the effect's editor and parameter panel.
    explicit TarvelEditor(TarvelEffect* effect);
    ~TarvelEditor() override;

    // The panel's size at the scale it is drawn at or will open at.
    int32 getRect(ERect** rect) override;
    int32 open(void* parentWindow) override;
    void close() override;
    void update() override;
    void setParameter(int32 index, float value) override;
    // A parameter changed elsewhere: its slider follows at the next idle.
    // Safe on any thread.
    void parameterChanged(int32 index) { setParameter(index, 0.0f); }
    // The host's scale (its vendor call), which the panel follows.
    bool setHostScale(float factor) override {
        return panel.setHostScale(static_cast<double>(factor));
    }
    void beginEdit(int index) override;
    bool endEdit(int index) override;

    // A slider moved (the panel's call): the effect takes the value as an edit.
    void valueChanged(DrawContext* context, Control* control);

    // The panel's size in device pixels, as getRect reports it.
    int width() const { return panel.width(); }
    int height() const { return panel.height(); }
    // The sliders while open, null while closed.
    HorizontalSlider* getNcvolumeSlider() const { return panel.getNcvolumeSlider(); }
    HorizontalSlider* getIpvolumeSlider() const { return panel.getIpvolumeSlider(); }
    Bitmap* getBackgroundBitmap() const { return panel.getBackgroundBitmap(); }
    ZoomMenu* getZoomMenu() const { return panel.getZoomMenu(); }
    const ZoomPreference& getZoomPreference() const { return panel.getZoomPreference(); }
    double requestedScale() const { return panel.requestedScale(); }
    Bitmap* getHandleBitmap() const { return panel.getHandleBitmap(); }

private:
    // The panel's drag idle is the editor's own; its size requests go to the host.
    void idleDuringDrag() override;
    bool requestSize(int width, int height) override;

    EffectParameters effectParameters;
    TarvelPanel panel;
};
