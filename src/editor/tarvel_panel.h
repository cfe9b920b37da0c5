// The plug-in's window content in no plug-in format's terms: the panel
// picture with one horizontal slider per parameter, in a frame inside the
// window the host gives it. A slider move becomes an edit of the parameter
// (through the ParameterControl it is given); a parameter change made
// elsewhere, told with parameterChanged, moves its slider at the next idle.
// What else it needs of its embedder (idle work during a drag, size
// requests) goes through a PanelHost. Each format's editor embeds one: the
// VST 2.x TarvelEditor, the LV2 panel, the CLAP GUI.
//
// It is its frame's owner. Everything but parameterChanged runs on the
// user-interface thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/parameter_control.h"
#include "editor/zoom.h"
#include "editor/zoom_menu.h"
#include "gui/control.h"
#include "gui/frame_owner.h"

class Bitmap;
class Frame;
class HorizontalSlider;
class PanelHost;

class TarvelPanel final : public FrameOwner, public ControlListener, public ZoomMenu::Owner {
public:
    // `parameters` (null for a panel that shows none) and `host` outlive it.
    // Loads the panel picture, which gives its size; opens nothing.
    TarvelPanel(ParameterControl* parameters, PanelHost& host);
    // A panel destroyed while open takes its window down first.
    ~TarvelPanel();
    TarvelPanel(const TarvelPanel&) = delete;
    TarvelPanel& operator=(const TarvelPanel&) = delete;

    // Builds the frame and both sliders in a child window of `parentWindow`,
    // with the parameters' values; opening again rebuilds the panel there.
    // False (and closed) when there is no window: no parent, no display, a
    // parent the window system does not know.
    bool open(void* parentWindow);
    void close();

    // A parameter changed elsewhere: the sliders follow at the next idle.
    // Safe on any thread, also the audio thread.
    void parameterChanged(int32 index);
    // The sliders take the parameters' values now (read back, not passed
    // along); the frame's next idle redraws them.
    void followParameters();
    // Follows the changes told since the last idle, then redraws what is dirty.
    void idle();
    // A drag's idle work for an embedder whose host has no idle call of its
    // own: idle and a paint, throttled as the VST 2.x editor throttles its own.
    void throttledIdle();

    // The panel's size in device pixels at the scale it is drawn at (or,
    // closed, would open at): 268 by 107 at 1, 536 by 214 at 2.
    int width() const;
    int height() const;
    // Closed: takes the scale the panel would open at now (the user's saved
    // zoom, the main display's scale), for a host that asks the size of the
    // window it is about to open the panel in. Open: changes nothing.
    void prepareSize();
    // The frame and the sliders while open, null while closed.
    Frame* getFrame() const { return frame; }
    HorizontalSlider* getNcvolumeSlider() const { return frame ? ncvolumeSlider : nullptr; }
    HorizontalSlider* getIpvolumeSlider() const { return frame ? ipvolumeSlider : nullptr; }
    // The panel picture from construction on; the handle's only while open.
    Bitmap* getBackgroundBitmap() const { return backgroundBitmap; }
    Bitmap* getHandleBitmap() const { return handleBitmap; }

    // The scale the panel asks to be drawn at: the display's scale (when
    // the user's preference follows it) times the user's zoom, as read from
    // the preference when the panel opened or chosen since in its menu.
    double requestedScale() const { return editorScale(hostOrDisplayScale(), zoomPreference); }
    // The scale the host says it draws its windows at (a VST 2.x host's
    // vendor call, LV2's scale factor option, CLAP's set_scale). It stands
    // for the display's scale from then on: a host that scales its windows
    // knows best, and the display's own would otherwise count twice. Open,
    // the panel follows it at once and asks the host for its new size.
    // False, and nothing changed, for a factor that is not a number, is not
    // above 0 or is beyond any display's (8).
    bool setHostScale(double factor);
    const ZoomPreference& getZoomPreference() const { return zoomPreference; }
    // The zoom menu while open, null while closed.
    ZoomMenu* getZoomMenu() const { return frame ? zoomMenu : nullptr; }
    // The user chose a zoom in the menu; it applies to this panel.
    void zoomChosen(const ZoomPreference& preference, bool saved) override;

    // A slider moved: the parameter takes its value as an edit.
    void valueChanged(DrawContext* context, Control* control) override;

    // What the frame asks of its owner.
    void beginEdit(int index) override;
    bool endEdit(int index) override;
    void processIdle() override;
    bool sizeHostWindow(int width, int height) override;
    void* openHostWindow(VstWindowRecord* record) override;
    void closeHostWindow(VstWindowRecord* record) override;
    int getKnobMode() override;
    // The host moved the window to a display of another scale: asked again.
    void displayScaleChanged() override;

private:
    double hostOrDisplayScale() const { return hostScale > 0 ? hostScale : displayScale; }
    // The user's saved zoom and the scale of the display showing `window`
    // (the main display's for null), read again.
    void readScaleSources(void* window);
    // Draws at the requested scale from now on; open, the window follows,
    // and the host is asked for the new size when it differs from the one
    // it last heard (a host that refuses leaves the panel drawn at its new
    // size in whatever window it gives).
    void followRequestedScale();
    // One slider over the panel's groove at `top`, for parameter `tag`.
    HorizontalSlider* addSlider(int tag, int top);
    void addZoomMenu();

    ParameterControl* parameters_;
    PanelHost& host_;
    Frame* frame = nullptr;
    HorizontalSlider* ncvolumeSlider = nullptr;
    HorizontalSlider* ipvolumeSlider = nullptr;
    ZoomMenu* zoomMenu = nullptr;
    ZoomPreference zoomPreference;
    // The scale of the display showing the host's window, as last asked.
    double displayScale = 1.0;
    // The host's own scale, 0 until a host tells one.
    double hostScale = 0.0;
    // The scale drawn at, or to open at: the one whose size the host last
    // heard.
    double scale_ = 1.0;
    Bitmap* backgroundBitmap = nullptr;
    Bitmap* handleBitmap = nullptr;
    // The panel picture's size: the panel's size in its own units.
    int width_ = 0;
    int height_ = 0;
    // Set by parameterChanged, possibly on the audio thread; taken by idle.
    std::atomic<bool> changePending{false};
    std::uint32_t nextThrottledIdle;
};
