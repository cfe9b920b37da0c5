// A control that shows its value as text: a background (picture or colour
// with a frame or a bevel), then the text in one of the toolkit's fonts,
// optionally with a shadow. It takes no input; the text field and the pop-up
// menu build on it for their own texts.
#pragma once

#include "gui/control.h"
#include "gui/draw_context.h"

// Style bits of a value display and the controls built on it.
enum DisplayStyle : int {
    styleCheckEachEntry = 0x1, // pop-up menu: entries carry check states of their own
    styleShadowText = 0x4,     // the text gets a shadow one pixel right and down
    styleBevelIn = 0x80,   // left and top edges in the fill colour, the others in the frame colour
    styleBevelOut = 0x100, // the other way round
    stylePopupAtTop = 0x200,   // pop-up menu: opens at the control's top, not below it
    styleCheckCurrent = 0x400, // pop-up menu: the current entry is checked
    styleNoText = 0x800,       // the background only
    styleNoDraw = 0x1000,      // nothing at all
    styleDoubleClick = 0x2000, // text field: opens for typing on a double click only
};

// Turn a value into the text shown; `text` has room for 255 characters and
// a terminating zero.
using ValueToText = void (*)(float value, char* text);
using ValueToTextWithData = void (*)(float value, char* text, void* userData);

// Room for the texts a display shows: 255 characters and a zero.
constexpr int kDisplayTextSize = 256;

class ValueDisplay : public Control {
public:
    ValueDisplay(const Rect& bounds, Bitmap* background = nullptr, int style = 0);
    ~ValueDisplay() override;

    void draw(DrawContext* context) override;

    // Slots added by the display, in their fixed order. The setters of
    // font, colours, alignment, style and face mark the display dirty when
    // the stored value changes; the others only store.
    virtual void setFont(int fontId);
    virtual void setFontColor(Color c);
    virtual void setFillColor(Color c);
    virtual void setFrameColor(Color c);
    virtual void setShadowColor(Color c);
    virtual void setAlignment(int align);
    virtual void setValueToTextWithData(ValueToTextWithData convert, void* userData);
    virtual void setValueToText(ValueToText convert);
    virtual void setUserData(void* data);
    virtual void setStyle(int newStyle);
    virtual void setTextFace(int face);
    virtual void setTextTransparency(bool on);

    int getFont() const { return fontId; }
    Color getFontColor() const { return fontColor; }
    Color getFillColor() const { return fillColor; }
    Color getFrameColor() const { return frameColor; }
    Color getShadowColor() const { return shadowColor; }
    int getAlignment() const { return alignment; }
    int getStyle() const { return style; }
    int getTextFace() const { return textFace; }
    bool getTextTransparency() const { return textTransparent; }
    void* getUserData() const { return userData; }

    // The text the display shows for a value (the callbacks, else "%2.2f").
    void valueText(float v, char* text) const;

protected:
    // For the text field and the pop-up menu, which have a listener and a tag.
    ValueDisplay(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background,
                 int style);

    // Draws the background, bevel and text; `override` replaces the background picture.
    void drawText(DrawContext* context, const char* text, Bitmap* override = nullptr);

    ValueToText plainConvert = nullptr;
    ValueToTextWithData convertWithData = nullptr;
    void* convertData = nullptr;
    int alignment = kCenterText;
    int style;
    int fontId = 3;
    int textFace = 0;
    Color fontColor = colorWhite;
    Color fillColor = colorBlack;
    Color frameColor = colorBlack;
    Color shadowColor = colorRed;
    bool textTransparent = true;
    void* userData = nullptr;

private:
    void drawBackground(DrawContext* context, Bitmap* override);
    void drawBevel(DrawContext* context);
};
