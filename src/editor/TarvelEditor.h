// The plug-in's window content: the panel picture with one horizontal slider
// per parameter. A slider move becomes an edit of the parameter (through the
// editor's ParameterControl); a parameter change made elsewhere, told with
// parameterChanged, moves its slider at the next idle.
//
// Keeps GuiEditor's slot order; overrides the destructor, open, close, update
// and setParameter (which is also the effect's parameter-panel call).
#pragma once

#include "editor/EffectParameters.h"
#include "editor/GuiEditor.h"
#include "editor/ParameterControl.h"
#include "editor/zoom.h"
#include "editor/zoom_menu.h"
#include "effect/ParameterPanel.h"
#include "gui/control.h"

class Bitmap;
class HorizontalSlider;
class TarvelEffect;

class TarvelEditor : public GuiEditor,
                     public ControlListener,
                     public ParameterPanel,
                     public ZoomMenu::Owner {
public:
    // Registers itself as the effect's editor and parameter panel.
    explicit TarvelEditor(TarvelEffect* effect);
    // An editor of no effect: `parameters` (which outlives it) holds the
    // values and takes the edits.
    explicit TarvelEditor(ParameterControl& parameters);
    ~TarvelEditor() override;

    int32 open(void* parentWindow) override;
    void close() override;
    void update() override;
    void setParameter(int32 index, float value) override;
    // A parameter changed elsewhere: its slider follows at the next idle.
    // Safe on any thread.
    void parameterChanged(int32 index) { setParameter(index, 0.0f); }
    void beginEdit(int index) override;
    bool endEdit(int index) override;

    void valueChanged(DrawContext* context, Control* control) override;
    void zoomChosen(const ZoomPreference& preference, bool saved) override;
    void displayScaleChanged() override;

    // The scale the editor asks to be drawn at: the display's scale (when
    // the user's preference follows it) times the user's zoom, as read
    // from the preference when the editor opened or chosen since.
    double requestedScale() const { return editorScale(displayScale, zoomPreference); }
    const ZoomPreference& getZoomPreference() const { return zoomPreference; }
    // The zoom menu while open, null while closed.
    ZoomMenu* getZoomMenu() const { return frame ? zoomMenu : nullptr; }

    // The panel's size in pixels.
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    // The sliders while open, null while closed.
    HorizontalSlider* getNcvolumeSlider() const { return frame ? ncvolumeSlider : nullptr; }
    HorizontalSlider* getIpvolumeSlider() const { return frame ? ipvolumeSlider : nullptr; }
    Bitmap* getBackgroundBitmap() const { return backgroundBitmap; }
    Bitmap* getHandleBitmap() const { return handleBitmap; }

private:
    // One slider over the panel's groove at `top`, for parameter `tag`.
    HorizontalSlider* addSlider(int tag, int top);

    void loadPanel();
    void addZoomMenu();

    EffectParameters effectParameters{nullptr};
    // Null for an editor made without an effect or parameters to show.
    ParameterControl* parameters = nullptr;
    HorizontalSlider* ncvolumeSlider = nullptr;
    HorizontalSlider* ipvolumeSlider = nullptr;
    ZoomMenu* zoomMenu = nullptr;
    ZoomPreference zoomPreference;
    // The scale of the display showing the host's window, as last asked.
    double displayScale = 1.0;
    Bitmap* backgroundBitmap = nullptr;
    Bitmap* handleBitmap = nullptr;
};
