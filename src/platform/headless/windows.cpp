// The simulated window system: windows with parents, screen rectangles,
// user data and damaged areas; a window class table; a message queue that
// delivers presses and paints to window procedures; destruction with its
// notifications; and the pointer shape.
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <string>

#include "call_log.h"
#include "headless.h"
#include "platform/graphics.h"
#include "platform/window.h"
#include "window_model.h"
#include "window_system.h"

namespace headless {

namespace {
struct PostedPress {
    WindowObject* window;
    int x;
    int y;
    bool left;
};

struct CursorObject {
    int id;
};

struct WindowSystem {
    std::vector<WindowObject*> windows; // live windows in creation order
    std::deque<PostedPress> presses;
    int deadHandleUses = 0;
    int lostDropRegistrations = 0;
    platform::Cursor cursor = nullptr;
    WindowObject* focus = nullptr;
};

WindowSystem& windowSystem() {
    static WindowSystem s;
    return s;
}

constexpr std::uint32_t kStyleChild = 0x40000000;
constexpr std::uint32_t kStyleCaption = 0x00C00000;

WindowObject* newWindow(int x, int y, int width, int height) {
    WindowObject* w = new WindowObject();
    w->screen = raster::Box{x, y, x + width, y + height};
    w->surface = raster::Surface(width, height, false, raster::kBlack);
    windowSystem().windows.push_back(w);
    return w;
}

bool deliver(WindowObject* w, platform::WindowMessage& message) {
    return deliverEvent(w, message);
}

bool within(const WindowObject* w, const WindowObject* ancestor) {
    for (; w; w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

// As on the real system, the focus leaves a window before it is told of its
// destruction; an edit box losing it may be destroyed by its owner.
void leaving(WindowObject* w) {
    if (within(windowSystem().focus, w))
        moveKeyboardFocus(nullptr);
}

void forget(WindowObject* w) {
    // A registration still held now could never be revoked.
    if (w->dropReceiver)
        ++windowSystem().lostDropRegistrations;
    auto& presses = windowSystem().presses;
    presses.erase(std::remove_if(presses.begin(), presses.end(),
                                 [w](const PostedPress& p) { return p.window == w; }),
                  presses.end());
    auto& windows = windowSystem().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), w), windows.end());
    if (windowSystem().focus == w)
        windowSystem().focus = nullptr;
    delete w;
}

void destroyTree(WindowObject* w) {
    destroyWindowTree(w, WindowEnd{&leaving, &forget});
}

// One pending paint: the first window, in creation order, with damage.
WindowObject* firstDamaged() {
    for (WindowObject* w : windowSystem().windows)
        if (!w->damage.empty())
            return w;
    return nullptr;
}

bool paint(WindowObject* w) {
    if (w->edit) {
        paintEditBox(w);
        w->damage = raster::Box{};
        return true;
    }
    paintWindow(w);
    return true;
}
} // namespace

WindowObject* newChildWindow(WindowObject* parent, const raster::Box& client,
                             const char* className) {
    const int width = std::max(0, client.right - client.left);
    const int height = std::max(0, client.bottom - client.top);
    WindowObject* w = newWindow(parent->screen.left + client.left, parent->screen.top + client.top,
                                width, height);
    linkToParent(w, parent);
    w->className = className;
    w->style = kStyleChild;
    w->damage = wholeOf(w);
    return w;
}

const std::vector<WindowObject*>& liveWindows() {
    return windowSystem().windows;
}

WindowObject* keyboardFocus() {
    return windowSystem().focus;
}

void moveKeyboardFocus(WindowObject* to) {
    WindowObject* from = windowSystem().focus;
    if (from == to)
        return;
    windowSystem().focus = to;
    if (from && from->edit && from->edit->handler)
        from->edit->handler(from->edit->owner, platform::EditBoxEvent::FocusLost);
}

platform::Window createWindow(int x, int y, int width, int height) {
    // The host's windows have painted themselves already.
    return handle(newWindow(x, y, width, height));
}

void destroyWindow(platform::Window h) {
    if (liveWindow(window(h)))
        destroyTree(window(h));
}

bool isWindow(platform::Window h) {
    const auto& windows = windowSystem().windows;
    return std::find(windows.begin(), windows.end(), window(h)) != windows.end();
}

int windowCount() {
    return static_cast<int>(windowSystem().windows.size());
}

platform::Window childOf(platform::Window parent, int index) {
    if (!liveWindow(window(parent)))
        return nullptr;
    const auto& children = window(parent)->children;
    return index >= 0 && index < static_cast<int>(children.size()) ? handle(children[index])
                                                                   : nullptr;
}

int deadHandleUses() {
    return windowSystem().deadHandleUses;
}

int lostDropRegistrations() {
    return windowSystem().lostDropRegistrations;
}

void setWindowStyle(platform::Window h, std::uint32_t style) {
    if (liveWindow(window(h)))
        window(h)->style = style;
}

void damageWindow(platform::Window h, const platform::DeviceRect* r) {
    if (!liveWindow(window(h)))
        return;
    WindowObject* w = window(h);
    raster::Box box = wholeOf(w);
    if (r)
        box = box.intersect(raster::Box{r->left, r->top, r->right, r->bottom});
    w->damage = w->damage.unite(box);
}

bool hasPendingPaint(platform::Window h) {
    return isWindow(h) && !window(h)->damage.empty();
}

void postButtonDown(platform::Window h, int x, int y, bool left) {
    if (liveWindow(window(h)))
        windowSystem().presses.push_back(PostedPress{window(h), x, y, left});
}

bool takePostedLeftPress() {
    auto& presses = windowSystem().presses;
    const auto first =
        std::find_if(presses.begin(), presses.end(), [](const PostedPress& p) { return p.left; });
    if (first == presses.end())
        return false;
    presses.erase(first);
    return true;
}

bool sendWheel(platform::Window h, float notches) {
    if (!liveWindow(window(h)))
        return false;
    platform::WindowMessage message{platform::WindowEvent::Wheel};
    message.wheelNotches = notches;
    return deliver(window(h), message);
}

bool sendDisplayScaleChange(platform::Window h) {
    if (!liveWindow(window(h)))
        return false;
    platform::WindowMessage message{platform::WindowEvent::DisplayScaleChanged};
    return deliver(window(h), message);
}

int dispatchMessages() {
    int delivered = 0;
    for (;;) {
        auto& presses = windowSystem().presses;
        if (!presses.empty()) {
            const PostedPress press = presses.front();
            presses.pop_front();
            // The position travels as two unsigned 16-bit halves of one word.
            platform::WindowMessage message{platform::WindowEvent::ButtonDown};
            message.x = press.x & 0xFFFF;
            message.y = press.y & 0xFFFF;
            deliver(press.window, message);
            ++delivered;
            continue;
        }
        WindowObject* damaged = firstDamaged();
        if (!damaged)
            return delivered;
        paint(damaged);
        ++delivered;
    }
}

bool isClassRegistered(const char* name) {
    return windowClassProcedure(name) != nullptr;
}

int currentCursorId() {
    const platform::Cursor c = windowSystem().cursor;
    return c ? reinterpret_cast<CursorObject*>(c)->id : 0;
}

void resetWindowSystem() {
    while (!windowSystem().windows.empty())
        destroyTree(windowSystem().windows.front());
    forgetWindowClasses();
    windowSystem().presses.clear();
    windowSystem().deadHandleUses = 0;
    windowSystem().lostDropRegistrations = 0;
    windowSystem().cursor = nullptr;
    windowSystem().focus = nullptr;
    resetMenus();
    resetSystemColors();
}

} // namespace headless

// The software drawing's questions about windows, answered by the simulated
// window system: a use of a dead window is counted.
namespace software {

bool liveWindow(const WindowObject* w) {
    if (!w)
        return false;
    const auto& windows = headless::windowSystem().windows;
    if (std::find(windows.begin(), windows.end(), w) != windows.end())
        return true;
    ++headless::windowSystem().deadHandleUses;
    return false;
}

// Simulated windows are their surfaces: what was drawn is already shown.
void windowTargetReleased(WindowObject*) {}

} // namespace software

namespace platform {

using namespace headless;

bool registerWindowClass(const char* name, Module, WindowProcedure procedure) {
    countCall("RegisterClassA");
    return software::registerWindowClass(name, procedure);
}

void unregisterWindowClass(const char* name, Module) {
    countCall("UnregisterClassA");
    software::unregisterWindowClass(name);
}

Window createWindow(const char* className, const char* title, Window parent, int width, int height,
                    Module) {
    countCall("CreateWindowExA");
    if (!className || !parent || !liveWindow(window(parent)) || width < 0 || height < 0)
        return nullptr;
    const WindowProcedure procedure = windowClassProcedure(className);
    if (!procedure)
        return nullptr;
    // A new visible window waits for its first paint.
    WindowObject* w = newChildWindow(window(parent), raster::Box{0, 0, width, height}, className);
    w->title = title ? title : "";
    w->procedure = procedure;
    return handle(w);
}

void destroyWindow(Window w) {
    countCall("DestroyWindow");
    headless::destroyWindow(w);
}

void setWindowUserData(Window w, void* data) {
    countCall("SetWindowLongA");
    if (liveWindow(window(w)))
        window(w)->userData = data;
}

void* windowUserData(Window w) {
    countCall("GetWindowLongA");
    return liveWindow(window(w)) ? window(w)->userData : nullptr;
}

bool updateRect(Window w, DeviceRect& update) {
    countCall("GetUpdateRect");
    return liveWindow(window(w)) && damageBounds(window(w), update);
}

bool beginPaint(Window w, PaintSession& session) {
    countCall("BeginPaint");
    if (!liveWindow(window(w)))
        return false;
    return beginWindowPaint(window(w), session);
}

void endPaint(Window w, PaintSession& session) {
    countCall("EndPaint");
    if (session.dc)
        releaseDC(w, session.dc);
    session.dc = nullptr;
}

bool dispatchPendingPaint() {
    countCall("PeekMessageA");
    WindowObject* damaged = firstDamaged();
    if (!damaged)
        return false;
    countCall("DispatchMessageA");
    return paint(damaged);
}

int dispatchWindowEvents() {
    // Simulated events are delivered when a test asks (dispatchMessages), so
    // each test decides when its presses and paints arrive.
    return 0;
}

// Without a loop of its own there is nothing to run a window's timer.
bool startWindowTimer(Window /*w*/, unsigned /*milliseconds*/) {
    return false;
}

void stopWindowTimer(Window /*w*/) {}

Window parentWindow(Window w) {
    countCall("GetParent");
    return liveWindow(window(w)) ? handle(window(w)->parent) : nullptr;
}

bool hasCaption(Window w) {
    countCall("GetWindowLongA");
    return liveWindow(window(w)) && (window(w)->style & kStyleCaption) == kStyleCaption;
}

void screenToClient(Window w, DevicePoint* points, int count) {
    countCall("MapWindowPoints");
    if (!w || !liveWindow(window(w)))
        return;
    for (int i = 0; i < count; ++i) {
        points[i].x -= window(w)->screen.left;
        points[i].y -= window(w)->screen.top;
    }
}

void windowClassName(Window w, char* name, int capacity) {
    countCall("GetClassNameA");
    if (!name || capacity <= 0)
        return;
    name[0] = 0;
    if (!liveWindow(window(w)))
        return;
    const std::string& c = window(w)->className;
    const std::size_t n = std::min(c.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(name, c.data(), n);
    name[n] = 0;
}

bool setWindowSize(Window w, int width, int height) {
    countCall("SetWindowPos");
    if (!liveWindow(window(w)) || width < 0 || height < 0)
        return false;
    resizeWindow(window(w), width, height);
    return true;
}

// The simulated host windows paint themselves, as on Windows.
bool coverParent(Window) {
    return false;
}

void bringWindowToTop(Window w) {
    countCall("BringWindowToTop");
    liveWindow(window(w));
}

// Simulated keys are sent to a window by name: no selection to change.
void wantKeys(Window) {}

Cursor currentCursor() {
    countCall("GetCursor");
    return windowSystem().cursor;
}

Cursor systemCursor(SystemCursor id) {
    countCall("LoadCursorA");
    static std::map<int, CursorObject> cursors;
    CursorObject& c = cursors[id];
    c.id = id;
    return reinterpret_cast<Cursor>(&c);
}

Cursor setCursor(Cursor cursor) {
    countCall("SetCursor");
    const Cursor previous = windowSystem().cursor;
    windowSystem().cursor = cursor;
    return previous;
}

} // namespace platform
