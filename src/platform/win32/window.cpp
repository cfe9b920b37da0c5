// Windows, their class and procedure, painting, geometry and cursors through USER.
#include <windows.h>

#include <cstring>

#include "handles.h"
#include "platform/window.h"

namespace platform {

namespace {
// The library registers one window class; its windows' events go to the
// procedure given with it.
WindowProcedure classProcedure = nullptr;

// The one timer a window of the library has.
constexpr UINT_PTR kOwnTimer = 1;
// Sent to a child window once its parent has moved to a display of another
// scale (Windows 10 1703 and later); older headers do not name it.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

static_assert(sizeof(PAINTSTRUCT) <= sizeof(PaintSession::system),
              "the paint record fits the session");

unsigned itemStateOf(UINT state) {
    unsigned s = 0;
    if (state & ODS_CHECKED)
        s |= kItemChecked;
    // Greyed items cannot be chosen either: both draw as disabled.
    if (state & (ODS_DISABLED | ODS_GRAYED))
        s |= kItemDisabled;
    if (state & ODS_SELECTED)
        s |= kItemSelected;
    return s;
}

// Turns the messages the toolkit handles into window events; everything
// else, and every event the procedure leaves alone, gets the default processing.
LRESULT CALLBACK windowProcedure(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (classProcedure) {
        const Window w = win32::window(h);
        switch (message) {
        case WM_PAINT: {
            WindowMessage m{WindowEvent::Paint};
            if (classProcedure(w, m))
                return 0;
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // Both halves of the position are taken unsigned.
            WindowMessage m{WindowEvent::ButtonDown};
            m.x = LOWORD(lParam);
            m.y = HIWORD(lParam);
            if (classProcedure(w, m))
                return 0;
            break;
        }
        case WM_MOUSEWHEEL: {
            WindowMessage m{WindowEvent::Wheel};
            m.wheelNotches = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
            if (classProcedure(w, m))
                return 0;
            break;
        }
        case WM_TIMER: {
            if (wParam != kOwnTimer)
                break;
            WindowMessage m{WindowEvent::Timer};
            if (classProcedure(w, m))
                return 0;
            break;
        }
        case WM_DESTROY: {
            WindowMessage m{WindowEvent::Destroy};
            classProcedure(w, m);
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (!item || item->CtlType != ODT_MENU || !item->itemData)
                break;
            WindowMessage m{WindowEvent::MeasureMenuItem};
            m.itemData = item->itemData;
            m.itemId = item->itemID;
            if (!classProcedure(w, m))
                break;
            item->itemWidth = static_cast<UINT>(m.itemWidth);
            item->itemHeight = static_cast<UINT>(m.itemHeight);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (!item || item->CtlType != ODT_MENU || !item->itemData)
                break;
            WindowMessage m{WindowEvent::DrawMenuItem};
            m.itemData = item->itemData;
            m.itemId = item->itemID;
            m.itemState = itemStateOf(item->itemState);
            m.dc = win32::dc(item->hDC);
            m.itemRect = DeviceRect{item->rcItem.left, item->rcItem.top, item->rcItem.right,
                                    item->rcItem.bottom};
            if (classProcedure(w, m))
                return TRUE;
            break;
        }
        case kDpiChangedAfterParent: {
            WindowMessage m{WindowEvent::DisplayScaleChanged};
            if (classProcedure(w, m))
                return 0;
            break;
        }
        case WM_CTLCOLOREDIT: {
            WindowMessage m{WindowEvent::EditColors};
            m.dc = win32::dc(reinterpret_cast<HDC>(wParam));
            if (classProcedure(w, m))
                return reinterpret_cast<LRESULT>(m.brush);
            break;
        }
        default:
            break;
        }
    }
    return DefWindowProcA(h, message, wParam, lParam);
}
} // namespace

bool registerWindowClass(const char* name, Module instance, WindowProcedure procedure) {
    classProcedure = procedure;
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = reinterpret_cast<HINSTANCE>(instance);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

void unregisterWindowClass(const char* name, Module instance) {
    UnregisterClassA(name, reinterpret_cast<HINSTANCE>(instance));
}

Window createWindow(const char* className, const char* title, Window parent, int width, int height,
                    Module instance) {
    if (!parent)
        return nullptr;
    return win32::window(CreateWindowExA(0, className, title, WS_CHILD | WS_VISIBLE, 0, 0, width,
                                         height, win32::hwnd(parent), nullptr,
                                         reinterpret_cast<HINSTANCE>(instance), nullptr));
}

void destroyWindow(Window w) {
    DestroyWindow(win32::hwnd(w));
}

void setWindowUserData(Window w, void* data) {
    SetWindowLongPtrA(win32::hwnd(w), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

void* windowUserData(Window w) {
    return reinterpret_cast<void*>(GetWindowLongPtrA(win32::hwnd(w), GWLP_USERDATA));
}

bool updateRect(Window w, DeviceRect& update) {
    return GetUpdateRect(win32::hwnd(w), reinterpret_cast<RECT*>(&update), FALSE) != 0;
}

bool beginPaint(Window w, PaintSession& session) {
    auto* paint = reinterpret_cast<PAINTSTRUCT*>(session.system);
    session.dc = win32::dc(BeginPaint(win32::hwnd(w), paint));
    if (!session.dc)
        return false;
    session.area = DeviceRect{paint->rcPaint.left, paint->rcPaint.top, paint->rcPaint.right,
                              paint->rcPaint.bottom};
    return true;
}

void endPaint(Window w, PaintSession& session) {
    EndPaint(win32::hwnd(w), reinterpret_cast<PAINTSTRUCT*>(session.system));
    session.dc = nullptr;
}

// Windows drags keep the thread in the control's loop, which polls the
// mouse: the window system's own way of following a press.
DragStyle dragStyle() {
    return DragStyle::ModalLoop;
}

bool dispatchPendingPaint() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        return false;
    DispatchMessageA(&message);
    return true;
}

int dispatchWindowEvents() {
    // The host's message loop dispatches every window's messages.
    return 0;
}

bool startWindowTimer(Window w, unsigned milliseconds) {
    return SetTimer(win32::hwnd(w), kOwnTimer, milliseconds, nullptr) != 0;
}

void stopWindowTimer(Window w) {
    KillTimer(win32::hwnd(w), kOwnTimer);
}

Window parentWindow(Window w) {
    return win32::window(GetParent(win32::hwnd(w)));
}

bool hasCaption(Window w) {
    const LONG style = GetWindowLongA(win32::hwnd(w), GWL_STYLE);
    return (style & WS_CAPTION) == WS_CAPTION;
}

void screenToClient(Window w, DevicePoint* points, int count) {
    if (!w || !points || count <= 0)
        return;
    MapWindowPoints(nullptr, win32::hwnd(w), reinterpret_cast<POINT*>(points),
                    static_cast<UINT>(count));
}

void windowClassName(Window w, char* name, int capacity) {
    if (!name || capacity <= 0)
        return;
    name[0] = 0;
    if (!GetClassNameA(win32::hwnd(w), name, capacity))
        name[0] = 0;
}

bool setWindowSize(Window w, int width, int height) {
    return SetWindowPos(win32::hwnd(w), nullptr, 0, 0, width, height, SWP_NOMOVE) != 0;
}

// A host's window paints its own background where ours does not reach.
bool coverParent(Window) {
    return false;
}

void bringWindowToTop(Window w) {
    BringWindowToTop(win32::hwnd(w));
}

// Keys go to the window with the focus, which a click gives the frame's
// window by the system's own rules: nothing to select.
void wantKeys(Window) {}

Cursor currentCursor() {
    return reinterpret_cast<Cursor>(GetCursor());
}

Cursor systemCursor(SystemCursor id) {
    return reinterpret_cast<Cursor>(LoadCursorA(nullptr, MAKEINTRESOURCEA(id)));
}

Cursor setCursor(Cursor cursor) {
    return reinterpret_cast<Cursor>(SetCursor(reinterpret_cast<HCURSOR>(cursor)));
}

} // namespace platform
