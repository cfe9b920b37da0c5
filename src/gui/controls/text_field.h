// A value display holding a text of its own (at most 255 characters). A
// click opens a platform edit box over the field for typing; Enter or the
// loss of the keyboard focus closes it, and the field takes the typed text.
#pragma once

#include "gui/controls/value_display.h"
#include "gui/focus_events.h"
#include "platform/edit_box.h"

// Sent with `onMessage` to the field's parent view (or its frame) when the
// field has closed its edit box.
extern const char kMsgLooseFocus[];

// Turn the field's text into the text shown; `shown` has room for 255
// characters and a terminating zero.
using DisplayText = void (*)(char* text, char* shown);
using DisplayTextWithData = void (*)(char* text, char* shown, void* userData);

class TextField : public ValueDisplay, public FocusEvents {
public:
    // A null text starts empty; a longer one is cut to its first 255 characters.
    TextField(const Rect& bounds, ControlListener* listener, int tag, const char* text = nullptr,
              Bitmap* background = nullptr, int style = 0);
    ~TextField() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    // Closes the edit box: the frame's focus is cleared, the text read back,
    // the listener told of a change and the parent sent kMsgLooseFocus.
    void loseFocus(DrawContext* context) override;
    // Opens the edit box over the field.
    void takeFocus(DrawContext* context) override;

    // Slots added by the field, in their fixed order.
    // Copies the text when it differs from the field's (a null text is ignored).
    virtual void setText(const char* text);
    // Copies the text, with its terminating zero, into 256 bytes at `out`.
    virtual void getText(char* out);
    virtual void setDisplayTextWithData(DisplayTextWithData convert, void* userData);
    virtual void setDisplayText(DisplayText convert);

    const char* text() const { return text_; }
    bool isEditing() const { return editBox != nullptr; }

    // The frame's window hands these over while the edit box is open.
    bool measureMenuItem(DrawContext*, std::uintptr_t, unsigned, int&, int&) override;
    bool drawMenuItem(DrawContext*, std::uintptr_t, unsigned, unsigned, const Rect&) override;
    platform::GraphicsObject editColors(platform::DeviceContext dc) override;

private:
    static void onEditBoxEvent(void* owner, platform::EditBoxEvent event);
    void shownText(char* shown);
    // Destroys the box and the objects made for it; answers nothing to anyone.
    void closeEditBox();

    char text_[kDisplayTextSize] = {};
    DisplayText plainDisplay = nullptr;
    DisplayTextWithData displayWithData = nullptr;
    void* displayData = nullptr;
    platform::EditBox editBox = nullptr;
    platform::GraphicsObject editFont = nullptr;
    platform::GraphicsObject editBrush = nullptr;
};
