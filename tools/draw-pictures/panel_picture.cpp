#include "panel_picture.h"

#include "layout.h"
#include "lettering.h"
#include "scaled_box.h"

namespace pictures {

namespace {

void drawOutline(Image& image, double s) {
    for (int ring = 0; ring < 3; ++ring) {
        const int inset = outlineInset + ring;
        const int left = inset;
        const int top = inset;
        const int right = panelWidth - 1 - inset;
        const int bottom = panelHeight - 1 - inset;
        image.fill(scaledBox(Box{left, top, right, top}, s), outlineSides[ring]);
        image.fill(scaledBox(Box{left, top, left, bottom}, s), outlineSides[ring]);
        image.fill(scaledBox(Box{right, top, right, bottom}, s), outlineSides[ring]);
        // The bottom row last, so that it owns the two lower corners.
        image.fill(scaledBox(Box{left, bottom, right, bottom}, s), outlineBottom[ring]);
    }
}

void drawGrooves(Image& image, double s) {
    for (const int top : grooveTops) {
        for (int row = 0; row < 3; ++row) {
            image.fill(scaledBox(Box{grooveLeft, top + row, grooveRight, top + row}, s),
                       grooveRows[row]);
        }
    }
}

} // namespace

PanelPicture drawPanel(const std::string& fontDir, double s) {
    PanelPicture panel;
    panel.image = Image(scale::toDevice(panelWidth, s), scale::toDevice(panelHeight, s), white);
    drawOutline(panel.image, s);
    drawGrooves(panel.image, s);

    for (const Lettering& item : panelLettering) {
        const Typeface face(fontDir + "/" + item.fontFile);
        if (!face.isOpen()) {
            panel.error = std::string("cannot open font ") + fontDir + "/" + item.fontFile;
            return panel;
        }
        const Box box = scaledBox(item.box, s);
        // The ink fills its box exactly; at a larger scale a box may fall
        // between two sizes, and the lettering takes the larger that fits.
        int size = fitPixelSize(face, item.text, box);
        if (size == 0 && s != 1.0) {
            size = fitPixelSizeWithin(face, item.text, box);
        }
        if (size == 0) {
            panel.error = std::string("no size of ") + item.fontFile + " sets \"" + item.text +
                          "\" exactly into its box";
            return panel;
        }
        const InkLine line = face.render(item.text, size);
        const int left = item.anchor == Anchor::left ? box.left : box.right - line.width + 1;
        paintInk(panel.image, line, left, box.top + (box.height() - line.height) / 2, letteringInk);
        panel.pixelSizes.push_back(size);
    }
    return panel;
}

} // namespace pictures
