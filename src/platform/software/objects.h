// What the handles of the software-drawn backends point to: drawing
// objects, drawing targets and windows, each a plain heap object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "counted.h"
#include "platform/drop.h"
#include "platform/edit_box.h"
#include "platform/platform_types.h"
#include "platform/window.h"
#include "raster/blit.h"
#include "raster/draw_state.h"

namespace software {

enum class Kind { Pen, Brush, Font, Bitmap, Region };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;
    int selections = 0;         // targets it is selected into
    bool deletePending = false; // deleted while selected: freed when deselected
};

struct PenObject : Object {
    PenObject() : Object(Kind::Pen) {}
    raster::Pen pen;
};

struct BrushObject : Object {
    BrushObject() : Object(Kind::Brush) {}
    raster::Brush brush;
};

struct FontObject : Object {
    FontObject() : Object(Kind::Font) {}
    platform::FontDescription description{};
};

struct BitmapObject : Object {
    BitmapObject() : Object(Kind::Bitmap) {}
    raster::Surface surface;
};

struct RegionObject : Object {
    RegionObject() : Object(Kind::Region) {}
    raster::Box box;
};

// What a simulated edit box holds besides its window.
struct EditBoxData {
    std::string text;
    int limit = 0;
    int alignment = 0;
    platform::FontDescription font{};
    bool hasFont = false;
    int selectionStart = 0; // the selection, as character positions; the caret is at its end
    int selectionEnd = 0;
    void* owner = nullptr;
    platform::EditBoxHandler handler = nullptr;
};

struct WindowObject {
    raster::Box screen;      // position and size on the screen
    raster::Surface surface; // what has been drawn into it
    WindowObject* parent = nullptr;
    std::vector<WindowObject*> children;
    std::string className; // empty for the host's windows
    std::string title;
    std::uint32_t style = 0;
    platform::WindowProcedure procedure = nullptr;
    void* userData = nullptr;
    raster::Box damage;      // the area waiting for a paint; empty when none
    bool destroying = false; // its destroy notification has been sent
    platform::DropReceiver* dropReceiver = nullptr;
    std::unique_ptr<EditBoxData> edit; // edit boxes only
};

struct TargetObject {
    bool memory = false;
    WindowObject* window = nullptr;    // window targets
    raster::Surface* screen = nullptr; // the screen target
    PenObject* pen = nullptr;
    BrushObject* brush = nullptr;
    FontObject* font = nullptr;
    BitmapObject* bitmap = nullptr; // memory targets
    raster::DrawState state;
    // Painting limits every drawing to the damaged area, clip or no clip.
    raster::Box systemClip = raster::DrawState{}.clip;
    int mixMode = platform::kMixCopyPen;

    raster::Surface* surface() const;
};

// Handle conversions.
inline Object* object(platform::GraphicsObject h) {
    return reinterpret_cast<Object*>(h);
}
inline platform::GraphicsObject handle(Object* o) {
    return reinterpret_cast<platform::GraphicsObject>(o);
}
inline TargetObject* target(platform::DeviceContext h) {
    return reinterpret_cast<TargetObject*>(h);
}
inline platform::DeviceContext handle(TargetObject* t) {
    return reinterpret_cast<platform::DeviceContext>(t);
}
inline WindowObject* window(platform::Window h) {
    return reinterpret_cast<WindowObject*>(h);
}
inline platform::Window handle(WindowObject* w) {
    return reinterpret_cast<platform::Window>(w);
}

// Whether a window handle names a live window (the backend answers).
bool liveWindow(const WindowObject* w);
// Told when a target drawing straight into a window is released, so a
// backend that shows windows on a real screen can show what was drawn.
void windowTargetReleased(WindowObject* w);
// Sends one event to a window's procedure; false when nobody handled it.
bool deliverEvent(WindowObject* w, platform::WindowMessage& message);

// Stock objects every new target starts with; never freed.
PenObject* stockBlackPen();
PenObject* stockNullPenObject();
BrushObject* stockWhiteBrush();
FontObject* stockSystemFont();
BitmapObject* stockOneByOne();
raster::Surface& screenSurface();

// A target as one end of a block copy.
raster::BlitEnd blitEndOf(platform::DeviceContext dc);

// Creation and release of non-stock objects (counted where counting is on).
template <typename T> T* newObject() {
    TARVEL_COUNTED_OBJECTS(1);
    return new T();
}
void freeObject(Object* o);
void noteSelected(Object* o);
void noteDeselected(Object* o);

} // namespace software
