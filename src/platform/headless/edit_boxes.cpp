// The simulated single-line edit boxes: child windows holding a text, a
// selection and a limit, taking typed characters while they have the
// keyboard focus, reporting Enter and focus loss to their owner, and
// painting themselves in the colours their parent's procedure answers.
#include <algorithm>
#include <cstring>

#include "call_log.h"
#include "edit_rules.h"
#include "headless.h"
#include "platform/edit_box.h"
#include "platform/graphics.h"
#include "window_system.h"

namespace headless {

namespace {
constexpr platform::ColorValue kDefaultEditText = 0x000000;
constexpr platform::ColorValue kDefaultEditBackground = 0xFFFFFF;

WindowObject* boxOf(platform::EditBox h) {
    return reinterpret_cast<WindowObject*>(h);
}

std::vector<WindowObject*> liveBoxes() {
    std::vector<WindowObject*> boxes;
    for (WindowObject* w : liveWindows())
        if (w->edit)
            boxes.push_back(w);
    return boxes;
}

EditBoxData* focusedBox() {
    WindowObject* w = keyboardFocus();
    return w && w->edit ? w->edit.get() : nullptr;
}

void tell(EditBoxData* box, platform::EditBoxEvent event) {
    if (box && box->handler)
        box->handler(box->owner, event);
}
} // namespace

void paintEditBox(WindowObject* box) {
    platform::DeviceContext dc = platform::getDC(handle(box));
    if (!dc)
        return;
    platform::setTextColor(dc, kDefaultEditText);
    platform::setBackgroundColor(dc, kDefaultEditBackground);
    platform::GraphicsObject ownBrush = platform::createSolidBrush(kDefaultEditBackground);
    platform::WindowMessage message{platform::WindowEvent::EditColors};
    message.dc = dc;
    platform::GraphicsObject brush = ownBrush;
    if (deliverEvent(box->parent, message) && message.brush)
        brush = message.brush;
    const platform::DeviceRect whole{0, 0, box->screen.right - box->screen.left,
                                     box->screen.bottom - box->screen.top};
    platform::fillRect(dc, whole, brush);
    platform::GraphicsObject font = nullptr;
    if (box->edit->hasFont) {
        font = platform::createFont(box->edit->font);
        platform::selectObject(dc, font);
    }
    platform::DeviceRect r = whole;
    unsigned format =
        platform::kTextSingleLine | platform::kTextVerticalCenter | platform::kTextNoPrefix;
    if (box->edit->alignment == 1)
        format |= platform::kTextCenter;
    else if (box->edit->alignment == 2)
        format |= platform::kTextRight;
    platform::drawText(dc, box->edit->text.c_str(), static_cast<int>(box->edit->text.size()), r,
                       format);
    platform::releaseDC(handle(box), dc);
    if (font)
        platform::deleteObject(font);
    platform::deleteObject(ownBrush);
}

int editBoxCount() {
    return static_cast<int>(liveBoxes().size());
}

bool editBoxInfo(int index, EditBoxInfo& info) {
    const std::vector<WindowObject*> boxes = liveBoxes();
    if (index < 0 || index >= static_cast<int>(boxes.size()))
        return false;
    WindowObject* w = boxes[static_cast<std::size_t>(index)];
    const EditBoxData& box = *w->edit;
    info = EditBoxInfo{};
    info.window = handle(w);
    info.parent = handle(w->parent);
    if (w->parent)
        info.rect = platform::DeviceRect{
            w->screen.left - w->parent->screen.left, w->screen.top - w->parent->screen.top,
            w->screen.right - w->parent->screen.left, w->screen.bottom - w->parent->screen.top};
    info.text = box.text;
    info.alignment = box.alignment;
    info.limit = box.limit;
    if (box.hasFont) {
        info.fontHeight = box.font.height;
        info.fontFace = box.font.faceName;
    }
    info.selectionStart = box.selectionStart;
    info.selectionEnd = box.selectionEnd;
    info.focused = keyboardFocus() == w;
    return true;
}

bool typeText(const std::string& text) {
    EditBoxData* box = focusedBox();
    if (!box)
        return false;
    for (const char c : text) {
        const int from = std::min(box->selectionStart, box->selectionEnd);
        const int to = std::max(box->selectionStart, box->selectionEnd);
        box->text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        int caret = from;
        if (editBoxRoom(box->limit, box->text.size()) > 0) {
            box->text.insert(box->text.begin() + caret, c);
            ++caret;
        }
        box->selectionStart = box->selectionEnd = caret;
    }
    damageWindow(handle(keyboardFocus()));
    return true;
}

bool pressBackspace() {
    EditBoxData* box = focusedBox();
    if (!box)
        return false;
    int from = std::min(box->selectionStart, box->selectionEnd);
    const int to = std::max(box->selectionStart, box->selectionEnd);
    if (from == to && from > 0)
        --from;
    box->text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    box->selectionStart = box->selectionEnd = from;
    damageWindow(handle(keyboardFocus()));
    return true;
}

bool pressEnter() {
    EditBoxData* box = focusedBox();
    if (!box)
        return false;
    tell(box, platform::EditBoxEvent::Enter);
    return true;
}

void takeKeyboardFocus() {
    moveKeyboardFocus(nullptr);
}

} // namespace headless

namespace platform {

using namespace headless;

EditBox createEditBox(Window parent, const EditBoxSetup& setup) {
    countCall("CreateWindowExA");
    if (!parent || !liveWindow(window(parent)))
        return nullptr;
    const raster::Box client{setup.rect.left, setup.rect.top, setup.rect.right, setup.rect.bottom};
    WindowObject* w = newChildWindow(window(parent), client, "EDIT");
    w->edit = std::make_unique<EditBoxData>();
    EditBoxData& box = *w->edit;
    box.text = setup.text ? setup.text : "";
    box.limit = editBoxLimit(setup.limit);
    box.alignment = setup.alignment;
    if (setup.font && object(setup.font)->kind == Kind::Font) {
        box.font = static_cast<FontObject*>(object(setup.font))->description;
        box.hasFont = true;
    }
    box.selectionStart = 0;
    box.selectionEnd = static_cast<int>(box.text.size());
    box.owner = setup.owner;
    box.handler = setup.handler;
    countCall("SetFocus");
    moveKeyboardFocus(w);
    return reinterpret_cast<EditBox>(w);
}

int editBoxText(EditBox h, char* text, int capacity) {
    countCall("GetWindowTextA");
    if (!text || capacity <= 0)
        return 0;
    text[0] = 0;
    WindowObject* w = boxOf(h);
    if (!liveWindow(w) || !w->edit)
        return 0;
    const int n = std::min(static_cast<int>(w->edit->text.size()), capacity - 1);
    std::memcpy(text, w->edit->text.data(), static_cast<std::size_t>(n));
    text[n] = 0;
    return n;
}

void destroyEditBox(EditBox h) {
    countCall("DestroyWindow");
    WindowObject* w = boxOf(h);
    if (!liveWindow(w) || !w->edit)
        return;
    w->edit->handler = nullptr;
    headless::destroyWindow(handle(w));
}

} // namespace platform
