#include "gallery.h"

#include "gallery_pictures.h"
#include "gui/bitmap.h"
#include "gui/controls/animation.h"
#include "gui/controls/digit_display.h"
#include "gui/controls/filmstrip_button.h"
#include "gui/controls/filmstrip_knob.h"
#include "gui/controls/filmstrip_view.h"
#include "gui/controls/knob.h"
#include "gui/controls/level_meter.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/popup_menu.h"
#include "gui/controls/popup_menu_style.h"
#include "gui/controls/selectors.h"
#include "gui/controls/slider.h"
#include "gui/controls/splash_area.h"
#include "gui/controls/text_field.h"
#include "gui/controls/three_way_switch.h"
#include "gui/controls/toggle_button.h"
#include "gui/controls/value_display.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"
#include "platform/graphics.h"

namespace {
// The grid: five columns of plates in four rows, under a title.
constexpr int kLeft = 10;
constexpr int kTop = 40;
constexpr int kColumnWidth = 136;
constexpr int kRowHeight = 134;
constexpr int kLabelHeight = 22;

constexpr Color kBackdrop{38, 44, 54, 0};
constexpr Color kPlate{56, 64, 78, 0};
constexpr Color kPlateEdge{80, 90, 108, 0};
constexpr Color kLabel{200, 206, 214, 0};
constexpr Color kGroove{20, 24, 30, 0};

Rect plateOf(int column, int row, int columns) {
    const int left = kLeft + column * kColumnWidth;
    const int top = kTop + row * kRowHeight;
    return Rect(left + 4, top + 4, left + columns * kColumnWidth - 4, top + kRowHeight - 4);
}

// A toolkit fill leaves out its rectangle's left column and top row.
void fillExactly(DrawContext& c, const Rect& r) {
    c.fillRect(Rect(r.left - 1, r.top - 1, r.right, r.bottom));
}

// A slider's track: the plate's colour with a dark groove along the middle.
Bitmap* trackPicture(int width, int height) {
    auto* track = new Bitmap(width, height);
    OffscreenContext paint(nullptr, track, true);
    paint.setFillColor(kPlate);
    fillExactly(paint, Rect(0, 0, width, height));
    paint.setFillColor(kGroove);
    if (width > height)
        fillExactly(paint, Rect(5, height / 2 - 2, width - 5, height / 2 + 2));
    else
        fillExactly(paint, Rect(width / 2 - 2, 5, width / 2 + 2, height - 5));
    return track;
}
} // namespace

Gallery::Gallery(platform::Window parent) {
    frame = new Frame(Rect(0, 0, kWidth, kHeight), parent, nullptr);
    backdrop = new Bitmap(kWidth, kHeight);
    addSliders();
    addPictureControls();
    addTextControls();
    paintBackdrop();
    frame->setBackground(backdrop);
}

Gallery::~Gallery() {
    delete frame;
    backdrop->release();
    for (Bitmap* b : pictures)
        b->release();
}

Bitmap* Gallery::keep(Bitmap* b) {
    pictures.push_back(b);
    return b;
}

Rect Gallery::place(int column, int row, int width, int height, int columns) {
    const Rect plate = plateOf(column, row, columns);
    const int left = (plate.left + plate.right - width) / 2;
    const int top = (plate.top + plate.bottom - kLabelHeight - height) / 2;
    return Rect(left, top, left + width, top + height);
}

void Gallery::show(Control* control, const char* name, int column, int row, const Rect& area,
                   int columns, bool text) {
    frame->addView(control);
    cells.push_back(Cell{name, column, row, columns, area, text});
}

void Gallery::addSliders() {
    Bitmap* handle = keep(new Bitmap(pictureSliderHandle));
    const Rect h = place(0, 0, 120, 14);
    auto* horizontal = new HorizontalSlider(h, this, 0, h.left, h.right - 14, handle,
                                            keep(trackPicture(120, 14)), Point(), styleMinLeft);
    horizontal->setValue(0.65f);
    show(horizontal, "HorizontalSlider", 0, 0, h);

    const Rect v = place(1, 0, 14, 90);
    auto* vertical = new VerticalSlider(v, this, 1, v.top, v.bottom - 14, handle,
                                        keep(trackPicture(14, 90)), Point(), styleMinBottom);
    vertical->setValue(0.3f);
    show(vertical, "VerticalSlider", 1, 0, v);
}

void Gallery::addPictureControls() {
    const Rect k = place(2, 0, 48, 48);
    auto* knob = new Knob(k, this, 2, keep(new Bitmap(pictureKnobBackground)),
                          keep(new Bitmap(pictureKnobHandle)), Point());
    knob->setValue(0.7f);
    show(knob, "Knob", 2, 0, k);

    const Rect fk = place(3, 0, 48, 48);
    auto* filmstripKnob =
        new FilmstripKnob(fk, this, 3, 31, 48, keep(new Bitmap(pictureFilmstripKnob)), Point());
    filmstripKnob->setValue(0.4f);
    show(filmstripKnob, "FilmstripKnob", 3, 0, fk);

    const Rect t = place(4, 0, 40, 20);
    auto* toggle = new ToggleButton(t, this, 4, keep(new Bitmap(pictureToggleButton)));
    toggle->setValue(1.0f);
    show(toggle, "ToggleButton", 4, 0, t);

    const Rect mb = place(0, 1, 40, 20);
    show(new MomentaryButton(mb, this, 5, 20, keep(new Bitmap(pictureMomentaryButton)), Point()),
         "MomentaryButton", 0, 1, mb);

    const Rect fb = place(1, 1, 40, 20);
    auto* filmstripButton =
        new FilmstripButton(fb, this, 6, 20, keep(new Bitmap(pictureFilmstripButton)), Point());
    filmstripButton->setValue(1.0f);
    show(filmstripButton, "FilmstripButton", 1, 1, fb);

    const Rect sw = place(2, 1, 24, 40);
    auto* threeWay =
        new ThreeWaySwitch(sw, this, 7, 40, keep(new Bitmap(pictureThreeWaySwitch)), Point(), 0);
    show(threeWay, "ThreeWaySwitch", 2, 1, sw);

    const Rect vs = place(3, 1, 24, 64);
    auto* verticalSelector = new VerticalSelector(
        vs, this, 8, 4, 64, 4, keep(new Bitmap(pictureVerticalSelector)), Point());
    verticalSelector->setValue(2.0f / 3.0f);
    show(verticalSelector, "VerticalSelector", 3, 1, vs);

    const Rect hsel = place(4, 1, 96, 24);
    auto* horizontalSelector = new HorizontalSelector(
        hsel, this, 9, 4, 24, 4, keep(new Bitmap(pictureHorizontalSelector)), Point());
    horizontalSelector->setValue(1.0f / 3.0f);
    show(horizontalSelector, "HorizontalSelector", 4, 1, hsel);

    const Rect fv = place(0, 2, 64, 12);
    auto* filmstripView =
        new FilmstripView(fv, this, 10, 11, 12, keep(new Bitmap(pictureFilmstripView)), Point());
    filmstripView->setValue(0.6f);
    show(filmstripView, "FilmstripView", 0, 2, fv);

    const Rect an = place(1, 2, 32, 32);
    auto* animation =
        new Animation(an, this, 11, 8, 32, keep(new Bitmap(pictureAnimation)), Point());
    animation->openAnimation();
    animation->setValue(3.0f * 32.0f);
    show(animation, "Animation", 1, 2, an);

    const Rect dd = place(2, 2, 36, 20);
    auto* digits = new DigitDisplay(dd, this, 12, 42, 3, nullptr, nullptr, 12, 20,
                                    keep(new Bitmap(pictureDigits)));
    show(digits, "DigitDisplay", 2, 2, dd);

    const Rect mh = place(3, 2, 100, 10);
    auto* meter = new LevelMeter(mh, keep(new Bitmap(pictureMeterOn)),
                                 keep(new Bitmap(pictureMeterOff)), 10, styleHorizontal);
    meter->setValue(0.7f);
    meter->setOldValue(0.7f); // shown at once, without the decay from full
    show(meter, "LevelMeter", 3, 2, mh);

    const Rect mv = place(4, 2, 10, 100);
    auto* verticalMeter = new LevelMeter(mv, keep(new Bitmap(pictureMeterOnVertical)),
                                         keep(new Bitmap(pictureMeterOffVertical)), 10, 0);
    verticalMeter->setValue(0.4f);
    verticalMeter->setOldValue(0.4f);
    show(verticalMeter, "LevelMeter (vertical)", 4, 2, mv);

    const Rect splash = place(3, 3, 160, 96, 2);
    auto* splashArea =
        new SplashArea(splash, this, 13, keep(new Bitmap(pictureSplash)), splash, Point());
    splashArea->setValue(1.0f);
    show(splashArea, "SplashArea (open)", 3, 3, splash, 2);
}

void Gallery::addTextControls() {
    const Rect vd = place(0, 3, 100, 20);
    readout = new ValueDisplay(vd, nullptr, styleBevelIn);
    readout->setFillColor(Color{18, 22, 28, 0});
    readout->setFrameColor(Color{110, 120, 138, 0});
    readout->setFontColor(Color{120, 230, 150, 0});
    readout->setValue(0.5f);
    show(readout, "ValueDisplay", 0, 3, vd, 1, true);

    const Rect tf = place(1, 3, 110, 20);
    auto* field = new TextField(tf, this, 14, "Tarvel");
    textField = field;
    field->setFillColor(colorWhite);
    field->setFontColor(colorBlack);
    field->setFrameColor(Color{110, 120, 138, 0});
    show(field, "TextField", 1, 3, tf, 1, true);

    const Rect pm = place(2, 3, 110, 20);
    menu = new PopupMenu(pm, this, 15, nullptr, nullptr, styleCheckCurrent);
    for (const char* entry : {"-TWaveform", "Sine", "Triangle", "Square", "-"})
        menu->addEntry(entry);
    auto* noise = new PopupMenu(pm, nullptr, 0);
    noise->addEntry("White");
    noise->addEntry("Pink");
    menu->addEntry(noise, "Noise");
    noise->release();
    menu->setCurrent(2);
    auto* style = new PopupMenuStyle();
    menu->setMenuStyle(style);
    style->release();
    menu->setFillColor(Color{44, 52, 66, 0});
    menu->setFrameColor(Color{110, 120, 138, 0});
    show(menu, "PopupMenu", 2, 3, pm, 1, true);
}

void Gallery::paintBackdrop() {
    OffscreenContext paint(nullptr, backdrop, true);
    paint.setFillColor(kBackdrop);
    fillExactly(paint, Rect(0, 0, kWidth, kHeight));
    paint.setFont(1, 16, kBoldFace);
    paint.setFontColor(colorWhite);
    paint.drawString("Tarvel toolkit: every control", Rect(kLeft + 4, 8, kWidth - 10, 34), false,
                     kLeftText);
    for (const Cell& cell : cells) {
        const Rect plate = plateOf(cell.column, cell.row, cell.columns);
        paint.setFillColor(kPlate);
        fillExactly(paint, plate);
        paint.setFrameColor(kPlateEdge);
        paint.frameRect(Rect(plate.left, plate.top, plate.right - 1, plate.bottom - 1));
        paint.setFont(4);
        paint.setFontColor(kLabel);
        paint.drawString(
            cell.name.c_str(),
            Rect(plate.left, plate.bottom - kLabelHeight, plate.right, plate.bottom - 4), false,
            kCenterText);
    }
}

std::vector<std::string> Gallery::undrawnControls() {
    return compareWith(backdrop, false, true);
}

std::vector<std::string> Gallery::controlsDifferingFrom(Bitmap* picture) {
    return compareWith(picture, true, false);
}

std::vector<std::string> Gallery::compareWith(Bitmap* picture, bool differ, bool withText) {
    std::vector<std::string> found;
    platform::Window window = frame->getWindow();
    if (!window || !picture || picture->getWidth() < kWidth || picture->getHeight() < kHeight) {
        found.push_back("the whole gallery");
        return found;
    }
    // The window's pixels copied in one step, then compared with the picture's.
    OffscreenContext shown(frame, kWidth, kHeight);
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext onWindow(frame, dc, window);
        shown.copyFrom(&onWindow, Rect(0, 0, kWidth, kHeight), Point());
    }
    platform::releaseDC(window, dc);
    OffscreenContext other(nullptr, picture, true);
    for (const Cell& cell : cells) {
        if (cell.text && !withText)
            continue;
        bool different = false;
        for (int y = cell.area.top; y < cell.area.bottom && !different; ++y)
            for (int x = cell.area.left; x < cell.area.right && !different; ++x)
                different = shown.getPoint(Point(x, y)) != other.getPoint(Point(x, y));
        if (different == differ)
            found.push_back(cell.name);
    }
    return found;
}

void Gallery::valueChanged(DrawContext* context, Control* control) {
    // A sub-menu of the pop-up menu is told too; it is not shown itself.
    if (context && control->getFrame() == frame)
        control->redrawIfDirty(context);
    if (control != readout && readout) {
        readout->setValue(control->getValue());
        if (context)
            readout->redrawIfDirty(context);
    }
}
