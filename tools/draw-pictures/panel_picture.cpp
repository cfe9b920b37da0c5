#include "panel_picture.h"

#include "layout.h"
#include "lettering.h"

namespace pictures {

namespace {

void drawOutline(Image& image) {
    for (int ring = 0; ring < 3; ++ring) {
        const int inset = outlineInset + ring;
        const int left = inset;
        const int top = inset;
        const int right = image.width() - 1 - inset;
        const int bottom = image.height() - 1 - inset;
        image.fill(Box{left, top, right, top}, outlineSides[ring]);
        image.fill(Box{left, top, left, bottom}, outlineSides[ring]);
        image.fill(Box{right, top, right, bottom}, outlineSides[ring]);
        // The bottom row last, so that it owns the two lower corners.
        image.fill(Box{left, bottom, right, bottom}, outlineBottom[ring]);
    }
}

void drawGrooves(Image& image) {
    for (const int top : grooveTops) {
        for (int row = 0; row < 3; ++row) {
            image.fill(Box{grooveLeft, top + row, grooveRight, top + row}, grooveRows[row]);
        }
    }
}

} // namespace

PanelPicture drawPanel(const std::string& fontDir) {
    PanelPicture panel;
    panel.image = Image(panelWidth, panelHeight, white);
    drawOutline(panel.image);
    drawGrooves(panel.image);

    for (const Lettering& item : panelLettering) {
        const Typeface face(fontDir + "/" + item.fontFile);
        if (!face.isOpen()) {
            panel.error = std::string("cannot open font ") + fontDir + "/" + item.fontFile;
            return panel;
        }
        const int size = fitPixelSize(face, item.text, item.box);
        if (size == 0) {
            panel.error = std::string("no size of ") + item.fontFile + " sets \"" + item.text +
                          "\" exactly into its box";
            return panel;
        }
        const InkLine line = face.render(item.text, size);
        const int left =
            item.anchor == Anchor::left ? item.box.left : item.box.right - line.width + 1;
        paintInk(panel.image, line, left, item.box.top, letteringInk);
        panel.pixelSizes.push_back(size);
    }
    return panel;
}

} // namespace pictures
