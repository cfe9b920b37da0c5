// Edit boxes: the system's single-line "EDIT" control, subclassed so that
// Enter and the loss of the keyboard focus reach the box's owner.
#include <windows.h>

#include <new>
#include <string>

#include "handles.h"
#include "platform/edit_box.h"

namespace platform {

namespace {
const char kRecordProperty[] = "TarvelEditBox";

// Lives from creation until the owner destroys the box, even when the window
// goes first (destroyed with its parent): the owner still holds it then.
struct EditBoxRecord {
    HWND window = nullptr;
    WNDPROC original = nullptr;
    void* owner = nullptr;
    EditBoxHandler handler = nullptr;
    std::string lastText; // kept when the window is destroyed under the owner
};

EditBoxRecord* recordOf(EditBox box) {
    return reinterpret_cast<EditBoxRecord*>(box);
}

// The handler may destroy the box and with it the record: nothing of either
// is touched after it returns.
void tell(EditBoxRecord* r, EditBoxEvent event) {
    const EditBoxHandler handler = r->handler;
    void* owner = r->owner;
    if (handler)
        handler(owner, event);
}

std::string textOf(HWND h) {
    const int length = GetWindowTextLengthA(h);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(h, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

LRESULT CALLBACK editProcedure(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* r = static_cast<EditBoxRecord*>(GetPropA(h, kRecordProperty));
    if (!r)
        return DefWindowProcA(h, message, wParam, lParam);
    const WNDPROC original = r->original;
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcA(original, h, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            tell(r, EditBoxEvent::Enter);
            return 0;
        }
        break;
    case WM_CHAR:
        // The character of Enter would only make a single-line box beep.
        if (wParam == '\r' || wParam == '\n')
            return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CallWindowProcA(original, h, message, wParam, lParam);
        tell(r, EditBoxEvent::FocusLost);
        return result;
    }
    case WM_DESTROY:
        r->lastText = textOf(h);
        break;
    case WM_NCDESTROY:
        RemovePropA(h, kRecordProperty);
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        r->window = nullptr;
        r->handler = nullptr;
        return CallWindowProcA(original, h, message, wParam, lParam);
    default:
        break;
    }
    return CallWindowProcA(original, h, message, wParam, lParam);
}
} // namespace

EditBox createEditBox(Window parent, const EditBoxSetup& setup) {
    HWND p = win32::hwnd(parent);
    if (!p || !IsWindow(p))
        return nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (setup.alignment == 1)
        style |= ES_CENTER;
    else if (setup.alignment == 2)
        style |= ES_RIGHT;
    else
        style |= ES_LEFT;
    const DeviceRect& r = setup.rect;
    HWND h =
        CreateWindowExA(0, "EDIT", setup.text ? setup.text : "", style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, p, nullptr,
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(p, GWLP_HINSTANCE)), nullptr);
    if (!h)
        return nullptr;
    auto* record = new (std::nothrow) EditBoxRecord();
    if (!record || !SetPropA(h, kRecordProperty, record)) {
        delete record;
        DestroyWindow(h);
        return nullptr;
    }
    record->window = h;
    record->owner = setup.owner;
    record->handler = setup.handler;
    record->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure)));
    if (setup.font)
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(win32::gdi(setup.font)), TRUE);
    SendMessageA(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(setup.limit > 0 ? setup.limit : 0), 0);
    SendMessageA(h, EM_SETSEL, 0, -1);
    SetFocus(h);
    return reinterpret_cast<EditBox>(record);
}

int editBoxText(EditBox box, char* text, int capacity) {
    if (!text || capacity <= 0)
        return 0;
    text[0] = 0;
    EditBoxRecord* r = recordOf(box);
    if (!r)
        return 0;
    const std::string current = r->window ? textOf(r->window) : r->lastText;
    const int n = static_cast<int>(current.size()) < capacity - 1 ? static_cast<int>(current.size())
                                                                  : capacity - 1;
    current.copy(text, static_cast<std::size_t>(n));
    text[n] = 0;
    return n;
}

void destroyEditBox(EditBox box) {
    EditBoxRecord* r = recordOf(box);
    if (!r)
        return;
    r->handler = nullptr;
    if (r->window)
        DestroyWindow(r->window);
    // A window that outlived the call (another thread's) no longer leads here.
    if (r->window && IsWindow(r->window)) {
        RemovePropA(r->window, kRecordProperty);
        SetWindowLongPtrA(r->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(r->original));
    }
    delete r;
}

} // namespace platform
