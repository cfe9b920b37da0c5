// Every control of the toolkit in one frame, each over a plate with its
// name below it, on a backdrop picture drawn at start-up. The same gallery
// runs in a real window and on the headless backend.
#pragma once

#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/geometry.h"
#include "platform/platform_types.h"

class Bitmap;
class Frame;
class PopupMenu;
class TextField;
class ValueDisplay;

class Gallery : public ControlListener {
public:
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 580;

    // Builds the frame in `parent`; the pictures must be loadable by then.
    explicit Gallery(platform::Window parent);
    virtual ~Gallery();
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    Frame* getFrame() const { return frame; }
    PopupMenu* getMenu() const { return menu; }
    TextField* getTextField() const { return textField; }
    // The names of the controls whose area of the window shows nothing but
    // the backdrop: empty when every control drew itself.
    std::vector<std::string> undrawnControls();
    // The names of the picture controls (those that draw no text) whose area
    // of the window differs from the same area of `picture`, a gallery
    // painted elsewhere.
    std::vector<std::string> controlsDifferingFrom(Bitmap* picture);

    // Redraws the control and shows its value in the value display.
    void valueChanged(DrawContext* context, Control* control) override;

private:
    struct Cell {
        std::string name;
        int column;
        int row;
        int columns; // plates the cell spans
        Rect area;   // what the control draws, in the frame
        bool text;   // the control draws text, which fonts render differently
    };

    // A control of the size centred on the plate above the plate's label.
    static Rect place(int column, int row, int width, int height, int columns = 1);
    // Adds the control to the frame and its cell to the backdrop.
    void show(Control* control, const char* name, int column, int row, const Rect& area,
              int columns = 1, bool text = false);
    // The names of the cells (text ones only when asked) where the window
    // and the picture differ somewhere (`differ`) or nowhere (!`differ`).
    std::vector<std::string> compareWith(Bitmap* picture, bool differ, bool withText);
    void addSliders();
    void addPictureControls();
    void addTextControls();
    // Kept until the gallery goes; the controls retain what they use.
    Bitmap* keep(Bitmap* b);
    void paintBackdrop();

    Frame* frame = nullptr;
    Bitmap* backdrop = nullptr;
    ValueDisplay* readout = nullptr;
    PopupMenu* menu = nullptr;
    TextField* textField = nullptr;
    std::vector<Bitmap*> pictures;
    std::vector<Cell> cells;
};
