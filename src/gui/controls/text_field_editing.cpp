// Typing into a text field: the platform edit box opened over the field on
// a click, its colours, and what closing it does.
#include <algorithm>
#include <cstring>

#include "gui/controls/text_field.h"
#include "gui/draw_context.h"
#include "gui/font_table.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "platform/graphics.h"

namespace {
// The most characters the box takes: what the field's buffer holds.
constexpr int kEditLimit = kDisplayTextSize - 1;
} // namespace

void TextField::onMouseDown(DrawContext* context, Point&) {
    if (!context || !(context->getMouseButtons() & kLButton))
        return;
    if ((style & styleDoubleClick) && !isDoubleClick())
        return;
    if (!frame || frame->getFocusView() == this)
        return;
    frame->setFocusView(this);
    takeFocus(context);
}

void TextField::takeFocus(DrawContext* context) {
    if (editBox || !frame || !frame->getWindow())
        return;
    // The box covers the field's pixels at the frame's scale.
    const Point shift = context ? context->offset : Point();
    const double s = frame->getScale();
    const platform::DeviceRect rect{
        scale::toDevice(bounds.left + shift.h, s), scale::toDevice(bounds.top + shift.v, s),
        scale::toDevice(bounds.right + shift.h, s), scale::toDevice(bounds.bottom + shift.v, s)};
    // The field's font, no taller than the box leaves room for.
    const int id = fontId >= 0 && fontId < kFontCount ? fontId : 0;
    const int height = std::max(1, std::min(fontTable[id].defaultSize, bounds.getHeight() - 2));
    editFont = platform::createFont(
        describeFont(id, s == 1.0 ? height : scale::toDevice(height, s), textFace));

    platform::EditBoxSetup setup;
    setup.rect = rect;
    setup.text = text_;
    setup.alignment = alignment == kCenterText || alignment == kRightText ? alignment : kLeftText;
    setup.font = editFont;
    setup.limit = kEditLimit;
    setup.owner = this;
    setup.handler = &TextField::onEditBoxEvent;
    editBox = platform::createEditBox(frame->getWindow(), setup);
    if (editBox)
        return;
    closeEditBox();
    if (frame->getFocusView() == this)
        frame->setFocusView(nullptr);
}

void TextField::onEditBoxEvent(void* owner, platform::EditBoxEvent) {
    // Enter and the loss of the keyboard focus both end the typing.
    static_cast<TextField*>(owner)->loseFocus(nullptr);
}

void TextField::loseFocus(DrawContext* context) {
    if (!editBox)
        return;
    // Taken first: clearing the frame's focus calls here again, and that
    // call must find nothing left to close.
    platform::EditBox box = editBox;
    editBox = nullptr;
    if (frame && frame->getFocusView() == this)
        frame->setFocusView(nullptr);

    char typed[kDisplayTextSize];
    platform::editBoxText(box, typed, sizeof typed);
    editBox = box;
    closeEditBox();

    const bool changed = std::strcmp(typed, text_) != 0;
    std::memcpy(text_, typed, sizeof text_);
    // The field shows again where the box was.
    setDirty(true);
    if (changed && listener)
        listener->valueChanged(context, this);
    // Last: the receiver may remove and free the field.
    View* receiver = parentView ? parentView : static_cast<View*>(frame);
    if (receiver)
        receiver->onMessage(this, kMsgLooseFocus);
}

void TextField::closeEditBox() {
    if (editBox)
        platform::destroyEditBox(editBox);
    editBox = nullptr;
    if (editFont)
        platform::deleteObject(editFont);
    editFont = nullptr;
    if (editBrush)
        platform::deleteObject(editBrush);
    editBrush = nullptr;
}

platform::GraphicsObject TextField::editColors(platform::DeviceContext dc) {
    platform::setTextColor(dc, colorValue(fontColor));
    platform::setBackgroundColor(dc, colorValue(fillColor));
    platform::GraphicsObject brush = platform::createSolidBrush(colorValue(fillColor));
    if (editBrush)
        platform::deleteObject(editBrush);
    editBrush = brush;
    return brush;
}

// A text field opens no menus.
bool TextField::measureMenuItem(DrawContext*, std::uintptr_t, unsigned, int&, int&) {
    return false;
}
bool TextField::drawMenuItem(DrawContext*, std::uintptr_t, unsigned, unsigned, const Rect&) {
    return false;
}
