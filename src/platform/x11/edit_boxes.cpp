// Edit boxes: a child window of ours over the text field, holding the text,
// a selection and a caret, drawn with the shared rasteriser. It takes the
// keyboard focus while open and gives it back when destroyed; Enter and the
// loss of the focus reach the owner, Escape puts the starting text back
// before it tells the owner the typing is over.
#include "edit_boxes.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "connection.h"
#include "edit_rules.h"
#include "native_window.h"
#include "platform/edit_box.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {

// Lives from creation until the owner destroys the box, even when the
// window goes first (destroyed with its parent): the owner still holds it.
struct EditBoxTag {
    x11::NativeWindow* window = nullptr; // null once the window is gone
    void* owner = nullptr;
    EditBoxHandler handler = nullptr;
    std::string text;
    std::string startingText; // what Escape puts back
    int limit = 0;
    int alignment = 0;
    FontDescription font{};
    bool hasFont = false;
    int anchor = 0; // the selection runs from the anchor to the caret
    int caret = 0;
    ::Window previousFocus = None; // given back when the box goes
    int previousRevert = RevertToParent;
};

} // namespace platform

namespace x11 {

namespace {
using platform::EditBoxTag;

constexpr platform::ColorValue kDefaultText = platform::rgb(0, 0, 0);
constexpr platform::ColorValue kDefaultBackground = platform::rgb(255, 255, 255);
// The windows-1252 byte of the one character above 0x7F that Latin-1 lacks.
constexpr unsigned char kEuroByte = 0x80;

EditBoxTag* boxOf(NativeWindow* w) {
    return w && w->className == "EDIT" ? static_cast<EditBoxTag*>(w->userData) : nullptr;
}

// The handler may destroy the box: nothing of it is touched afterwards.
void tell(EditBoxTag* box, platform::EditBoxEvent event) {
    const platform::EditBoxHandler handler = box->handler;
    void* owner = box->owner;
    if (handler)
        handler(owner, event);
}

int selectionStart(const EditBoxTag* box) {
    return std::min(box->anchor, box->caret);
}
int selectionEnd(const EditBoxTag* box) {
    return std::max(box->anchor, box->caret);
}

int textWidth(platform::DeviceContext dc, const std::string& text, int length) {
    int width = 0;
    int height = 0;
    platform::textExtent(dc, text.c_str(), length, width, height);
    return width;
}

// Where the text starts in the box: as aligned while it fits, else moved
// left just far enough for the caret to show.
int textLeft(platform::DeviceContext dc, const EditBoxTag* box, int boxWidth) {
    const int whole = textWidth(dc, box->text, static_cast<int>(box->text.size()));
    if (whole < boxWidth)
        return box->alignment == 1   ? (boxWidth - whole) / 2
               : box->alignment == 2 ? boxWidth - whole - 1
                                     : 0;
    const int caretX = textWidth(dc, box->text, box->caret);
    return std::min(0, boxWidth - 1 - caretX);
}

void fill(platform::DeviceContext dc, const platform::DeviceRect& r, platform::ColorValue color) {
    platform::GraphicsObject brush = platform::createSolidBrush(color);
    platform::fillRect(dc, r, brush);
    platform::deleteObject(brush);
}

void drawTextAt(platform::DeviceContext dc, const std::string& text, int from, int to, int x,
                int height) {
    platform::DeviceRect r{x, 0, x + 0x7FFF, height};
    platform::drawText(dc, text.c_str() + from, to - from, r,
                       platform::kTextSingleLine | platform::kTextVerticalCenter |
                           platform::kTextNoPrefix);
}

// Paints the box in the colours its parent's procedure gives it: the text,
// the selection in the system's highlight colours, the caret without one.
void paint(NativeWindow* w, EditBoxTag* box) {
    platform::PaintSession session;
    const platform::Window window = software::handle(w);
    if (!platform::beginPaint(window, session))
        return;
    platform::DeviceContext dc = session.dc;
    const int width = w->surface.width();
    const int height = w->surface.height();
    platform::setTextColor(dc, kDefaultText);
    platform::setBackgroundColor(dc, kDefaultBackground);
    platform::WindowMessage message{platform::WindowEvent::EditColors};
    message.dc = dc;
    if (software::deliverEvent(w->parent, message) && message.brush)
        platform::fillRect(dc, platform::DeviceRect{0, 0, width, height}, message.brush);
    else
        fill(dc, platform::DeviceRect{0, 0, width, height}, kDefaultBackground);
    const platform::ColorValue ink = platform::setTextColor(dc, kDefaultText);
    platform::setTextColor(dc, ink);
    platform::setBackgroundMode(dc, platform::kBackgroundTransparent);
    platform::GraphicsObject font = box->hasFont ? platform::createFont(box->font) : nullptr;
    platform::GraphicsObject previousFont = font ? platform::selectObject(dc, font) : nullptr;

    const int left = textLeft(dc, box, width);
    const int length = static_cast<int>(box->text.size());
    drawTextAt(dc, box->text, 0, length, left, height);
    const int from = selectionStart(box);
    const int to = selectionEnd(box);
    if (from != to) {
        const int x0 = left + textWidth(dc, box->text, from);
        const int x1 = left + textWidth(dc, box->text, to);
        fill(dc, platform::DeviceRect{x0, 0, x1, height},
             platform::systemColor(platform::kColorHighlight));
        platform::setTextColor(dc, platform::systemColor(platform::kColorHighlightText));
        drawTextAt(dc, box->text, from, to, x0, height);
        platform::setTextColor(dc, ink);
    } else {
        const int x = std::min(width - 1, left + textWidth(dc, box->text, box->caret));
        fill(dc, platform::DeviceRect{x, 1, x + 1, height - 1}, ink);
    }
    if (font) {
        platform::selectObject(dc, previousFont);
        platform::deleteObject(font);
    }
    platform::endPaint(window, session);
}

// The character position nearest to x in the box.
int positionAt(NativeWindow* w, EditBoxTag* box, int x) {
    platform::DeviceContext dc = platform::createCompatibleDC(nullptr);
    platform::GraphicsObject font = box->hasFont ? platform::createFont(box->font) : nullptr;
    platform::GraphicsObject previous = font ? platform::selectObject(dc, font) : nullptr;
    const int left = textLeft(dc, box, w->surface.width());
    int best = 0;
    int bestDistance = 0x7FFF;
    for (int i = 0; i <= static_cast<int>(box->text.size()); ++i) {
        const int distance = std::abs(left + textWidth(dc, box->text, i) - x);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (font) {
        platform::selectObject(dc, previous);
        platform::deleteObject(font);
    }
    platform::deleteDC(dc);
    return best;
}

// The focus goes back where it was before the box took it, unless it has
// moved on already.
void giveFocusBack(NativeWindow* w, const EditBoxTag* box) {
    Display* d = openDisplay();
    if (!d)
        return;
    ::Window focused = None;
    int revert = 0;
    XGetInputFocus(d, &focused, &revert);
    if (focused != w->id)
        return;
    // The window that had it may be gone meanwhile.
    ErrorTrap trap(d);
    XSetInputFocus(d, box->previousFocus, box->previousRevert, CurrentTime);
}

bool boxProcedure(platform::Window window, platform::WindowMessage& message) {
    NativeWindow* w = nativeOf(window);
    EditBoxTag* box = boxOf(w);
    if (!box)
        return false;
    switch (message.event) {
    case platform::WindowEvent::Paint:
        paint(w, box);
        return true;
    case platform::WindowEvent::ButtonDown:
        box->anchor = box->caret = positionAt(w, box, message.x);
        addDamage(w, w->surface.bounds());
        return true;
    case platform::WindowEvent::Destroy:
        // Destroyed with its parent: the text stays with the box for its
        // owner to read.
        giveFocusBack(w, box);
        box->window = nullptr;
        box->handler = nullptr;
        w->userData = nullptr;
        return true;
    default:
        return false;
    }
}

// Replaces the selection with `typed`, as much of it as the limit leaves room for.
void insert(EditBoxTag* box, const std::string& typed) {
    const int from = selectionStart(box);
    box->text.erase(static_cast<std::size_t>(from),
                    static_cast<std::size_t>(selectionEnd(box) - from));
    const std::string kept = typed.substr(0, software::editBoxRoom(box->limit, box->text.size()));
    box->text.insert(static_cast<std::size_t>(from), kept);
    box->anchor = box->caret = from + static_cast<int>(kept.size());
}

// Backspace and Delete: the selection, else the character before or after the caret.
void erase(EditBoxTag* box, bool before) {
    if (box->anchor == box->caret) {
        if (before && box->caret > 0)
            --box->anchor;
        else if (!before && box->caret < static_cast<int>(box->text.size()))
            ++box->anchor;
    }
    insert(box, "");
}

// Moves the caret; with Shift held the selection follows it, else it goes.
void moveCaret(EditBoxTag* box, int to, bool extend) {
    box->caret = std::max(0, std::min(to, static_cast<int>(box->text.size())));
    if (!extend)
        box->anchor = box->caret;
}

// The typed characters the toolkit's single-byte texts can hold.
std::string typedText(XKeyEvent& key, KeySym& symbol) {
    char bytes[16] = {};
    const int length = XLookupString(&key, bytes, sizeof bytes, &symbol, nullptr);
    std::string typed;
    if (symbol == XK_EuroSign)
        typed.push_back(static_cast<char>(kEuroByte));
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        // Latin-1 above 0x9F is the same in the toolkit's code page; the
        // control characters (Tab, Ctrl with a letter) type nothing here.
        if ((byte >= 0x20 && byte < 0x7F) || byte >= 0xA0)
            typed.push_back(static_cast<char>(byte));
    }
    return typed;
}
} // namespace

bool editBoxKey(XKeyEvent& key) {
    NativeWindow* w = nativeById(key.window);
    EditBoxTag* box = boxOf(w);
    if (!box)
        return false;
    if (key.type != KeyPress)
        return true;
    KeySym symbol = NoSymbol;
    const std::string typed = typedText(key, symbol);
    const bool shift = (key.state & ShiftMask) != 0;
    const int from = selectionStart(box);
    const int to = selectionEnd(box);
    switch (symbol) {
    case XK_Return:
    case XK_KP_Enter:
        tell(box, platform::EditBoxEvent::Enter);
        return true;
    case XK_Escape:
        box->text = box->startingText;
        box->anchor = box->caret = 0;
        tell(box, platform::EditBoxEvent::FocusLost);
        return true;
    case XK_BackSpace:
        erase(box, true);
        break;
    case XK_Delete:
    case XK_KP_Delete:
        erase(box, false);
        break;
    case XK_Home:
    case XK_KP_Home:
        moveCaret(box, 0, shift);
        break;
    case XK_End:
    case XK_KP_End:
        moveCaret(box, static_cast<int>(box->text.size()), shift);
        break;
    case XK_Left:
    case XK_KP_Left:
        moveCaret(box, shift || from == to ? box->caret - 1 : from, shift);
        break;
    case XK_Right:
    case XK_KP_Right:
        moveCaret(box, shift || from == to ? box->caret + 1 : to, shift);
        break;
    default:
        if (typed.empty())
            return true;
        insert(box, typed);
        break;
    }
    addDamage(w, w->surface.bounds());
    return true;
}

void editBoxFocusOut(const XFocusChangeEvent& focus) {
    // Grabs move the focus only for their while; the pointer's focus is not the box's.
    if (focus.mode == NotifyGrab || focus.mode == NotifyUngrab || focus.detail == NotifyPointer ||
        focus.detail == NotifyInferior)
        return;
    if (EditBoxTag* box = boxOf(nativeById(focus.window)))
        tell(box, platform::EditBoxEvent::FocusLost);
}

} // namespace x11

namespace platform {

EditBox createEditBox(Window parent, const EditBoxSetup& setup) {
    x11::NativeWindow* p = x11::nativeOf(parent);
    Display* d = x11::openDisplay();
    if (!p || !d)
        return nullptr;
    const raster::Box area{setup.rect.left, setup.rect.top, setup.rect.right, setup.rect.bottom};
    x11::NativeWindow* w = x11::createChildWindow(p, area, "EDIT", x11::boxProcedure);
    if (!w)
        return nullptr;
    auto* box = new EditBoxTag();
    box->window = w;
    box->owner = setup.owner;
    box->handler = setup.handler;
    box->text = setup.text ? setup.text : "";
    box->limit = software::editBoxLimit(setup.limit);
    box->startingText = box->text;
    box->alignment = setup.alignment;
    if (setup.font && software::object(setup.font)->kind == software::Kind::Font) {
        box->font = static_cast<software::FontObject*>(software::object(setup.font))->description;
        box->hasFont = true;
    }
    // The whole text selected, the caret at its end.
    box->anchor = 0;
    box->caret = static_cast<int>(box->text.size());
    w->userData = box;
    XGetInputFocus(d, &box->previousFocus, &box->previousRevert);
    {
        // A parent that is not shown (yet) cannot pass the focus on.
        x11::ErrorTrap trap(d);
        XSetInputFocus(d, w->id, RevertToParent, CurrentTime);
    }
    return box;
}

int editBoxText(EditBox box, char* text, int capacity) {
    if (!text || capacity <= 0)
        return 0;
    text[0] = 0;
    if (!box)
        return 0;
    const int n = std::min(static_cast<int>(box->text.size()), capacity - 1);
    box->text.copy(text, static_cast<std::size_t>(n));
    text[n] = 0;
    return n;
}

void destroyEditBox(EditBox box) {
    if (!box)
        return;
    box->handler = nullptr;
    if (box->window) {
        x11::giveFocusBack(box->window, box);
        box->window->userData = nullptr;
        destroyWindow(software::handle(box->window));
    }
    delete box;
}

} // namespace platform
